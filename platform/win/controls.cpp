#include "platform/win/controls.h"

#include "platform/win/wide_text.h"

int CListBox::AddString(const char* text) const {
    return static_cast<int>(
        ::SendMessageW(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16FromUtf8(text).c_str())));
}

int CListBox::FindStringExact(const char* text) const {
    return static_cast<int>(::SendMessageW(m_hWnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(Utf16FromUtf8(text).c_str())));
}

std::string CListBox::GetText(int index) const {
    // Asked wide: the names are exact, whatever the code page holds.
    const LRESULT length = ::SendMessageW(m_hWnd, LB_GETTEXTLEN, index, 0);
    if (length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = ::SendMessageW(m_hWnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
    return Utf8FromUtf16(text);
}

int CTabCtrl::InsertItem(int index, const char* text) const {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text);
    return static_cast<int>(::SendMessageA(m_hWnd, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item)));
}
