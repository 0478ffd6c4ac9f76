#include "engine/string_ordering.h"

#include "platform/text_services.h"

void CaseInsensitiveOrdering::AppendSortKey(std::string_view text, std::string& keys) const {
    std::string lowered(text);
    m_text.MakeLowerAscii(lowered);
    keys += lowered;
}
