#pragma once

#include <windows.h>

#include <string>

class CWnd;

// The one application object. The program's entry point (app/) makes it,
// calls InitInstance, which runs the whole program, then ExitInstance for
// the process's exit code.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() = 0;
    virtual int ExitInstance() { return 0; }

    static CWinApp* Get() { return s_app; }

    // The window that later dialogs are modal over.
    CWnd* m_pMainWnd = nullptr;

private:
    static inline CWinApp* s_app = nullptr;
};

// The full path of the running program's file.
std::wstring ProgramPath();
