#pragma once

#include <cstring>
#include <memory>
#include <string_view>

// The data attached to each item of the drive box and the browser lists: a
// copy of the item's text. The control that holds the item owns its record
// and frees it when the item goes (the list is emptied or the control
// destroyed).
struct ItemRecord {
    explicit ItemRecord(std::string_view itemText) : text(std::make_unique<char[]>(itemText.size() + 1)) {
        std::memcpy(text.get(), itemText.data(), itemText.size());
    }

    std::unique_ptr<char[]> text;
};

// Byte order of the two texts, bytes taken as unsigned: -1, 0 or 1. Sorted
// lists that keep their own strings order themselves and never ask.
inline int CompareItemRecords(const ItemRecord& first, const ItemRecord& second) {
    const int order = std::strcmp(first.text.get(), second.text.get());
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}
