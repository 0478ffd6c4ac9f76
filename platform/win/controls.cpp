#include "platform/win/controls.h"

namespace {
// An item's string from a list box or a combo box, which ask the same way
// with different messages.
std::string ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    const LRESULT length = ::SendMessageA(control, lengthMessage, index, 0);
    if (length < 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = ::SendMessageA(control, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
    return text;
}
}  // namespace

std::string CListBox::GetText(int index) const { return ItemText(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, index); }

std::string CComboBox::GetLBText(int index) const { return ItemText(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, index); }

int CTabCtrl::InsertItem(int index, const char* text) const {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text);
    return static_cast<int>(::SendMessageA(m_hWnd, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item)));
}
