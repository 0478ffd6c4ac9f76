#include "platform/win/win_app.h"

#include <commctrl.h>

CWinApp::CWinApp() { s_app = this; }

CWinApp::~CWinApp() { s_app = nullptr; }

std::wstring ProgramPath() {
    // Room for the longest path the system allows.
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_ANIMATE_CLASS};
    ::InitCommonControlsEx(&controls);
    CWinApp* app = CWinApp::Get();
    if (!app) return 0;
    app->InitInstance();
    return app->ExitInstance();
}
