#include "platform/win/list_box_ordering.h"

#include <windows.h>

#include <algorithm>

#include "platform/win/transfer_trace.h"
#include "platform/win/wide_text.h"

ListBoxOrdering::ListBoxOrdering() : m_locale(GetUserDefaultLCID()) {}

void ListBoxOrdering::AppendSortKey(std::string_view text, std::string& keys) const {
    const transfer_trace::Step step("sort key");
    // The list box keeps wide strings and compares them in its locale.
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const std::string_view cut = text.substr(0, std::min<std::size_t>(text.size(), 0x10000));
    std::wstring& wide = m_wide;
    AssignUtf16FromUtf8(wide, cut);
    const int length = static_cast<int>(wide.size());
    if (length == 0) return;
    const std::size_t start = keys.size();
    // The key is bytes, and its size is counted in bytes.
    int room = 8 * length + 64;
    keys.resize(start + static_cast<std::size_t>(room));
    const auto key = [&] { return reinterpret_cast<LPWSTR>(keys.data() + start); };
    int written = LCMapStringW(m_locale, kFlags, wide.data(), length, key(), room);
    if (written == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        room = LCMapStringW(m_locale, kFlags, wide.data(), length, nullptr, 0);
        keys.resize(start + static_cast<std::size_t>(std::max(room, 0)));
        written = room > 0 ? LCMapStringW(m_locale, kFlags, wide.data(), length, key(), room) : 0;
    }
    keys.resize(start + static_cast<std::size_t>(written));
}
