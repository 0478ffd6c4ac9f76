#include "platform/win/wide_text.h"

#include <windows.h>

#include <algorithm>
#include <climits>

#include "text/path_rules.h"

namespace {
// A length the conversion calls take; no text of the program comes near it.
int CallLength(std::size_t length) { return length > INT_MAX ? INT_MAX : static_cast<int>(length); }

// A character the code page cannot express becomes its default character.
constexpr DWORD kNoLookAlikes = WC_NO_BEST_FIT_CHARS;

std::size_t Utf16Length(UINT codePage, std::string_view text) {
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), CallLength(text.size()), nullptr, 0);
    return length > 0 ? static_cast<std::size_t>(length) : 0;
}

void Utf16Into(UINT codePage, std::string_view text, wchar_t* out, std::size_t length) {
    if (length > 0) ::MultiByteToWideChar(codePage, 0, text.data(), CallLength(text.size()), out, CallLength(length));
}

std::size_t BytesLength(UINT codePage, DWORD flags, std::wstring_view text) {
    const int length =
        ::WideCharToMultiByte(codePage, flags, text.data(), CallLength(text.size()), nullptr, 0, nullptr, nullptr);
    return length > 0 ? static_cast<std::size_t>(length) : 0;
}

// The bytes written: none when `length` is too short.
std::size_t BytesInto(UINT codePage, DWORD flags, std::wstring_view text, char* out, std::size_t length) {
    const int written = length == 0 ? 0
                                    : ::WideCharToMultiByte(codePage, flags, text.data(), CallLength(text.size()), out,
                                                            CallLength(length), nullptr, nullptr);
    return written > 0 ? static_cast<std::size_t>(written) : 0;
}

// Converting without look-alikes costs several times a copy, and listings are
// mostly ASCII, which every ANSI code page keeps as it is: only the runs of
// other characters are converted. `visit` gets each run and whether it is ASCII.
template <typename Visit>
void ForEachRun(std::wstring_view text, const Visit& visit) {
    for (std::size_t start = 0, end = 0; start < text.size(); start = end) {
        const bool ascii = text[start] < 0x80;
        while (end < text.size() && (text[end] < 0x80) == ascii) ++end;
        visit(text.substr(start, end - start), ascii);
    }
}

std::wstring Utf16From(UINT codePage, std::string_view text) {
    std::wstring out(Utf16Length(codePage, text), L'\0');
    Utf16Into(codePage, text, out.data(), out.size());
    return out;
}

void AssignBytes(std::string& out, UINT codePage, DWORD flags, std::wstring_view text) {
    out.resize(BytesLength(codePage, flags, text));
    BytesInto(codePage, flags, text, out.data(), out.size());
}
}  // namespace

std::wstring Utf16FromUtf8(std::string_view utf8) {
    std::wstring out;
    AssignUtf16FromUtf8(out, utf8);
    return out;
}

void AssignUtf16FromUtf8(std::wstring& out, std::string_view utf8) {
    out.resize(Utf16Length(utf8));
    Utf16FromUtf8(utf8, out.data(), out.size());
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// ASCII, most of a listing, is widened by a plain copy.
std::size_t Utf16Length(std::string_view utf8) { return IsAscii(utf8) ? utf8.size() : Utf16Length(CP_UTF8, utf8); }

void Utf16FromUtf8(std::string_view utf8, wchar_t* out, std::size_t length) {
    if (!IsAscii(utf8)) return Utf16Into(CP_UTF8, utf8, out, length);
    std::copy_n(utf8.begin(), std::min(length, utf8.size()), out);
}

std::string Utf8FromUtf16(std::wstring_view utf16) {
    std::string out;
    AssignUtf8FromUtf16(out, utf16);
    return out;
}

void AssignUtf8FromUtf16(std::string& out, std::wstring_view utf16) {
    // Most names are ASCII: narrowed by a plain copy.
    if (std::all_of(utf16.begin(), utf16.end(), [](wchar_t c) { return c < 0x80; })) {
        out.resize(utf16.size());
        std::copy(utf16.begin(), utf16.end(), out.begin());
        return;
    }
    AssignBytes(out, CP_UTF8, 0, utf16);
}

std::string AnsiFromUtf16(std::wstring_view utf16) {
    std::string out(AnsiLength(utf16), '\0');
    AnsiFromUtf16(utf16, out.data(), out.size());
    return out;
}

std::size_t AnsiLength(std::wstring_view utf16) {
    std::size_t length = 0;
    ForEachRun(utf16, [&](std::wstring_view run, bool ascii) {
        length += ascii ? run.size() : BytesLength(CP_ACP, kNoLookAlikes, run);
    });
    return length;
}

void AnsiFromUtf16(std::wstring_view utf16, char* out, std::size_t length) {
    std::size_t at = 0;
    ForEachRun(utf16, [&](std::wstring_view run, bool ascii) {
        if (!ascii) {
            at += BytesInto(CP_ACP, kNoLookAlikes, run, out + at, length - at);
            return;
        }
        const std::size_t copied = std::min(run.size(), length - at);
        std::copy_n(run.begin(), copied, out + at);
        at += copied;
    });
}

std::string Utf8FromAnsi(std::string_view ansi) { return Utf8FromUtf16(Utf16From(CP_ACP, ansi)); }

bool FitsCodePage(std::wstring_view utf16) { return Utf16From(CP_ACP, AnsiFromUtf16(utf16)) == utf16; }

std::wstring FileSystemPath(std::string_view utf8Path) {
    std::wstring path = Utf16FromUtf8(utf8Path);
    // A device is opened by its plain name only.
    if (IsDeviceName(utf8Path)) return path;
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') {
        path.insert(0, L"\\\\?\\");
    } else if (path.starts_with(L"\\\\") && !path.starts_with(L"\\\\?\\") && !path.starts_with(L"\\\\.\\")) {
        // A network path: "\\server\share" becomes "\\?\UNC\server\share".
        path.replace(0, 2, L"\\\\?\\UNC\\");
    }
    return path;
}
