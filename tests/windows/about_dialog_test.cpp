#include "about/win/about_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/windows/scripted_dialog.h"

namespace {
using Dialog = ScriptedDialog<AboutDialog>;

// Moves the mouse to a point of the dialog's client area, or presses and
// releases its left button where it is, through the system's input queue.
void Mouse(const Dialog& d, DWORD flags, POINT client = {}) {
    if (flags & MOUSEEVENTF_MOVE) ::ClientToScreen(d.m_hWnd, &client);
    else ::GetCursorPos(&client);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute positions run from 0 to 65535 across the primary screen.
    input.mi.dx = MulDiv(client.x, 65536, ::GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(client.y, 65536, ::GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

void Click(const Dialog& d) {
    Mouse(d, MOUSEEVENTF_LEFTDOWN);
    Mouse(d, MOUSEEVENTF_LEFTUP);
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST(AboutDialogTest, EnterAndEscapeEndTheDialog) {
    for (const auto& [key, result] : {std::pair{VK_RETURN, IDOK}, std::pair{VK_ESCAPE, IDCANCEL}}) {
        Dialog dialog;
        dialog.steps = {[key](Dialog& d) { PressKey(d.m_hWnd, key); }};
        EXPECT_EQ(dialog.DoModal(), result);
    }
}

TEST(AboutDialogTest, TheLinkAreaIsTheRectangleOfControl1094) {
    Dialog dialog;
    RECT expected{11, 109, 177, 10};  // dialog units: origin and size
    dialog.steps = {[&](Dialog& d) {
        ::MapDialogRect(d.m_hWnd, &expected);
        expected.right += expected.left;
        expected.bottom += expected.top;
        EXPECT_TRUE(::EqualRect(&d.m_linkRect, &expected));
        d.EndDialog(IDOK);
    }};
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(AboutDialogTest, TheCursorIsAHandOverTheLinkOnlyAndMadeOnce) {
    Dialog dialog;
    std::vector<int> overLink;
    std::vector<HCURSOR> shown;
    // Into the link, above it, on its right edge, back onto its top left corner.
    const auto at = [](const RECT& r) {
        return std::vector<POINT>{Centre(r), {r.left + 2, r.top - 10}, {r.right, r.bottom - 1}, {r.left, r.top}};
    };
    for (std::size_t i = 0; i <= 4; ++i) {
        dialog.steps.push_back([&, i](Dialog& d) {
            if (i > 0) {
                overLink.push_back(d.m_overLink);
                shown.push_back(::GetCursor());
            }
            if (i < 4) Mouse(d, MOUSEEVENTF_MOVE, at(d.m_linkRect)[i]);
            else PressKey(d.m_hWnd, VK_ESCAPE);
        });
    }
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(overLink, (std::vector<int>{1, 0, 0, 1}));
    const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_EQ(shown.size(), 4u);
    ASSERT_NE(shown[0], arrow);
    EXPECT_EQ(shown, (std::vector<HCURSOR>{shown[0], arrow, arrow, shown[0]}));
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(shown[0], &info));  // destroyed with the dialog
}

TEST(AboutDialogTest, OneClickOnTheLinkOpensTheHomePageOnceAClickElsewhereNothing) {
    Dialog dialog;
    std::vector<std::pair<HWND, std::string>> opened;
    dialog.m_openAddress = [&](HWND parent, const char* address) { opened.emplace_back(parent, address); };
    std::size_t openedByOutsideClick = 99;
    HWND window = nullptr;
    dialog.steps = {
        [&](Dialog& d) { Mouse(d, MOUSEEVENTF_MOVE, {d.m_linkRect.left, d.m_linkRect.top - 1}); },
        [&](Dialog& d) { Click(d); },
        [&](Dialog& d) {
            openedByOutsideClick = opened.size();
            Mouse(d, MOUSEEVENTF_MOVE, Centre(d.m_linkRect));
        },
        [&](Dialog& d) { Click(d); },
        [&](Dialog& d) {
            window = d.m_hWnd;
            PressKey(d.m_hWnd, VK_RETURN);
        },
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(openedByOutsideClick, 0u);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, window);
    EXPECT_EQ(opened[0].second, "http://www.example.com/Kestrin/index.htm");
}
}  // namespace
