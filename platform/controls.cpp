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
