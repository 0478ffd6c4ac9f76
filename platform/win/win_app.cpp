#include "platform/win/win_app.h"

CWinApp::CWinApp() { s_app = this; }

CWinApp::~CWinApp() { s_app = nullptr; }

std::wstring ProgramPath() {
    // Room for the longest path the system allows.
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}
