#pragma once

// The clipboard as another program sees it, for tests.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace clipboard_access {
// The clipboard's CF_TEXT bytes, read as another program would; "(none)"
// when it holds no text.
inline std::string ClipboardText() {
    if (!OpenClipboard(nullptr)) return "(busy)";
    const HGLOBAL block = GetClipboardData(CF_TEXT);
    const char* bytes = block ? static_cast<const char*>(GlobalLock(block)) : nullptr;
    std::string text = bytes ? std::string(bytes) : "(none)";
    if (bytes) GlobalUnlock(block);
    CloseClipboard();
    return text;
}

inline void PutOnClipboard(UINT format, const std::string& bytes) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    std::memcpy(GlobalLock(block), bytes.c_str(), bytes.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(format, block);
    CloseClipboard();
}
}  // namespace clipboard_access
