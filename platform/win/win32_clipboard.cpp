#include "platform/win/win32_clipboard.h"

#include <cstring>

#include "platform/win/win_handles.h"

namespace {
// A lock on a block, released with GlobalUnlock.
struct GlobalLockTraits {
    using Handle = HGLOBAL;
    static HGLOBAL Empty() { return nullptr; }
    static void Close(HGLOBAL block) { GlobalUnlock(block); }
};
}  // namespace

bool Win32Clipboard::Open() { return OpenClipboard(m_owner) != FALSE; }

void Win32Clipboard::Close() { CloseClipboard(); }

bool Win32Clipboard::Empty() { return EmptyClipboard() != FALSE; }

bool Win32Clipboard::ReadText(std::string& text) {
    if (!IsClipboardFormatAvailable(CF_TEXT)) return false;
    const HGLOBAL block = GetClipboardData(CF_TEXT);
    const char* bytes = block ? static_cast<const char*>(GlobalLock(block)) : nullptr;
    if (!bytes) {
        text.clear();
        return true;
    }
    const UniqueHandle<GlobalLockTraits> lock(block);
    // Another program's block need not hold a NUL: read no further than it.
    text.assign(bytes, strnlen(bytes, GlobalSize(block)));
    return true;
}

bool Win32Clipboard::ReplaceText(std::string_view text) {
    UniqueGlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1));
    if (!block) return false;
    {
        void* bytes = GlobalLock(block.get());
        if (!bytes) return false;
        const UniqueHandle<GlobalLockTraits> lock(block.get());
        std::memcpy(bytes, text.data(), text.size());
    }
    if (!EmptyClipboard() || !SetClipboardData(CF_TEXT, block.get())) return false;
    // The clipboard owns the block now.
    block.release();
    return true;
}

std::uint32_t Win32Clipboard::SequenceNumber() { return GetClipboardSequenceNumber(); }
