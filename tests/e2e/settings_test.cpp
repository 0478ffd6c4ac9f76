#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "resources/resource.h"
#include "tests/e2e/main_window_fixture.h"
#include "tests/windows/preset_registry.h"

namespace {
using namespace e2e;
using namespace preset_registry;


const char* const kStrings[] = {"DEF_NONKAKUCHO", "DEF_SMALLCHAR",  "DEF_REVERSE",  "DEF_SUB_FOLDER",
                                "DEF_FOLDER_CHECK", "DEF_FOLDER_COMB", "DEF_NEXT_FOLDER", "DEF_FILE_SIZE",
                                "DEF_LINENUMBER", "DEF_SEP_TYPE",   "DEF_ZERO_CHECK"};
const char* const kNumbers[] = {"DEF_SUB_NUMBER", "DEF_SEP_BEFORE", "DEF_SEP_AFTER", "DEF_NUMBERLEN"};

HWND Control(HWND settings, int id) { return Descendant(settings, id); }

// Clicks into the edit, selects what it holds and types `text` over it
// (a backspace when there is nothing to type).
void Retype(HWND edit, std::string_view text) {
    PostMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    PostMessageA(edit, EM_SETSEL, 0, -1);
    Type(edit, text.empty() ? std::string_view("\b") : text);
}
// Switches tabs the way a click on one does: the tab control tells its dialog.
void ShowTab(HWND settings, int tab) { SendMessageA(Control(settings, IDC_PRESET_TABS), TCM_SETCURFOCUS, tab, 0); }

class SettingsEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        Forget();
        m_program = std::make_unique<Program>();
        ASSERT_TRUE(m_program->Started());
        m_main = m_program->WaitForWindow(kMainTitle);
        ASSERT_NE(m_main, nullptr);
    }
    void TearDown() override {
        m_program.reset();
        Forget();
    }

    // Opens the settings dialog from the main window's menu.
    HWND Open() const {
        ChooseMenuItem(m_main, ID_SETTINGS);
        return m_program->WaitForWindow(kSettingsTitle);
    }
    bool Closes(HWND settings) const { return WaitUntil([&] { return !IsWindow(settings); }); }

    std::unique_ptr<Program> m_program;
    HWND m_main = nullptr;
};

TEST_F(SettingsEndToEndTest, FreshProfileOpensFromTheMenuAndSavesWhatWasTyped) {
    HWND settings = Open();
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(IsWindowEnabled(m_main));
    for (const int id : {IDC_NO_EXTENSION_2, IDC_FOLDER_OUTPUT_3, IDC_LINE_NUMBER_1, IDC_ZERO_PAD_2, IDC_SUB_FOLDER_1}) {
        EXPECT_FALSE(IsChecked(Control(settings, id))) << id;
    }
    for (const int id : {IDC_FOLDER_TYPE_1, IDC_SEPARATOR_3}) EXPECT_EQ(ComboSelection(Control(settings, id)), 0) << id;
    for (const int id : {IDC_DEPTH_1, IDC_SPACES_BEFORE_2, IDC_NUMBER_WIDTH_3}) EXPECT_EQ(Text(Control(settings, id)), "0") << id;
    for (const int id : {IDC_DEPTH_2, IDC_FOLDER_TYPE_3, IDC_SEPARATOR_1, IDC_SPACES_AFTER_2, IDC_ZERO_PAD_3}) {
        EXPECT_FALSE(IsWindowEnabled(Control(settings, id))) << id;
    }
    EXPECT_TRUE(IsWindowEnabled(Control(settings, IDC_SUB_FOLDER_2)));

    // Typed on the second and third tabs once their boxes let the edits in;
    // Enter in the last edit typed in saves.
    ShowTab(settings, 1);
    Click(Control(settings, IDC_SUB_FOLDER_2));
    Retype(Control(settings, IDC_DEPTH_2), "");
    ShowTab(settings, 2);
    Click(Control(settings, IDC_LINE_NUMBER_3));
    Retype(Control(settings, IDC_NUMBER_WIDTH_3), "00012345678");
    ASSERT_TRUE(Settle(Control(settings, IDC_NUMBER_WIDTH_3)));
    EXPECT_TRUE(IsWindowEnabled(Control(settings, IDC_DEPTH_2)));
    EXPECT_EQ(Focus(settings), Control(settings, IDC_NUMBER_WIDTH_3));
    PressKey(settings, VK_RETURN);
    ASSERT_TRUE(Closes(settings));
    EXPECT_TRUE(IsWindowEnabled(m_main));

    EXPECT_EQ(Snapshot().size(), 23u);
    for (const std::string name : kStrings) {
        const char* text = name == "DEF_SUB_FOLDER" ? "010" : name == "DEF_LINENUMBER" ? "001" : "000";
        EXPECT_TRUE(IsCountedText(Raw(name.c_str()), text)) << name;
    }
    for (const char* base : kNumbers) {
        for (const char* suffix : {"_01", "_02", "_03"}) {
            const std::string name = std::string(base) + suffix;
            if (name == "DEF_SUB_NUMBER_02") {
                EXPECT_EQ(Raw(name.c_str()), "");
            } else {
                EXPECT_TRUE(IsCountedText(Raw(name.c_str()), name == "DEF_NUMBERLEN_03" ? "000123456" : "0")) << name;
            }
        }
    }

    // What was saved is what the next opening shows.
    settings = Open();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(Text(Control(settings, IDC_DEPTH_2)), "0");
    EXPECT_EQ(Text(Control(settings, IDC_NUMBER_WIDTH_3)), "123456");
    Click(GetDlgItem(settings, IDCANCEL));
    EXPECT_TRUE(Closes(settings));
}

TEST_F(SettingsEndToEndTest, ChangesOnEveryTabThenCancelLeaveTheRegistryAsItWas) {
    SetRaw("DEF_REVERSE", REG_SZ, "010");
    SetRaw("DEF_FOLDER_COMB", REG_SZ, "3");
    SetRaw("DEF_NUMBERLEN_02", REG_SZ, "007");
    const auto before = Snapshot();
    const std::function<void(HWND)> cancels[] = {
        [](HWND settings) { Click(GetDlgItem(settings, IDCANCEL)); },
        [](HWND settings) { PressKey(settings, VK_ESCAPE); },
        [](HWND settings) { ChooseSystemMenuItem(settings, SC_CLOSE); },
    };
    for (int way = 0; way < 3; ++way) {
        HWND settings = Open();
        ASSERT_NE(settings, nullptr);
        const int reverse[] = {IDC_REVERSE_1, IDC_REVERSE_2, IDC_REVERSE_3};
        const int separators[] = {IDC_SEPARATOR_1, IDC_SEPARATOR_2, IDC_SEPARATOR_3};
        const int widths[] = {IDC_NUMBER_WIDTH_1, IDC_NUMBER_WIDTH_2, IDC_NUMBER_WIDTH_3};
        for (int tab = 0; tab < 3; ++tab) {
            ShowTab(settings, tab);
            Click(Control(settings, reverse[tab]));
            SelectComboItem(Control(settings, separators[tab]), 5);
            Retype(Control(settings, widths[tab]), "42");
        }
        ASSERT_TRUE(Settle(Control(settings, IDC_NUMBER_WIDTH_3)));
        EXPECT_EQ(Text(Control(settings, IDC_NUMBER_WIDTH_3)), "42") << way;
        EXPECT_TRUE(IsChecked(Control(settings, IDC_REVERSE_1))) << way;
        cancels[way](settings);
        ASSERT_TRUE(Closes(settings)) << way;
        EXPECT_EQ(Snapshot(), before) << way;
    }
}
}  // namespace
