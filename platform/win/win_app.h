#pragma once

#include <windows.h>

class CWnd;

// The one application object. The program defines a global instance; the
// entry point initialises the common controls and calls InitInstance, which
// runs the whole program.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() = 0;

    static CWinApp* Get() { return s_app; }

    // The window that later dialogs are modal over.
    CWnd* m_pMainWnd = nullptr;

private:
    static inline CWinApp* s_app = nullptr;
};
