#include "platform/win/dpi.h"

UINT SystemDpi() {
    static const UINT dpi = [] {
        const HDC screen = ::GetDC(nullptr);
        const int logical = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen) ::ReleaseDC(nullptr, screen);
        return logical > 0 ? static_cast<UINT>(logical) : 96u;
    }();
    return dpi;
}
