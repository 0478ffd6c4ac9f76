#include "about/win/about_dialog.h"

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <utility>

#include "platform/win/dpi.h"
#include "platform/win/system_text_services.h"
#include "resources/resource.h"

namespace {
// A reserved example host: no real site is ever opened.
constexpr char kHomePage[] = "http://www.example.com/Kestrin/index.htm";
// The pointing hand among the help program's resources.
constexpr WORD kHelpProgramHandCursor = 106;

void OpenInShell(HWND parent, const char* address) {
    // A page that cannot be opened is nothing to report.
    ::ShellExecuteA(parent, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

// The help program's hand where there is one, else the system's. Always a
// copy, so that the dialog owns what it destroys and the help program is
// not kept loaded.
UniqueCursor LoadLinkCursor() {
    std::string path(MAX_PATH, '\0');
    const UINT length = ::GetWindowsDirectoryA(path.data(), MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        path.resize(length);
        SystemTextServices().AddBackslash(path);
        path += "winhlp32.exe";
        // As data: only its resources are wanted, none of its code runs.
        const UniqueLibrary help(::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        if (help) {
            if (HCURSOR hand = ::LoadCursorA(help.get(), MAKEINTRESOURCEA(kHelpProgramHandCursor))) {
                return UniqueCursor(CopyCursor(hand));
            }
        }
    }
    return UniqueCursor(CopyCursor(::LoadCursorA(nullptr, IDC_HAND)));
}

// `original` stretched to `width` x `height` with a smoothing filter; a
// 24-bit bitmap, which every picture control shows as it is.
UniqueGdiObject ScaledBitmap(HBITMAP original, LONG width, LONG height) {
    BITMAP size{};
    if (width <= 0 || height <= 0 || !::GetObjectA(original, sizeof size, &size)) return UniqueGdiObject();
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueGdiObject scaled(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UniqueMemoryDc from(::CreateCompatibleDC(nullptr));
    const UniqueMemoryDc to(::CreateCompatibleDC(nullptr));
    if (!scaled || !from || !to) return UniqueGdiObject();
    const HGDIOBJ fromBefore = ::SelectObject(from.get(), original);
    const HGDIOBJ toBefore = ::SelectObject(to.get(), scaled.get());
    ::SetStretchBltMode(to.get(), HALFTONE);
    ::SetBrushOrgEx(to.get(), 0, 0, nullptr);
    const BOOL drawn =
        ::StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    // Neither bitmap may stay selected: the picture control selects them itself.
    ::SelectObject(from.get(), fromBefore);
    ::SelectObject(to.get(), toBefore);
    return drawn ? std::move(scaled) : UniqueGdiObject();
}

// Posted on a change of display, so that the pictures are scaled after the
// dialog manager has laid the dialog out for the new scale.
constexpr UINT kScaleForDisplay = WM_APP + 1;
}  // namespace

AboutDialog::AboutDialog() : CDialog(IDD_ABOUT_DIALOG), m_openAddress(OpenInShell) {}

BOOL AboutDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    BindControl(m_linkStatic, IDC_LINK_AREA);
    m_pictures.clear();
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const auto bitmap = reinterpret_cast<HBITMAP>(::SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0));
        if ((::GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP && bitmap) {
            m_pictures.push_back({child, bitmap, UniqueGdiObject()});
        }
    }
    ScaleForDisplay(WindowDpi(m_hWnd));
    m_overLink = 0;
    return TRUE;
}

void AboutDialog::ScaleForDisplay(UINT dpi) {
    // At 100% the pictures are shown as drawn. At other scales the dialog
    // units grow with the font, not exactly with the scale: each picture
    // then fills the dialog's width from where the template put it down to
    // the next picture (the last one to the bottom), so that the pictures
    // meet and the link area, placed in dialog units too, lies on the link.
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    std::vector<LONG> tops;
    for (const Picture& picture : m_pictures) {
        RECT place{};
        ::GetWindowRect(picture.control, &place);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
        tops.push_back(place.top);
    }
    for (std::size_t i = 0; i < m_pictures.size(); ++i) {
        Picture& picture = m_pictures[i];
        LONG bottom = client.bottom;
        for (LONG top : tops) {
            if (top > tops[i]) bottom = std::min(bottom, top);
        }
        UniqueGdiObject scaled =
            dpi == 96 ? UniqueGdiObject() : ScaledBitmap(picture.original, client.right, bottom - tops[i]);
        const HGDIOBJ shown = scaled ? scaled.get() : picture.original;
        ::SendMessageA(picture.control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
        picture.scaled = std::move(scaled);
    }
    ::GetWindowRect(m_linkStatic.m_hWnd, &m_linkRect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&m_linkRect), 2);
}

BOOL AboutDialog::OnSetCursor() {
    POINT point{};
    ::GetCursorPos(&point);
    ::ScreenToClient(m_hWnd, &point);
    // The right and bottom edges lie outside, as with every rectangle of the system.
    if (::PtInRect(&m_linkRect, point)) {
        ::SetCursor(GetLinkCursor());
        m_overLink = 1;
        return TRUE;
    }
    m_overLink = 0;
    return FALSE;
}

void AboutDialog::OnLinkClick(UINT message) {
    if (message == WM_LBUTTONUP && m_overLink == 1 && m_openAddress) m_openAddress(m_hWnd, kHomePage);
}

HCURSOR AboutDialog::GetLinkCursor() {
    if (!m_linkCursor) m_linkCursor = LoadLinkCursor();
    return m_linkCursor.get();
}

void AboutDialog::ReleaseLinkCursor() {
    // Destroying the cursor on the screen would leave the screen a dead
    // handle: give it the arrow back first.
    if (m_linkCursor && ::GetCursor() == m_linkCursor.get()) ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    m_linkCursor.reset();
}

INT_PTR AboutDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            if (!OnSetCursor()) break;
            // Handled: the default handling would put the arrow back.
            SetMessageResult(TRUE);
            return TRUE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            OnLinkClick(message);
            break;
        case WM_DPICHANGED:
            ::PostMessageA(m_hWnd, kScaleForDisplay, LOWORD(wParam), 0);
            break;
        case kScaleForDisplay:
            ScaleForDisplay(static_cast<UINT>(wParam));
            return TRUE;
        case WM_DESTROY:
            ReleaseLinkCursor();
            // The picture controls get their own bitmaps back, to destroy as
            // they would have, and the scaled copies are deleted.
            ScaleForDisplay(96);
            break;
        default:
            break;
    }
    return CDialog::OnMessage(message, wParam, lParam);
}
