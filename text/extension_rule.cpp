#include "text/extension_rule.h"

#include "text/text_services.h"

std::string CutExtension(const TextServices& text, std::string_view extension) {
    return std::string(text.CutToBytes(extension, kMaxExtensionBytes));
}

bool HasForbiddenExtensionCharacter(std::string_view extension) {
    return extension.find_first_of("\\/:\"<>|") != std::string_view::npos;
}

std::string ExtensionFromEntry(const TextServices& text, std::string_view entry) {
    std::string kept = CutExtension(text, entry);
    return kept.empty() ? std::string("*") : kept;
}
