#include "engine/win/copy_progress_dialog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win/resource_string.h"
#include "resources/resource.h"
#include "tests/windows/clipboard_access.h"

namespace {
using namespace clipboard_access;

// A folder of `count` files under C:\, removed afterwards.
struct Folder {
    std::string path;
    Folder(const char* name, int count) : path(std::string("C:\\") + name) {
        ::CreateDirectoryA(path.c_str(), nullptr);
        for (int i = 0; i < count; ++i) {
            const std::string file = path + "\\file" + std::to_string(1000 + i) + ".txt";
            ::CloseHandle(::CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
    }
    ~Folder() {
        WIN32_FIND_DATAA found;
        const HANDLE search = ::FindFirstFileA((path + "\\*.txt").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do ::DeleteFileA((path + "\\" + found.cFileName).c_str());
            while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(path.c_str());
    }
};

std::string ListingOf(const Folder& folder, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += folder.path + "\\file" + std::to_string(1000 + i) + ".txt\r\n";
    return text + "\r\n";
}

// What the hook sees of the dialog while it runs.
struct RunWatch {
    HWND dialog = nullptr;
    HWND owner = nullptr;
    int statusChanges = 0;
    bool closeRequested = false;
    bool hiddenDuringRun = false;
    bool ownerEnabledWhileHidden = true;
    std::string clipboardWhenHidden;
};
RunWatch* g_watch = nullptr;

LRESULT CALLBACK WatchRun(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    RunWatch& watch = *g_watch;
    if (code == HC_ACTION && call->message == WM_SETTEXT && ::GetDlgCtrlID(call->hwnd) == IDC_STATUS) {
        watch.dialog = ::GetParent(call->hwnd);
        watch.owner = ::GetWindow(watch.dialog, GW_OWNER);
        // The run has begun: the user closes the window now.
        if (watch.statusChanges++ == 0) {
            ::PostMessageA(watch.dialog, WM_CLOSE, 0, 0);
            watch.closeRequested = true;
        }
    }
    if (code == HC_ACTION && call->message == WM_SHOWWINDOW && !call->wParam && call->hwnd == watch.dialog &&
        watch.closeRequested && !watch.hiddenDuringRun) {
        watch.hiddenDuringRun = true;
        watch.ownerEnabledWhileHidden = ::IsWindowEnabled(watch.owner);
        watch.clipboardWhenHidden = ClipboardText();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

struct OwnerWindow {
    HWND hwnd = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ~OwnerWindow() { ::DestroyWindow(hwnd); }
};

TEST(CopyProgressDialogTest, ClosingDuringTheRunHidesTheWindowButTheListingCompletes) {
    const Folder folder("listora-progress-close", 400);
    PutOnClipboard(CF_TEXT, "before");
    const OwnerWindow owner;
    RunWatch watch;
    g_watch = &watch;
    const HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, WatchRun, nullptr, ::GetCurrentThreadId());

    CopyProgressDialog dialog;
    dialog.SetFilterExtension("txt");
    dialog.SetStartPath(folder.path.c_str());
    EXPECT_EQ(dialog.DoModal(owner.hwnd), IDCANCEL);
    ::UnhookWindowsHookEx(hook);
    g_watch = nullptr;

    ASSERT_TRUE(watch.closeRequested);
    EXPECT_TRUE(watch.hiddenDuringRun);
    // Still disabled: no second transfer can start inside this one.
    EXPECT_FALSE(watch.ownerEnabledWhileHidden);
    EXPECT_NE(watch.clipboardWhenHidden, ListingOf(folder, 400));
    EXPECT_EQ(ClipboardText(), ListingOf(folder, 400));
    EXPECT_TRUE(::IsWindowEnabled(owner.hwnd));
}

// Presses OK on the warning box the dialog shows, from inside its loop.
UINT g_boxes = 0;
std::string g_boxText;
void CALLBACK DismissWarning(HWND, UINT, UINT_PTR, DWORD) {
    const HWND box = ::FindWindowA("#32770", LoadResourceString(IDS_APP_TITLE).c_str());
    if (!box) return;
    ++g_boxes;
    char text[256] = {};
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    g_boxText = text;
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST(CopyProgressDialogTest, AMissingClipIsReportedAndTheListingStillComes) {
    const Folder folder("listora-progress-clip", 2);
    PutOnClipboard(CF_TEXT, "before");
    g_boxes = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, DismissWarning);

    CopyProgressDialog dialog;
    dialog.m_clipId = 999;
    dialog.SetFilterExtension("txt");
    dialog.SetStartPath(folder.path.c_str());
    dialog.DoModal();
    ::KillTimer(nullptr, timer);

    EXPECT_EQ(g_boxes, 1u);
    EXPECT_EQ(g_boxText, LoadResourceString(IDS_CLIP_WARNING));
    EXPECT_EQ(ClipboardText(), ListingOf(folder, 2));
}

TEST(CopyProgressDialogTest, TextsAreCutToTheirBuffersWithoutSplittingACharacter) {
    CopyProgressDialog dialog;
    // Seven letters and a double-byte character: the character does not fit.
    dialog.SetFilterExtension("abcdefg\x95\x5C");
    EXPECT_STREQ(dialog.m_filterExtension, "abcdefg");
    const std::string longPath = "C:\\" + std::string(300, 'x');
    dialog.SetStartPath(longPath.c_str());
    EXPECT_EQ(std::string(dialog.m_startPath), longPath.substr(0, MAX_PATH - 1));
}
}  // namespace
