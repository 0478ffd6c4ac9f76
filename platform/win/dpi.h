#pragma once

#include <windows.h>

// The display scale the program draws for, in dots per inch (96 is 100%):
// the system's, which a program that declares itself aware of the system
// scale is given.
UINT SystemDpi();

// The scale of the display `window` is on; the system's where the system
// cannot tell one display from another (before Windows 10).
UINT WindowDpi(HWND window);

// Moves and sizes `window` to the rectangle that WM_DPICHANGED suggests for
// the display it moved to.
void TakeSuggestedRect(HWND window, const RECT& suggested);

// A length of `pixels` at 100%, scaled for `dpi`.
inline int ScaleForDpi(int pixels, UINT dpi) { return ::MulDiv(pixels, static_cast<int>(dpi), 96); }
