#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

// Owners for the Win32 handles the program creates and must give back.

struct IconTraits {
    using Handle = HICON;
    static Handle Empty() { return nullptr; }
    static void Close(Handle icon) { ::DestroyIcon(icon); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

struct BrushTraits {
    using Handle = HBRUSH;
    static Handle Empty() { return nullptr; }
    static void Close(Handle brush) { ::DeleteObject(brush); }
};
using UniqueBrush = UniqueHandle<BrushTraits>;

struct FindTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle find) { ::FindClose(find); }
};
using UniqueFind = UniqueHandle<FindTraits>;
