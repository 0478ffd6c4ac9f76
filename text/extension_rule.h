#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/text_limits.h"

class TextServices;

// The extension a new entry gives: at most kMaxExtensionBytes bytes of it,
// never ending in half a double-byte character; an empty entry means all
// files, "*". Nothing else is checked: the entry goes behind "*." as typed.
std::string ExtensionFromEntry(const TextServices& text, std::string_view entry);

// The extension the file list is filtered by, read back from the extension
// button: cut as an entry is, but taken as it stands (empty stays empty).
std::string ExtensionFromButton(const TextServices& text, std::string_view buttonText);
