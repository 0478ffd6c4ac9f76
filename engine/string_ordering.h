#pragma once

#include <string>
#include <string_view>

class TextServices;

// The order of the transfer's sorted lists, given as sort keys: a list sorts
// by comparing the keys bytewise, so an expensive collation runs once per
// string instead of once per comparison.
class StringOrdering {
public:
    virtual ~StringOrdering() = default;
    // Appends the sort key of `text` to `keys`.
    virtual void AppendSortKey(std::string_view text, std::string& keys) const = 0;
};

// Case-insensitive byte order in which a prefix sorts first: the platform-free
// stand-in for the collation of a sorted list box.
class CaseInsensitiveOrdering : public StringOrdering {
public:
    explicit CaseInsensitiveOrdering(const TextServices& text) : m_text(text) {}
    void AppendSortKey(std::string_view text, std::string& keys) const override;

private:
    const TextServices& m_text;
};
