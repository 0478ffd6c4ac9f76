#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "resources/resource.h"
#include "tests/e2e/main_window_fixture.h"

namespace {
using namespace e2e;

const std::string kPresetKey = "Software\\Kestrin\\Morrowtide";
// "clipboard tensou chuu..." (copying to the clipboard)
const std::string kProgressTitle =
    "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x93\x5D\x91\x97\x92\x86\x81\x44\x81\x44\x81\x44";
// cp932 names whose second byte is 0x5C, the value of '\\'.
const std::string kHyo = "\x95\x5C";  // kanji "hyou" (table)
const std::string kSo = "\x83\x5C";   // katakana "so"

// The 23 preset values, all three presets at once.
using Presets = std::map<std::string, std::string>;

class TransferTest : public MainWindowFixture {
protected:
    void SetUp() override { DeleteRegistryKey("Software\\Kestrin"); }
    void TearDown() override { DeleteRegistryKey("Software\\Kestrin"); }

    static void WritePresets(const Presets& values) {
        for (const auto& [name, text] : values) ASSERT_TRUE(WriteRegistryString(kPresetKey, name, text)) << name;
    }

    void ChangeExtension(const std::string& typed) {
        Click(Control(IDC_EXTENSION_BUTTON));
        const HWND dialog = m_program->WaitForWindow(kExtensionTitle);
        ASSERT_NE(dialog, nullptr);
        Type(Item(dialog, IDC_NEW_EXTENSION), typed);
        Click(Item(dialog, IDC_CHANGE_EXTENSION));
        ASSERT_TRUE(WaitUntil([&] { return Text(Control(IDC_EXTENSION_BUTTON)) == typed && ::IsWindowEnabled(m_main); }));
    }

    // Presses the transfer button with preset radio `radio` and returns the
    // progress dialog, once it shows.
    HWND StartTransfer(int radio) {
        Click(Control(radio));
        EXPECT_TRUE(WaitUntil([&] { return IsChecked(Control(radio)); }));
        Click(Control(IDOK));
        return m_program->WaitForWindow(kProgressTitle);
    }

    // The clipboard text after one whole transfer.
    std::string Transfer(int radio) {
        SetClipboardText("not the listing");
        const HWND progress = StartTransfer(radio);
        EXPECT_NE(progress, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(progress) && ::IsWindowEnabled(m_main); }));
        EXPECT_TRUE(Settled());
        return ClipboardText().value_or("<no text>");
    }
};

TEST_F(TransferTest, EachPresetListsTheBrowsedFolderAsItSays) {
    const TestTree tree("e2e-xfer");
    tree.AddFile("a.txt", 1234);
    tree.AddFile("B.TXT", 56);
    tree.AddFile("notes.doc", 9);
    tree.AddFolder("Empty");
    tree.AddFile("Empty\\readme.md", 1);
    tree.AddFolder("Sub");
    tree.AddFile("Sub\\c.txt", 7);
    tree.AddFolder("Sub\\Deep");
    tree.AddFile("Sub\\Deep\\d.txt", 3);
    tree.AddFolder("Sub\\Deep\\Core");
    tree.AddFolder(kHyo);
    tree.AddFile(kHyo + "\\" + kSo + ".txt", 5);
    WritePresets({
        // Preset 1: type 1 of the folder names, one level, numbered 001: ...
        // Preset 2: type 2, sizes, reverse, no sub-folders.
        // Preset 3: type 3 (relative headers), two levels, next folders,
        //           lower case without extensions.
        {"DEF_NONKAKUCHO", "001"},    {"DEF_SMALLCHAR", "001"},     {"DEF_REVERSE", "010"},
        {"DEF_SUB_FOLDER", "101"},    {"DEF_FOLDER_CHECK", "111"},  {"DEF_FOLDER_COMB", "012"},
        {"DEF_NEXT_FOLDER", "001"},   {"DEF_FILE_SIZE", "010"},     {"DEF_LINENUMBER", "100"},
        {"DEF_SEP_TYPE", "100"},      {"DEF_ZERO_CHECK", "100"},    {"DEF_SUB_NUMBER_01", "1"},
        {"DEF_SUB_NUMBER_02", "5"},   {"DEF_SUB_NUMBER_03", "2"},   {"DEF_SEP_BEFORE_01", "0"},
        {"DEF_SEP_AFTER_01", "1"},    {"DEF_NUMBERLEN_01", "3"},
    });
    Start();
    Open("e2e-xfer", "c:\\e2e-xfer");
    ChangeExtension("txt");

    EXPECT_EQ(Transfer(IDC_PRESET1),
              "c:\\e2e-xfer\r\n"
              "001: a.txt\r\n002: B.TXT\r\n\r\n"
              "\r\n\r\n"
              "003: Sub\\c.txt\r\n\r\n"
              "004: " + kHyo + "\\" + kSo + ".txt\r\n\r\n");
    EXPECT_EQ(Transfer(IDC_PRESET2),
              "c:\\e2e-xfer\r\n"
              "56Byte\t\tB.TXT\r\n1,234Byte\t\ta.txt\r\n\r\n");
    EXPECT_EQ(Transfer(IDC_PRESET3),
              "c:\\e2e-xfer\r\n"
              "\r\na\r\nb\r\n\r\n"
              "\r\nEmpty\r\n"
              "\\sub\r\nc\r\n\r\n"
              "\\Sub\\Deep\\Core\r\n\\sub\\deep\r\nd\r\n\r\n"
              "\\" + kHyo + "\r\n" + kSo + "\r\n\r\n");

    // The browser is as it was, and a second transfer reads everything
    // afresh: a preset changed meanwhile applies at once.
    EXPECT_EQ(PathField(), "c:\\e2e-xfer");
    EXPECT_EQ(Text(Control(IDC_EXTENSION_BUTTON)), "txt");
    ASSERT_TRUE(WriteRegistryString(kPresetKey, "DEF_FOLDER_CHECK", "101"));
    EXPECT_EQ(Transfer(IDC_PRESET2), "56Byte\t\tc:\\e2e-xfer\\B.TXT\r\n1,234Byte\t\tc:\\e2e-xfer\\a.txt\r\n\r\n");
}

TEST_F(TransferTest, TheDriveRootListsTheSameFromStartUpAndAfterGoingUp) {
    const TestTree rootFile("e2e-root.zqx", TestTree::Kind::File);
    const TestTree tree("e2e-up");
    // Preset 2 writes the folder header, which names the root "c:".
    WritePresets({{"DEF_FOLDER_CHECK", "010"}, {"DEF_FOLDER_COMB", "010"}});
    Start();
    ChangeExtension("zqx");

    EXPECT_EQ(Transfer(IDC_PRESET1), "c:\\e2e-root.zqx\r\n\r\n");
    EXPECT_EQ(Transfer(IDC_PRESET2), "c:\r\ne2e-root.zqx\r\n\r\n");

    Open("e2e-up", "c:\\e2e-up");
    EXPECT_EQ(Transfer(IDC_PRESET1), "\r\n\r\n") << "a folder without matches still clears the clipboard";
    Open("..", "c:");
    EXPECT_EQ(Transfer(IDC_PRESET1), "c:\\e2e-root.zqx\r\n\r\n");
    EXPECT_EQ(Transfer(IDC_PRESET2), "c:\r\ne2e-root.zqx\r\n\r\n");
}

TEST_F(TransferTest, KeysDoNothingAndAnEarlyCloseCancelsTheRun) {
    const TestTree tree("e2e-keys");
    tree.AddFile("only.txt");
    Start();
    Open("e2e-keys", "c:\\e2e-keys");

    // Enter and Escape neither confirm nor cancel: the run still comes.
    SetClipboardText("before");
    HWND progress = StartTransfer(IDC_PRESET1);
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(m_main));
    PressKey(progress, VK_RETURN);
    PressKey(progress, VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(progress) && ::IsWindowEnabled(m_main); }));
    EXPECT_EQ(ClipboardText(), "c:\\e2e-keys\\only.txt\r\n\r\n");

    // Closed within its first second: no run, the clipboard as it was.
    SetClipboardText("before");
    progress = StartTransfer(IDC_PRESET1);
    ASSERT_NE(progress, nullptr);
    ::PostMessageA(progress, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(progress) && ::IsWindowEnabled(m_main); }));
    ::Sleep(1500);
    EXPECT_EQ(ClipboardText(), "before");
    EXPECT_TRUE(::IsWindow(m_main));
}

TEST_F(TransferTest, APresetSavedInTheSettingsIsUsedByTheNextTransfer) {
    const TestTree tree("e2e-settings");
    tree.AddFile("Read.Me.TXT", 5);
    Start();
    Open("e2e-settings", "c:\\e2e-settings");
    EXPECT_EQ(Transfer(IDC_PRESET2), "c:\\e2e-settings\\Read.Me.TXT\r\n\r\n");

    // The second tab: lower case, no extension, numbered lines with "||".
    ChooseMenuItem(m_main, ID_SETTINGS);
    const HWND settings = m_program->WaitForWindow(kSettingsTitle);
    ASSERT_NE(settings, nullptr);
    ::SendMessageA(Descendant(settings, IDC_PRESET_TABS), TCM_SETCURFOCUS, 1, 0);
    for (const int box : {IDC_LOWER_CASE_2, IDC_NO_EXTENSION_2, IDC_LINE_NUMBER_2}) Click(Descendant(settings, box));
    SelectComboItem(Descendant(settings, IDC_SEPARATOR_2), 5);
    Click(Item(settings, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(settings) && ::IsWindowEnabled(m_main); }));

    EXPECT_EQ(Transfer(IDC_PRESET2), "1||c:\\e2e-settings\\read.me\r\n\r\n");
    EXPECT_EQ(Transfer(IDC_PRESET1), "c:\\e2e-settings\\Read.Me.TXT\r\n\r\n");
}
}  // namespace
