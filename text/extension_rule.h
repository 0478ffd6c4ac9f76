#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/text_limits.h"

class TextServices;

// An extension as every part of the program keeps it: at most
// kMaxExtensionBytes bytes of `text`, never ending in half a character
// (empty stays empty).
std::string CutExtension(const TextServices& text, std::string_view extension);

// Whether `extension` (UTF-8) holds a character that no name has and that
// would make "*." + extension match other files than the ones typed: \ / :
// would leave the folder, " < > | are wildcards or nothing to the system.
// The wildcards * and ? are the user's to use.
bool HasForbiddenExtensionCharacter(std::string_view extension);

// The extension a new entry gives: cut as above; an empty entry means all
// files, "*". Nothing else is checked: the entry goes behind "*." as typed.
std::string ExtensionFromEntry(const TextServices& text, std::string_view entry);
