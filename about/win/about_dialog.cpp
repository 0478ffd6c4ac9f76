#include "about/win/about_dialog.h"

#include <shellapi.h>

#include <string>

#include "about/link_area.h"
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
}  // namespace

AboutDialog::AboutDialog() : CDialog(IDD_ABOUT_DIALOG), m_openAddress(OpenInShell) {}

BOOL AboutDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    BindControl(m_linkStatic, IDC_LINK_AREA);
    ::GetWindowRect(m_linkStatic.m_hWnd, &m_linkRect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&m_linkRect), 2);
    m_overLink = 0;
    return TRUE;
}

BOOL AboutDialog::OnSetCursor() {
    POINT point{};
    ::GetCursorPos(&point);
    ::ScreenToClient(m_hWnd, &point);
    const LinkArea link{m_linkRect.left, m_linkRect.top, m_linkRect.right, m_linkRect.bottom};
    if (IsInsideLinkArea(link, point.x, point.y)) {
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
    case WM_DESTROY:
        ReleaseLinkCursor();
        break;
    default:
        break;
    }
    return CDialog::OnMessage(message, wParam, lParam);
}
