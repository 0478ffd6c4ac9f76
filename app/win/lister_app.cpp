#include "app/win/lister_app.h"

#include <commctrl.h>
#include <objbase.h>

#include "browser/win/main_dialog.h"
#include "command_line/win/command_line_actions.h"

namespace {
// The shell's icon and name queries want COM on the calling thread.
class ComApartment {
public:
    ComApartment() : m_initialised(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (m_initialised) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_initialised;
};
}  // namespace

BOOL ListerApp::InitInstance() {
    const ComApartment com;
    const ParsedCommandLine parsed = ReadCommandLine(::GetCommandLineW());
    const CommandLine& line = parsed.line;
    if (parsed.error != CommandLineError::None || line.action == CommandLine::Action::Usage) {
        m_exitCode = ShowUsage(parsed);
    } else if (line.action == CommandLine::Action::Transfer) {
        m_exitCode = RunOneShotTransfer(line);
    } else if (line.action == CommandLine::Action::AddSendTo || line.action == CommandLine::Action::RemoveSendTo) {
        m_exitCode = ChangeSendTo(line);
    } else if (line.action != CommandLine::Action::Window) {
        m_exitCode = ChangeContextMenu(line);
    } else {
        MainDialog dialog;
        if (!line.paths.empty()) dialog.SetStartPath(line.paths[0]);
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_ANIMATE_CLASS};
    ::InitCommonControlsEx(&controls);
    ListerApp app;
    app.InitInstance();
    return app.ExitInstance();
}
