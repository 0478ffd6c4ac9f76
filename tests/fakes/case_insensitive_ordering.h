#pragma once

#include "engine/string_ordering.h"
#include "text/text_services.h"

// Case-insensitive byte order in which a prefix sorts first: the platform-free
// stand-in for the collation of a sorted list box.
struct CaseInsensitiveOrdering : StringOrdering {
    explicit CaseInsensitiveOrdering(const TextServices& text) : text(text) {}
    void AppendSortKey(std::string_view path, std::string& keys) const override {
        std::string lowered(path);
        text.MakeLowerAscii(lowered);
        keys += lowered;
    }
    const TextServices& text;
};
