#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/string_ordering.h"

// Explorer's order: a run of ASCII digits weighs as its number, at any length
// (img9 before img10, a 13-digit time stamp too), the text between as
// `locale` orders it, and a path folder by folder, so that a folder's own
// sub-folders come right after it. Names that weigh the same are left to the
// sorted list, which orders them by their bytes.
class NaturalOrdering : public StringOrdering {
public:
    explicit NaturalOrdering(const StringOrdering& locale) : m_locale(locale) {}
    void AppendSortKey(std::string_view text, std::string& keys) const override;

private:
    void AppendText(const std::string& run, std::string& keys) const;

    const StringOrdering& m_locale;
    // One run of text; kept for the next, as a transfer keys every path once.
    mutable std::string m_run;
    // The keys of runs seen lately, as they go into a key: numbered names
    // share their text (".txt", "img", "第0回"), and a locale key is dear.
    mutable std::unordered_map<std::string, std::string> m_runKeys;
};
