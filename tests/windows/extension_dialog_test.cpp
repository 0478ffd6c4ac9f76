#include "browser/extension_dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "resources/resource.h"
#include "tests/windows/scripted_dialog.h"

namespace {
using Dialog = ScriptedDialog<ExtensionDialog>;

struct Outcome {
    INT_PTR result = 0;
    std::string extension;
    std::string shownAtStart;
    std::string entryAtStart;
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
    dialog.steps = {
        [&](Dialog& d) {
            outcome.shownAtStart = ItemText(d.Item(IDC_CURRENT_EXTENSION));
            outcome.entryAtStart = ItemText(d.Item(IDC_NEW_EXTENSION));
            TypeText(::GetFocus(), entry);
        },
        finish,
    };
    outcome.result = dialog.DoModal();
    char buffer[9];
    std::memset(buffer, 'x', sizeof buffer);
    dialog.GetExtension(buffer);
    outcome.extension.assign(buffer, ::strnlen(buffer, sizeof buffer));
    return outcome;
}

void ClickChange(Dialog& d) { ::PostMessageA(d.Item(IDC_CHANGE_EXTENSION), BM_CLICK, 0, 0); }

TEST(ExtensionDialogTest, ChangeTakesTheEntryCutToEightBytes) {
    const struct {
        std::string entry;
        std::string expected;
    } cases[] = {
        {"txt", "txt"},
        {"", "*"},
        {"abcdefghijkl", "abcdefgh"},
        // abc, then four cp932 characters, the first with 0x5C as its second
        // byte; the eighth byte is the first half of the third.
        {"abc\x95\x5C\x8E\xA6\x8A\x67\x92\xA3", "abc\x95\x5C\x8E\xA6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const Outcome outcome = RunDialog("cpp", c.entry, ClickChange);
        EXPECT_EQ(outcome.result, IDOK);
        EXPECT_EQ(outcome.extension, c.expected);
        EXPECT_EQ(outcome.shownAtStart, "cpp");
        EXPECT_EQ(outcome.entryAtStart, "");
    }
}

TEST(ExtensionDialogTest, EnterInTheEditActsAsChange) {
    const Outcome outcome = RunDialog("*", "log", [](Dialog&) { PressKey(::GetFocus(), VK_RETURN); });
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.extension, "log");
}

TEST(ExtensionDialogTest, CancelEscapeAndCloseBoxGiveBackTheExtensionHandedIn) {
    const std::function<void(Dialog&)> ways[] = {
        [](Dialog& d) { ::PostMessageA(d.Item(IDC_EXTENSION_CANCEL), BM_CLICK, 0, 0); },
        [](Dialog&) { PressKey(::GetFocus(), VK_ESCAPE); },
        [](Dialog& d) { ::PostMessageA(d.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (const auto& way : ways) {
        // A double-byte character at the end of the eight bytes survives.
        const Outcome outcome = RunDialog("ab\x95\x5C\x8E\xA6xy", "txt", way);
        EXPECT_EQ(outcome.result, IDCANCEL);
        EXPECT_EQ(outcome.extension, "ab\x95\x5C\x8E\xA6xy");
        EXPECT_EQ(outcome.shownAtStart, "ab\x95\x5C\x8E\xA6xy");
    }
}

TEST(ExtensionDialogTest, AHandedInTextTooLongIsCutWithoutSplittingACharacter) {
    ExtensionDialog dialog;
    char buffer[9];
    dialog.SetExtension("abcdefg\x95\x5C");
    dialog.GetExtension(buffer);
    EXPECT_STREQ(buffer, "abcdefg");
    dialog.SetExtension(nullptr);
    dialog.GetExtension(buffer);
    EXPECT_STREQ(buffer, "");
}
}  // namespace
