#include "tests/fakes/case_insensitive_ordering.h"

#include "text/text_services.h"

void CaseInsensitiveOrdering::AppendSortKey(std::string_view text, std::string& keys) const {
    std::string lowered(text);
    m_text.MakeLowerAscii(lowered);
    keys += lowered;
}
