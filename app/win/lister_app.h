#pragma once

#include "platform/win/win_app.h"

// The program: without arguments it shows the main window and ends when the
// window closes; its command line can open the window at a folder, make a
// transfer without it, or change the Send To menu.
class ListerApp : public CWinApp {
public:
    // Runs the whole program; FALSE, as there is no message loop of the
    // application's own to run afterwards.
    BOOL InitInstance() override;
    int ExitInstance() override { return m_exitCode; }

private:
    int m_exitCode = 0;
};
