#include "platform/controls.h"

std::string CListBox::GetText(int index) const {
    const LRESULT length = ::SendMessageA(m_hWnd, LB_GETTEXTLEN, index, 0);
    if (length < 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = ::SendMessageA(m_hWnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
    return text;
}

std::string CComboBox::GetLBText(int index) const {
    const LRESULT length = ::SendMessageA(m_hWnd, CB_GETLBTEXTLEN, index, 0);
    if (length < 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = ::SendMessageA(m_hWnd, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
    return text;
}

int CTabCtrl::InsertItem(int index, const char* text) const {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text);
    return static_cast<int>(::SendMessageA(m_hWnd, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item)));
}
