#pragma once

#include <windows.h>

#include "platform/win/unique_handle.h"

// Owners for the Win32 handles the program (and its tests and benchmarks)
// creates and must give back.

struct IconTraits {
    using Handle = HICON;
    static Handle Empty() { return nullptr; }
    static void Close(Handle icon) { ::DestroyIcon(icon); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

struct CursorTraits {
    using Handle = HCURSOR;
    static Handle Empty() { return nullptr; }
    static void Close(Handle cursor) { ::DestroyCursor(cursor); }
};
using UniqueCursor = UniqueHandle<CursorTraits>;

struct BrushTraits {
    using Handle = HBRUSH;
    static Handle Empty() { return nullptr; }
    static void Close(Handle brush) { ::DeleteObject(brush); }
};
using UniqueBrush = UniqueHandle<BrushTraits>;

struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Empty() { return nullptr; }
    static void Close(Handle object) { ::DeleteObject(object); }
};
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;

struct WindowTraits {
    using Handle = HWND;
    static Handle Empty() { return nullptr; }
    static void Close(Handle window) { ::DestroyWindow(window); }
};
using UniqueWindow = UniqueHandle<WindowTraits>;

// A file search's handle (FindFirstFileExW), which is INVALID_HANDLE_VALUE on failure.
struct FindTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle find) { ::FindClose(find); }
};
using UniqueFind = UniqueHandle<FindTraits>;

// An open file's handle (CreateFileW), which is INVALID_HANDLE_VALUE on failure.
struct FileTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle file) { ::CloseHandle(file); }
};
using UniqueFile = UniqueHandle<FileTraits>;

// Process, thread and other kernel handles, which are null on failure.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle handle) { ::CloseHandle(handle); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Close(Handle key) { ::RegCloseKey(key); }
};
using UniqueRegKey = UniqueHandle<RegKeyTraits>;

// A global memory block this program allocated and still owns.
struct GlobalBlockTraits {
    using Handle = HGLOBAL;
    static Handle Empty() { return nullptr; }
    static void Close(Handle block) { ::GlobalFree(block); }
};
using UniqueGlobalBlock = UniqueHandle<GlobalBlockTraits>;

struct LibraryTraits {
    using Handle = HMODULE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle module) { ::FreeLibrary(module); }
};
using UniqueLibrary = UniqueHandle<LibraryTraits>;

// A memory device context from CreateCompatibleDC.
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static void Close(Handle dc) { ::DeleteDC(dc); }
};
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
