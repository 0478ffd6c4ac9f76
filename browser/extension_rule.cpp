#include "browser/extension_rule.h"

#include "platform/text_services.h"

std::string ExtensionFromEntry(const TextServices& text, std::string_view entry) {
    const std::string_view kept = text.CutToBytes(entry, kMaxExtensionBytes);
    return kept.empty() ? std::string("*") : std::string(kept);
}
