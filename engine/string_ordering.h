#pragma once

#include <string>
#include <string_view>

// The order of the transfer's sorted lists, given as sort keys: a list sorts
// by comparing the keys bytewise, so an expensive collation runs once per
// string instead of once per comparison.
class StringOrdering {
public:
    virtual ~StringOrdering() = default;
    // Appends the sort key of `text` to `keys`.
    virtual void AppendSortKey(std::string_view text, std::string& keys) const = 0;
};
