#include "platform/win/win32_clipboard.h"

#include <cstring>
#include <cwchar>

#include "platform/win/wide_text.h"
#include "platform/win/win_handles.h"

namespace {
// A lock on a block, released with GlobalUnlock.
struct GlobalLockTraits {
    using Handle = HGLOBAL;
    static HGLOBAL Empty() { return nullptr; }
    static void Close(HGLOBAL block) { GlobalUnlock(block); }
};

// A movable block holding `size` bytes of `data` and a zeroed terminator of
// `terminator` bytes; none when memory is short.
UniqueGlobalBlock BlockOf(const void* data, std::size_t size, std::size_t terminator) {
    UniqueGlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + terminator));
    void* bytes = block ? GlobalLock(block.get()) : nullptr;
    if (!bytes) return UniqueGlobalBlock();
    const UniqueHandle<GlobalLockTraits> lock(block.get());
    std::memcpy(bytes, data, size);
    return block;
}
}  // namespace

bool Win32Clipboard::Open() { return OpenClipboard(m_owner) != FALSE; }

void Win32Clipboard::Close() { CloseClipboard(); }

bool Win32Clipboard::Empty() { return EmptyClipboard() != FALSE; }

bool Win32Clipboard::ReadText(std::string& text) {
    // The system makes the wide text from another program's CF_TEXT too.
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
    const HGLOBAL block = GetClipboardData(CF_UNICODETEXT);
    const auto* characters = block ? static_cast<const wchar_t*>(GlobalLock(block)) : nullptr;
    if (!characters) {
        text.clear();
        return true;
    }
    const UniqueHandle<GlobalLockTraits> lock(block);
    // Another program's block need not hold a NUL: read no further than it.
    text = Utf8FromUtf16(std::wstring_view(characters, wcsnlen(characters, GlobalSize(block) / sizeof(wchar_t))));
    return true;
}

bool Win32Clipboard::ReplaceText(std::string_view text) {
    // The exact text, the code page's text (which the system would otherwise
    // make with look-alikes), and the locale that reads the latter.
    const std::wstring wide = Utf16FromUtf8(text);
    const std::string ansi = AnsiFromUtf16(wide);
    const LCID locale = GetUserDefaultLCID();
    std::pair<UINT, UniqueGlobalBlock> formats[] = {
        {CF_UNICODETEXT, BlockOf(wide.data(), wide.size() * sizeof(wchar_t), sizeof(wchar_t))},
        {CF_TEXT, BlockOf(ansi.data(), ansi.size(), 1)},
        {CF_LOCALE, BlockOf(&locale, sizeof locale, 0)}};
    for (const auto& [format, block] : formats) {
        if (!block) return false;
    }
    if (!EmptyClipboard()) return false;
    for (auto& [format, block] : formats) {
        if (!SetClipboardData(format, block.get())) return false;
        // The clipboard owns the block now.
        block.release();
    }
    return true;
}

std::uint32_t Win32Clipboard::SequenceNumber() { return GetClipboardSequenceNumber(); }
