#include "browser/extension_rule.h"

#include "text/text_services.h"

std::string ExtensionFromEntry(const TextServices& text, std::string_view entry) {
    std::string kept = ExtensionFromButton(text, entry);
    return kept.empty() ? std::string("*") : kept;
}

std::string ExtensionFromButton(const TextServices& text, std::string_view buttonText) {
    return std::string(text.CutToBytes(buttonText, kMaxExtensionBytes));
}
