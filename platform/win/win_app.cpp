#include "platform/win/win_app.h"

#include <commctrl.h>

CWinApp::CWinApp() { s_app = this; }

CWinApp::~CWinApp() { s_app = nullptr; }

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_ANIMATE_CLASS};
    ::InitCommonControlsEx(&controls);
    if (CWinApp* app = CWinApp::Get()) app->InitInstance();
    return 0;
}
