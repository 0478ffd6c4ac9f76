#pragma once

#include <cstddef>

// The longest texts the program passes between its parts, in bytes, without
// the terminator.

// An extension, without its dot; "*" means every file.
inline constexpr std::size_t kMaxExtensionBytes = 8;
