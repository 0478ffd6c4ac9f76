#pragma once

#include <windows.h>

// The display scale the program draws for, in dots per inch (96 is 100%):
// the system's, which a program that declares itself aware of the system
// scale is given.
UINT SystemDpi();

// A length of `pixels` at 100%, scaled for `dpi`.
inline int ScaleForDpi(int pixels, UINT dpi) { return ::MulDiv(pixels, static_cast<int>(dpi), 96); }
