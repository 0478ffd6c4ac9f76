#include "platform/win/resource_string.h"

std::string LoadResourceString(UINT id) {
    // The program's strings are short labels; a longer one is cut.
    char text[256];
    const int length = ::LoadStringA(::GetModuleHandleA(nullptr), id, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

int ResourceMessageBox(HWND owner, UINT textId, UINT titleId, UINT type) {
    return ::MessageBoxA(owner, LoadResourceString(textId).c_str(), LoadResourceString(titleId).c_str(), type);
}
