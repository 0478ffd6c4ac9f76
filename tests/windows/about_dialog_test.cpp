#include "about/about_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/windows/scripted_dialog.h"

namespace {
using Dialog = ScriptedDialog<AboutDialog>;

struct Opened {
    HWND parent;
    std::string address;
};

// A dialog whose home page is counted, not opened.
struct CountingAboutDialog : Dialog {
    std::vector<Opened> opened;
    CountingAboutDialog() {
        m_openAddress = [this](HWND parent, const char* address) { opened.push_back({parent, address}); };
    }
};

void SendMouse(DWORD flags, POINT screen = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute positions run from 0 to 65535 across the primary screen.
    input.mi.dx = MulDiv(screen.x, 65536, ::GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(screen.y, 65536, ::GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

// Moves the mouse to a point of the dialog's client area.
void MoveTo(const Dialog& d, POINT client) {
    ::ClientToScreen(d.m_hWnd, &client);
    SendMouse(MOUSEEVENTF_MOVE, client);
}

void Click() {
    POINT at{};
    ::GetCursorPos(&at);
    SendMouse(MOUSEEVENTF_LEFTDOWN, at);
    SendMouse(MOUSEEVENTF_LEFTUP, at);
}

// A control's rectangle in client pixels, from its template position and
// size in dialog units, converted as the dialog manager does: origin and
// size each on its own.
RECT ControlRect(const Dialog& d, int x, int y, int width, int height) {
    RECT r{x, y, width, height};
    ::MapDialogRect(d.m_hWnd, &r);
    return {r.left, r.top, r.left + r.right, r.top + r.bottom};
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST(AboutDialogTest, EnterAndEscapeEndTheDialog) {
    Dialog entered;
    entered.steps = {[](Dialog& d) { PressKey(d.m_hWnd, VK_RETURN); }};
    EXPECT_EQ(entered.DoModal(), IDOK);

    Dialog escaped;
    escaped.steps = {[](Dialog& d) { PressKey(d.m_hWnd, VK_ESCAPE); }};
    EXPECT_EQ(escaped.DoModal(), IDCANCEL);
}

TEST(AboutDialogTest, TheLinkAreaIsTheRectangleOfControl1094) {
    Dialog dialog;
    RECT expected{};
    RECT got{};
    dialog.steps = {[&](Dialog& d) {
        expected = ControlRect(d, 11, 109, 177, 10);
        got = d.m_linkRect;
        d.EndDialog(IDOK);
    }};
    dialog.DoModal();
    EXPECT_EQ(got.left, expected.left);
    EXPECT_EQ(got.top, expected.top);
    EXPECT_EQ(got.right, expected.right);
    EXPECT_EQ(got.bottom, expected.bottom);
    EXPECT_GT(got.right, got.left);
}

TEST(AboutDialogTest, TheCursorIsAHandOverTheLinkOnlyAndMadeOnce) {
    Dialog dialog;
    const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR hand = nullptr;
    std::vector<int> overLink;
    std::vector<HCURSOR> shown;
    const auto record = [&](Dialog& d) {
        overLink.push_back(d.m_overLink);
        shown.push_back(::GetCursor());
    };
    dialog.steps = {
        [&](Dialog& d) { MoveTo(d, Centre(d.m_linkRect)); },
        [&](Dialog& d) {
            record(d);
            hand = d.GetLinkCursor();
            MoveTo(d, {d.m_linkRect.left + 2, d.m_linkRect.top - 10});
        },
        [&](Dialog& d) {
            record(d);
            // Just past the bottom right corner: the right and bottom edges are outside.
            MoveTo(d, {d.m_linkRect.right, d.m_linkRect.bottom - 1});
        },
        [&](Dialog& d) {
            record(d);
            MoveTo(d, {d.m_linkRect.left, d.m_linkRect.top});
        },
        [&](Dialog& d) {
            record(d);
            PressKey(d.m_hWnd, VK_ESCAPE);
        },
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(overLink, (std::vector<int>{1, 0, 0, 1}));
    ASSERT_NE(hand, nullptr);
    EXPECT_NE(hand, arrow);
    EXPECT_EQ(shown, (std::vector<HCURSOR>{hand, arrow, arrow, hand}));
    // Gone with the dialog.
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(hand, &info));
}

TEST(AboutDialogTest, OneClickOnTheLinkOpensTheHomePageOnceAndAClickElsewhereNothing) {
    CountingAboutDialog dialog;
    std::size_t openedAfterOutsideClick = 99;
    HWND window = nullptr;
    dialog.steps = {
        [&](Dialog& d) {
            window = d.m_hWnd;
            MoveTo(d, {d.m_linkRect.left, d.m_linkRect.top - 1});
        },
        [&](Dialog&) { Click(); },
        [&](Dialog& d) {
            openedAfterOutsideClick = dialog.opened.size();
            MoveTo(d, Centre(d.m_linkRect));
        },
        [&](Dialog&) { Click(); },
        [&](Dialog& d) { PressKey(d.m_hWnd, VK_RETURN); },
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(openedAfterOutsideClick, 0u);
    ASSERT_EQ(dialog.opened.size(), 1u);
    EXPECT_EQ(dialog.opened[0].parent, window);
    EXPECT_EQ(dialog.opened[0].address, "http://www.example.com/Kestrin/index.htm");
}
}  // namespace
