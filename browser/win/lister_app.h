#pragma once

#include "platform/win/win_app.h"

// The program: it shows the main window and ends when the window closes.
class ListerApp : public CWinApp {
public:
    // Runs the whole program; FALSE, as there is no message loop of the
    // application's own to run afterwards.
    BOOL InitInstance() override;
};
