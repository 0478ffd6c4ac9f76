#include "browser/win/lister_app.h"

#include <objbase.h>

#include "browser/win/main_dialog.h"

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

ListerApp theApp;
}  // namespace

BOOL ListerApp::InitInstance() {
    const ComApartment com;
    MainDialog dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
