#include "platform/win/wide_text.h"

#include <windows.h>

#include <climits>

namespace {
// A length the conversion calls take; no text of the program comes near it.
int CallLength(std::size_t length) { return length > INT_MAX ? INT_MAX : static_cast<int>(length); }

std::wstring Utf16From(UINT codePage, std::string_view text) {
    std::wstring out(static_cast<std::size_t>(::MultiByteToWideChar(codePage, 0, text.data(), CallLength(text.size()), nullptr, 0)), L'\0');
    if (!out.empty()) {
        ::MultiByteToWideChar(codePage, 0, text.data(), CallLength(text.size()), out.data(), CallLength(out.size()));
    }
    return out;
}

void AssignFromUtf16(std::string& out, UINT codePage, DWORD flags, std::wstring_view text) {
    const int length = CallLength(text.size());
    const int needed = ::WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(needed > 0 ? needed : 0));
    if (!out.empty()) ::WideCharToMultiByte(codePage, flags, text.data(), length, out.data(), needed, nullptr, nullptr);
}
}  // namespace

std::wstring Utf16FromUtf8(std::string_view utf8) { return Utf16From(CP_UTF8, utf8); }

std::string Utf8FromUtf16(std::wstring_view utf16) {
    std::string out;
    AssignUtf8FromUtf16(out, utf16);
    return out;
}

void AssignUtf8FromUtf16(std::string& out, std::wstring_view utf16) { AssignFromUtf16(out, CP_UTF8, 0, utf16); }

std::string AnsiFromUtf16(std::wstring_view utf16) {
    std::string out;
    AssignFromUtf16(out, CP_ACP, WC_NO_BEST_FIT_CHARS, utf16);
    return out;
}

std::string Utf8FromAnsi(std::string_view ansi) { return Utf8FromUtf16(Utf16From(CP_ACP, ansi)); }

std::wstring FileSystemPath(std::string_view utf8Path) {
    std::wstring path = Utf16FromUtf8(utf8Path);
    // Room for an 8.3 name below a folder is what the plain form leaves.
    const bool drivePath = path.size() >= 2 && path[1] == L':';
    if (drivePath && path.size() >= MAX_PATH - 12) path.insert(0, L"\\\\?\\");
    return path;
}
