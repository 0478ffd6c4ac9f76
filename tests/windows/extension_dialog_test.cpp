#include "browser/win/extension_dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resources/resource.h"
#include "tests/windows/scripted_dialog.h"

namespace {
using Dialog = ScriptedDialog<ExtensionDialog>;

struct Outcome {
    INT_PTR result = 0;
    std::string extension;
    std::string shownAtStart;  // static 1080, then edit 1081
};

std::string ItemText(HWND item) {
    char text[64] = "";
    ::GetWindowTextA(item, text, sizeof text);
    return text;
}

// Opens the dialog on `current`, types `entry` where the focus is and ends
// the dialog with `finish`.
Outcome RunDialog(const char* current, const std::string& entry, std::function<void(Dialog&)> finish) {
    Dialog dialog;
    dialog.SetExtension(current);
    Outcome outcome;
    dialog.steps = {[&](Dialog& d) {
                        outcome.shownAtStart = ItemText(d.Item(IDC_CURRENT_EXTENSION)) + "|" +
                                               ItemText(d.Item(IDC_NEW_EXTENSION));
                        TypeText(::GetFocus(), entry);
                    },
                    finish};
    outcome.result = dialog.DoModal();
    char buffer[9];
    std::memset(buffer, 'x', sizeof buffer);
    dialog.GetExtension(buffer);
    outcome.extension.assign(buffer, ::strnlen(buffer, sizeof buffer));
    return outcome;
}

TEST(ExtensionDialogTest, ChangeAndEnterTakeTheEntryCutToEightBytes) {
    const auto click = [](Dialog& d) { ::PostMessageA(d.Item(IDC_CHANGE_EXTENSION), BM_CLICK, 0, 0); };
    const auto enter = [](Dialog&) { PressKey(::GetFocus(), VK_RETURN); };
    const struct {
        std::string entry;
        std::string expected;
        std::function<void(Dialog&)> finish;
    } cases[] = {
        {"txt", "txt", click},
        {"", "*", click},
        {"abcdefghijkl", "abcdefgh", click},
        // abc and four cp932 characters, the first with a 0x5C second byte:
        // the eighth byte is the first half of the third.
        {"abc\x95\x5C\x8E\xA6\x8A\x67\x92\xA3", "abc\x95\x5C\x8E\xA6", click},
        {"log", "log", enter},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const Outcome outcome = RunDialog("cpp", c.entry, c.finish);
        EXPECT_EQ(outcome.result, IDOK);
        EXPECT_EQ(outcome.extension, c.expected);
        EXPECT_EQ(outcome.shownAtStart, "cpp|");
    }
}

TEST(ExtensionDialogTest, CancelEscapeAndCloseBoxGiveBackTheExtensionHandedIn) {
    const std::function<void(Dialog&)> ways[] = {
        [](Dialog& d) { ::PostMessageA(d.Item(IDC_EXTENSION_CANCEL), BM_CLICK, 0, 0); },
        [](Dialog&) { PressKey(::GetFocus(), VK_ESCAPE); },
        [](Dialog& d) { ::PostMessageA(d.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (const auto& way : ways) {
        // Handed in 9 bytes, of which the dialog keeps 8 at most and no half
        // of a double-byte character.
        const Outcome outcome = RunDialog("abcde\x95\x5C\x8E\xA6", "txt", way);
        EXPECT_EQ(outcome.result, IDCANCEL);
        EXPECT_EQ(outcome.extension, "abcde\x95\x5C");
        EXPECT_EQ(outcome.shownAtStart, "abcde\x95\x5C|");
    }
}
}  // namespace
