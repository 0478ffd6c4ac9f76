#pragma once

#include <cstddef>

// The longest texts the program passes between its parts, in bytes, without
// the terminator.

// A path: the platform's ANSI path calls take 260 bytes with the terminator.
inline constexpr std::size_t kMaxPathBytes = 259;
// An extension, without its dot; "*" means every file.
inline constexpr std::size_t kMaxExtensionBytes = 8;
