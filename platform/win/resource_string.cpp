#include "platform/win/resource_string.h"

#include "platform/win/wide_text.h"

std::string LoadResourceString(UINT id) {
    // The program's strings are short labels; a longer one is cut.
    char text[256];
    const int length = ::LoadStringA(::GetModuleHandleA(nullptr), id, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring LoadResourceText(UINT id) {
    // With no buffer the call gives the table's own read-only text.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(::GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

namespace {
// String `id` with its first `marker` replaced by `value`.
std::wstring FormatResource(UINT id, std::wstring_view marker, const std::wstring& value) {
    std::wstring text = LoadResourceText(id);
    if (const std::size_t at = text.find(marker); at != std::wstring::npos) text.replace(at, marker.size(), value);
    return text;
}
}  // namespace

std::wstring FormatResourceText(UINT id, std::string_view argument) {
    return FormatResource(id, L"%s", Utf16FromUtf8(argument));
}

std::wstring FormatResourceCount(UINT id, std::size_t count) {
    return FormatResource(id, L"%u", std::to_wstring(count));
}

int ShowMessage(HWND owner, Messages messages, const std::wstring& text, UINT titleId, UINT type) {
    if (messages == Messages::Quiet) return IDOK;
    return ::MessageBoxW(owner, text.c_str(), LoadResourceText(titleId).c_str(), type);
}

int ResourceMessageBox(HWND owner, Messages messages, UINT textId, UINT titleId, UINT type) {
    return ShowMessage(owner, messages, LoadResourceText(textId), titleId, type);
}
