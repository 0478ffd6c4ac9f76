#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "engine/listing_options.h"

// One whole transfer over the system's own services: the folders read with
// the file search, sorted as a sorted list box sorts, the listing published
// on the clipboard for `owner`, the progress shown in the static `status`
// with `pumpMessages` letting the window's messages through, also while it
// waits for a busy clipboard. `startPath` is UTF-8, `extension` in the ANSI
// code page as the interface keeps it. False when the listing could not be
// put on the clipboard whole.
bool RunTransfer(HWND owner, HWND status, const std::function<void()>& pumpMessages, std::string_view startPath,
                 std::string_view extension, const ListingOptions& options);
