#include "platform/win/win32_clipboard.h"

#include <cstring>
#include <cwchar>
#include <utility>

#include "platform/win/transfer_trace.h"
#include "platform/win/wide_text.h"
#include "platform/win/win_handles.h"

namespace {
// A lock on a block, released with GlobalUnlock.
struct GlobalLockTraits {
    using Handle = HGLOBAL;
    static HGLOBAL Empty() { return nullptr; }
    static void Close(HGLOBAL block) { GlobalUnlock(block); }
};

// A movable block of `size` bytes that `fill` writes, given its memory;
// none when memory is short.
template <typename Fill>
UniqueGlobalBlock FilledBlock(std::size_t size, const Fill& fill) {
    UniqueGlobalBlock block(GlobalAlloc(GMEM_MOVEABLE, size));
    void* memory = block ? GlobalLock(block.get()) : nullptr;
    if (!memory) return UniqueGlobalBlock();
    const UniqueHandle<GlobalLockTraits> lock(block.get());
    fill(memory);
    return block;
}

// The listing's texts are converted straight into the blocks the clipboard
// takes: a long listing is not copied once more on the way.
UniqueGlobalBlock TextBlock(std::string_view text) {
    return FilledBlock(text.size() + 1, [&](void* memory) {
        auto* bytes = static_cast<char*>(memory);
        std::memcpy(bytes, text.data(), text.size());
        bytes[text.size()] = '\0';
    });
}

UniqueGlobalBlock WideBlock(std::string_view text, std::size_t length) {
    return FilledBlock((length + 1) * sizeof(wchar_t), [&](void* memory) {
        auto* characters = static_cast<wchar_t*>(memory);
        Utf16FromUtf8(text, characters, length);
        characters[length] = L'\0';
    });
}

UniqueGlobalBlock AnsiBlock(HGLOBAL wide, std::size_t wideLength) {
    const auto* characters = static_cast<const wchar_t*>(GlobalLock(wide));
    if (!characters) return UniqueGlobalBlock();
    const UniqueHandle<GlobalLockTraits> lock(wide);
    const std::wstring_view text(characters, wideLength);
    const std::size_t length = AnsiLength(text);
    return FilledBlock(length + 1, [&](void* memory) {
        auto* bytes = static_cast<char*>(memory);
        AnsiFromUtf16(text, bytes, length);
        bytes[length] = '\0';
    });
}

// Gives `block` to the clipboard as `format`; false (the block freed) when
// there is no block or the clipboard does not take it.
bool SetBlock(UINT format, UniqueGlobalBlock block) {
    if (!block || !SetClipboardData(format, block.get())) return false;
    block.release();
    return true;
}
}  // namespace

bool Win32Clipboard::Open() {
    const transfer_trace::Step step("clipboard opened", true);
    return OpenClipboard(m_owner) != FALSE;
}

void Win32Clipboard::Close() {
    const transfer_trace::Step step("clipboard closed", true);
    CloseClipboard();
}

bool Win32Clipboard::Empty() {
    const transfer_trace::Step step("clipboard emptied", true);
    return EmptyClipboard() != FALSE;
}

bool Win32Clipboard::ReadText(std::string& text) {
    const transfer_trace::Step step("clipboard read", true);
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

bool Win32Clipboard::ReplaceText(std::string_view text, bool partial) {
    const transfer_trace::Step step("clipboard written", true);
    // An ASCII text reads the same in every code page: it goes as CF_TEXT, as
    // it always did, and the system makes the exact wide text from it when
    // asked. Any other text goes as the exact wide text and as the code
    // page's text made here, which the system would make with look-alikes.
    // The old texts go once the first block is made, so a long listing is
    // never held three times over; once that block is set the clipboard
    // holds the whole listing, whatever fails after it.
    const bool ascii = IsAscii(text);
    const std::size_t wideLength = ascii ? 0 : Utf16Length(text);
    UniqueGlobalBlock first = ascii ? TextBlock(text) : WideBlock(text, wideLength);
    const HGLOBAL wide = first.get();
    // Clipboard histories, cloud sync and monitors pass over content that
    // holds this format. Its data must be real: a NULL handle would promise
    // it later. It goes in before the text, so a partial text is never there
    // without it.
    static const UINT kExcludeFromHistory = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
    const DWORD none = 0;
    UniqueGlobalBlock marker;
    if (partial) marker = FilledBlock(sizeof none, [&](void* memory) { std::memcpy(memory, &none, sizeof none); });
    // Once set, a block belongs to the clipboard; it stays readable until the
    // clipboard is closed.
    if (!first || (partial && !marker) || !EmptyClipboard()) return false;
    if (partial && !SetBlock(kExcludeFromHistory, std::move(marker))) return false;
    if (!SetBlock(ascii ? CF_TEXT : CF_UNICODETEXT, std::move(first))) return false;
    // The locale whose code page CF_TEXT is in: the system's, not the user's.
    const LCID locale = GetSystemDefaultLCID();
    SetBlock(CF_LOCALE, FilledBlock(sizeof locale, [&](void* memory) { std::memcpy(memory, &locale, sizeof locale); }));
    if (!ascii) SetBlock(CF_TEXT, AnsiBlock(wide, wideLength));
    return true;
}

std::uint32_t Win32Clipboard::SequenceNumber() { return GetClipboardSequenceNumber(); }
