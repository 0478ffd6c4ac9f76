#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/listing_options.h"

// Where a transfer puts its listing.
struct TransferTarget {
    // UTF-8 and full; empty for the clipboard.
    std::string file;
    // The file in UTF-8 with a byte-order mark; else in the ANSI code page.
    bool utf8 = false;
};

// How a transfer ended.
struct TransferResult {
    // The listing reached its target whole.
    bool delivered = false;
    // The folders that could not be read, in the order the walk met them:
    // the listing lacks what they hold.
    std::vector<std::string> unreadable;
};

// One whole transfer over the system's own services: the folders read with
// the file search, sorted as a sorted list box sorts, the listing published
// on the clipboard for `owner` (or written to the target's file), the
// progress shown in the static `status` with `pumpMessages` letting the
// window's messages through, also while it waits for a busy clipboard. The
// start paths are UTF-8, `extension` in the ANSI code page as the interface
// keeps it. What the run throws (std::bad_alloc when memory runs out) is
// thrown on, once the clipboard holds no part of the listing.
TransferResult RunTransfer(HWND owner, HWND status, const std::function<void()>& pumpMessages,
                           std::span<const std::string> startPaths, std::string_view extension,
                           const ListingOptions& options, const TransferTarget& target = {});
