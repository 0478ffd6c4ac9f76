#pragma once

#include "engine/string_ordering.h"

class TextServices;

// Case-insensitive byte order in which a prefix sorts first: the platform-free
// stand-in for the collation of a sorted list box.
class CaseInsensitiveOrdering : public StringOrdering {
public:
    explicit CaseInsensitiveOrdering(const TextServices& text) : m_text(text) {}
    void AppendSortKey(std::string_view text, std::string& keys) const override;

private:
    const TextServices& m_text;
};
