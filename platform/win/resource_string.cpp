#include "platform/win/resource_string.h"

#include "platform/win/wide_text.h"
#include "platform/win/win_app.h"

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

std::wstring FormatResourceText(UINT id, std::string_view argument) {
    std::wstring text = LoadResourceText(id);
    if (const std::size_t at = text.find(L"%s"); at != std::wstring::npos) text.replace(at, 2, Utf16FromUtf8(argument));
    return text;
}

int ShowMessage(HWND owner, const std::wstring& text, UINT titleId, UINT type) {
    if (const CWinApp* app = CWinApp::Get(); app && app->m_quiet) return IDOK;
    return ::MessageBoxW(owner, text.c_str(), LoadResourceText(titleId).c_str(), type);
}

int ResourceMessageBox(HWND owner, UINT textId, UINT titleId, UINT type) {
    return ShowMessage(owner, LoadResourceText(textId), titleId, type);
}
