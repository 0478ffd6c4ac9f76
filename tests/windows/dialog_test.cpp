#include "platform/win/dialog.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/win/controls.h"
#include "tests/windows/dialog_test_ids.h"

namespace {
constexpr UINT kStep = WM_APP + 1;

struct CountingList : CListBox {
    int measured = 0;
    int drawn = 0;
    int deleted = 0;
    void MeasureItem(MEASUREITEMSTRUCT& request) override {
        ++measured;
        request.itemHeight = 16;
    }
    void DrawItem(const DRAWITEMSTRUCT&) override { ++drawn; }
    void DeleteItem(const DELETEITEMSTRUCT&) override { ++deleted; }
};

// A dialog whose OnInitDialog posts kStep; the test says what the step does.
struct TestDialog : CDialog {
    TestDialog() : CDialog(TEST_DIALOG) {}

    std::function<void(TestDialog&)> onInit;
    std::function<void(TestDialog&)> onStep;
    std::function<BOOL(MSG*)> preTranslate;
    CountingList list;
    int okCount = 0;
    int cancelCount = 0;

    BOOL OnInitDialog() override {
        BindControl(list, TEST_LIST);
        if (onInit) onInit(*this);
        ::PostMessageA(m_hWnd, kStep, 0, 0);
        return TRUE;
    }
    void OnOK() override {
        ++okCount;
        CDialog::OnOK();
    }
    void OnCancel() override {
        ++cancelCount;
        CDialog::OnCancel();
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (preTranslate && preTranslate(msg)) return TRUE;
        return CDialog::PreTranslateMessage(msg);
    }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kStep) {
            if (onStep) onStep(*this);
            return TRUE;
        }
        return CDialog::OnMessage(message, wParam, lParam);
    }
};

// A hidden top-level window to own the dialogs.
struct OwnerWindow {
    HWND hwnd = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ~OwnerWindow() { ::DestroyWindow(hwnd); }
};

TEST(DialogTest, DoModalReturnsTheEndDialogCodeAndUnbinds) {
    TestDialog dialog;
    dialog.onStep = [](TestDialog& d) { d.EndDialog(42); };
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.list.m_hWnd, nullptr);
}

TEST(DialogTest, EndingBeforeTheLoopRunsEndsItAtOnce) {
    TestDialog dialog;
    bool stepped = false;
    dialog.onInit = [](TestDialog& d) { d.EndDialog(5); };
    dialog.onStep = [&](TestDialog&) { stepped = true; };
    EXPECT_EQ(dialog.DoModal(), 5);
    EXPECT_FALSE(stepped);
}

TEST(DialogTest, CloseRequestAndEscapeBecomeTheCancelCommand) {
    TestDialog closed;
    closed.onStep = [](TestDialog& d) { ::PostMessageA(d.m_hWnd, WM_CLOSE, 0, 0); };
    EXPECT_EQ(closed.DoModal(), IDCANCEL);
    EXPECT_EQ(closed.cancelCount, 1);

    TestDialog escaped;
    escaped.onStep = [](TestDialog& d) { ::PostMessageA(d.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); };
    EXPECT_EQ(escaped.DoModal(), IDCANCEL);
    EXPECT_EQ(escaped.cancelCount, 1);

    TestDialog entered;
    entered.onStep = [](TestDialog& d) { ::PostMessageA(d.m_hWnd, WM_KEYDOWN, VK_RETURN, 0); };
    EXPECT_EQ(entered.DoModal(), IDOK);
    EXPECT_EQ(entered.okCount, 1);
}

TEST(DialogTest, PreTranslateMessageSeesKeysBeforeTheDialogManager) {
    TestDialog dialog;
    int swallowed = 0;
    dialog.preTranslate = [&](MSG* msg) {
        if (msg->message != WM_KEYDOWN || msg->wParam != VK_ESCAPE) return FALSE;
        ++swallowed;
        return TRUE;
    };
    int step = 0;
    dialog.onStep = [&](TestDialog& d) {
        if (step++ == 0) {
            ::PostMessageA(d.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
            ::PostMessageA(d.m_hWnd, kStep, 0, 0);
        } else {
            d.EndDialog(7);
        }
    };
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(swallowed, 1);
    EXPECT_EQ(dialog.cancelCount, 0);
}

TEST(DialogTest, OwnerStaysDisabledUntilTheHandlerThatEndedTheDialogReturns) {
    OwnerWindow owner;
    TestDialog dialog;
    BOOL enabledDuringRun = TRUE;
    BOOL enabledAfterEnd = TRUE;
    BOOL visibleAfterEnd = TRUE;
    dialog.onStep = [&](TestDialog& d) {
        enabledDuringRun = ::IsWindowEnabled(owner.hwnd);
        d.EndDialog(IDOK);
        // The dialog is gone from the screen, but this handler still runs.
        visibleAfterEnd = ::IsWindowVisible(d.m_hWnd);
        enabledAfterEnd = ::IsWindowEnabled(owner.hwnd);
    };
    EXPECT_EQ(dialog.DoModal(owner.hwnd), IDOK);
    EXPECT_FALSE(enabledDuringRun);
    EXPECT_FALSE(visibleAfterEnd);
    EXPECT_FALSE(enabledAfterEnd);
    EXPECT_TRUE(::IsWindowEnabled(owner.hwnd));
}

TEST(DialogTest, OwnerDrawRequestsReachTheBoundControl) {
    TestDialog dialog;
    LRESULT itemHeight = 0;
    int deletedAtReset = 0;
    dialog.onStep = [&](TestDialog& d) {
        for (const char* name : {"b", "a", "c"}) d.list.AddString(name);
        itemHeight = ::SendMessageA(d.list.m_hWnd, LB_GETITEMHEIGHT, 0, 0);
        ::UpdateWindow(d.m_hWnd);
        d.list.ResetContent();
        deletedAtReset = d.list.deleted;
        d.list.AddString("left at the end");
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.list.measured, 4);
    EXPECT_EQ(itemHeight, 16);
    EXPECT_GT(dialog.list.drawn, 0);
    EXPECT_EQ(deletedAtReset, 3);
    // The item still in the list is deleted with the window, while the
    // control object is still bound.
    EXPECT_EQ(dialog.list.deleted, 4);
}

TEST(DialogTest, AModalDialogOpensCentredOnItsOwnerAndInsideTheWorkArea) {
    OwnerWindow owner;
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    // The second owner lies mostly above and left of the screen.
    for (const POINT at : {POINT{300, 200}, POINT{-250, -180}}) {
        ::SetWindowPos(owner.hwnd, nullptr, at.x, at.y, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        TestDialog dialog;
        RECT placed{};
        dialog.onStep = [&](TestDialog& d) {
            ::GetWindowRect(d.m_hWnd, &placed);
            d.EndDialog(IDOK);
        };
        dialog.DoModal(owner.hwnd);
        if (at.x > 0) {  // same centre
            EXPECT_NEAR(placed.left + placed.right, 2 * at.x + 400, 1);
            EXPECT_NEAR(placed.top + placed.bottom, 2 * at.y + 300, 1);
        } else {
            EXPECT_EQ(placed.left, area.left);
            EXPECT_EQ(placed.top, area.top);
        }
    }

    TestDialog placesItself;
    placesItself.onInit = [](TestDialog& d) { ::SetWindowPos(d.m_hWnd, nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER); };
    RECT placed{};
    placesItself.onStep = [&](TestDialog& d) {
        ::GetWindowRect(d.m_hWnd, &placed);
        d.EndDialog(IDOK);
    };
    placesItself.DoModal(owner.hwnd);
    EXPECT_EQ(placed.left, 5);
    EXPECT_EQ(placed.top, 6);
}
}  // namespace
