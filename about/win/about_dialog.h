#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/win_handles.h"

// The version box: two pictures, and in the lower one an area that works as
// a link to the home page. Over the area the cursor is a pointing hand; a
// click there opens the page in the user's browser.
class AboutDialog : public CDialog {
public:
    AboutDialog();

    BOOL OnInitDialog() override;
    // Shows the pictures at the display scale `dpi` and takes the link's
    // place from control 1094 again.
    void ScaleForDisplay(UINT dpi);
    // WM_SETCURSOR: TRUE when the cursor is over the link and was set here.
    BOOL OnSetCursor();
    // WM_LBUTTONDOWN and WM_LBUTTONUP over the dialog. The page opens on the
    // release only, so that one click opens it once.
    void OnLinkClick(UINT message);
    // The pointing hand over the link, made once per showing of the dialog
    // and destroyed with its window.
    HCURSOR GetLinkCursor();

    // Opens a web address for `parent`; the shell's "open" unless replaced.
    std::function<void(HWND parent, const char* address)> m_openAddress;

    CStatic m_linkStatic;
    // The link in client coordinates, from control 1094.
    RECT m_linkRect{};
    // 1 while the cursor is over the link.
    std::int16_t m_overLink = 0;

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ReleaseLinkCursor();

    // A picture control, the bitmap it was made with (its own, handed back
    // before it is destroyed), and the copy drawn for the display's scale.
    struct Picture {
        HWND control;
        HBITMAP original;
        UniqueGdiObject scaled;
    };
    std::vector<Picture> m_pictures;

    UniqueCursor m_linkCursor;
};
