#include "platform/win/controls.h"

#include "platform/win/wide_text.h"

namespace {
// An item's string from a list box or a combo box, which ask the same way
// with different messages, in wide or ANSI characters.
template <typename Char>
std::basic_string<Char> ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    constexpr auto send = sizeof(Char) == 1 ? ::SendMessageA : ::SendMessageW;
    const LRESULT length = send(control, lengthMessage, index, 0);
    if (length < 0) return {};
    std::basic_string<Char> text(static_cast<std::size_t>(length) + 1, Char{});
    const LRESULT copied = send(control, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
    return text;
}
}  // namespace

int CListBox::AddString(const char* text) const {
    return static_cast<int>(
        ::SendMessageW(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16FromUtf8(text).c_str())));
}

int CListBox::FindStringExact(const char* text) const {
    return static_cast<int>(::SendMessageW(m_hWnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(Utf16FromUtf8(text).c_str())));
}

std::string CListBox::GetText(int index) const {
    return Utf8FromUtf16(ItemText<wchar_t>(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, index));
}

std::string CComboBox::GetLBText(int index) const {
    return ItemText<char>(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

int CTabCtrl::InsertItem(int index, const char* text) const {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text);
    return static_cast<int>(::SendMessageA(m_hWnd, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item)));
}
