#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Conversions at the system's edge. File and folder names are UTF-8 inside
// the program and UTF-16 in the system's wide calls; the interface's own
// texts, the extension and the registry values stay in the ANSI code page.

std::wstring Utf16FromUtf8(std::string_view utf8);
// Reuses `out`'s storage: for the many paths that are keyed for sorting.
void AssignUtf16FromUtf8(std::wstring& out, std::string_view utf8);
std::string Utf8FromUtf16(std::wstring_view utf16);
// Reuses `out`'s storage: for the many names of a folder search.
void AssignUtf8FromUtf16(std::string& out, std::wstring_view utf16);
// A character the code page cannot express becomes the code page's default
// character, never a look-alike ("é" is not "e": that may name another file).
std::string AnsiFromUtf16(std::wstring_view utf16);
std::string Utf8FromAnsi(std::string_view ansi);

// Whether every byte is ASCII, which all the code pages keep as it is.
bool IsAscii(std::string_view text);

// The same conversions into a caller's buffer, for texts too large to copy
// once more: the length needed, in characters, then the text, unterminated.
std::size_t Utf16Length(std::string_view utf8);
void Utf16FromUtf8(std::string_view utf8, wchar_t* out, std::size_t length);
std::size_t AnsiLength(std::wstring_view utf16);
void AnsiFromUtf16(std::wstring_view utf16, char* out, std::size_t length);

// Whether every character of `utf16` has its own form in the ANSI code page.
bool FitsCodePage(std::wstring_view utf16);

// A full `path` as the wide file calls take it exactly: the "\\?\" form
// ("\\?\UNC\" for a network path), which passes every name as it is (the
// plain form's parser drops a trailing "." or " " from each, so "dir." would
// be "dir") at any length. A device name (NUL, CON...) stays plain.
std::wstring FileSystemPath(std::string_view utf8Path);
