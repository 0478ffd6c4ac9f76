#include "platform/win/list_box_ordering.h"

#include <windows.h>

#include <algorithm>

ListBoxOrdering::ListBoxOrdering() : m_locale(GetUserDefaultLCID()) {}

void ListBoxOrdering::AppendSortKey(std::string_view text, std::string& keys) const {
    // A list box converts the ANSI text with the system code page, whatever
    // the locale's own page is.
    constexpr DWORD kFlags = LOCALE_USE_CP_ACP | LCMAP_SORTKEY | NORM_IGNORECASE;
    const int length = static_cast<int>(std::min<std::size_t>(text.size(), 0x10000));
    if (length == 0) return;
    const std::size_t start = keys.size();
    int room = 8 * length + 64;
    keys.resize(start + static_cast<std::size_t>(room));
    int written = LCMapStringA(m_locale, kFlags, text.data(), length, keys.data() + start, room);
    if (written == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        room = LCMapStringA(m_locale, kFlags, text.data(), length, nullptr, 0);
        keys.resize(start + static_cast<std::size_t>(std::max(room, 0)));
        written = room > 0 ? LCMapStringA(m_locale, kFlags, text.data(), length, keys.data() + start, room) : 0;
    }
    keys.resize(start + static_cast<std::size_t>(written));
}
