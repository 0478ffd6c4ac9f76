#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/main_window_fixture.h"

namespace {
using namespace e2e;

const std::string kAboutTitle =  // "version information" and the version
    "\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x8F\xEE\x95\xF1 Listora Ver. 1.1";
// cp932 names whose second byte is 0x5C, the value of '\\'.
const std::string kHyo = "\x95\x5C";       // "hyo", table
const std::string kSoTxt = "\x83\x5C.txt";  // katakana "so" + ".txt"

bool Contains(const std::vector<std::string>& items, const std::string& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

class MainWindowTest : public MainWindowFixture {};

TEST_F(MainWindowTest, StartUpShowsTheRootOfCWithNothingChosenYet) {
    const TestTree tree("e2e-startup");
    const TestTree rootFile("e2e-startup.txt", TestTree::Kind::File);
    Start();

    EXPECT_EQ(PathField(), "");
    EXPECT_EQ(Text(Control(IDC_EXTENSION_BUTTON)), "*");
    EXPECT_TRUE(IsChecked(Control(IDC_PRESET1)) && !IsChecked(Control(IDC_PRESET2)) && !IsChecked(Control(IDC_PRESET3)));
    EXPECT_EQ(Focus(m_main), Control(IDOK));

    char drives[261] = {};
    ::GetLogicalDriveStringsA(sizeof drives - 1, drives);
    std::vector<std::string> roots;
    for (const char* root = drives; *root; root += std::strlen(root) + 1) roots.emplace_back(root);
    EXPECT_EQ(ComboItems(Control(IDC_DRIVE_COMBO)), roots);
    EXPECT_EQ(ComboSelection(Control(IDC_DRIVE_COMBO)), roots.size() > 1 ? 1 : -1);

    const std::vector<std::string> folders = Folders();
    EXPECT_TRUE(Contains(folders, "e2e-startup"));
    EXPECT_FALSE(Contains(folders, "e2e-startup.txt"));
    EXPECT_FALSE(Contains(folders, "."));
    EXPECT_FALSE(Contains(folders, ".."));
    EXPECT_EQ(ListSelection(Control(IDC_FOLDER_LIST)), 0);
    const std::vector<std::string> files = Files();
    EXPECT_TRUE(Contains(files, "e2e-startup.txt"));
    EXPECT_FALSE(Contains(files, "e2e-startup"));
    EXPECT_EQ(ListSelection(Control(IDC_FILE_LIST)), -1);
}

TEST_F(MainWindowTest, GoingDownAndUpToTheBareDriveAndDownAgain) {
    const TestTree tree("e2e-walk");
    tree.AddFolder("sub");
    tree.AddFolder("sub\\" + kHyo);
    tree.AddFile("sub\\" + kHyo + "\\" + kSoTxt);
    tree.AddFile("top.txt");
    Start();

    Open("e2e-walk", "c:\\e2e-walk");
    EXPECT_EQ(Folders(), (std::vector<std::string>{"..", "sub"}));
    EXPECT_EQ(Files(), (std::vector<std::string>{"top.txt"}));
    Open("sub", "c:\\e2e-walk\\sub");
    Open(kHyo, "c:\\e2e-walk\\sub\\" + kHyo);
    EXPECT_EQ(Folders(), (std::vector<std::string>{".."}));
    EXPECT_EQ(Files(), (std::vector<std::string>{kSoTxt}));
    Open("..", "c:\\e2e-walk\\sub");
    EXPECT_EQ(Folders(), (std::vector<std::string>{"..", kHyo}));
    Open("..", "c:\\e2e-walk");
    Open("..", "c:");
    EXPECT_TRUE(Contains(Folders(), "e2e-walk"));
    EXPECT_FALSE(Contains(Folders(), ".."));
    Open("e2e-walk", "c:\\e2e-walk");
    EXPECT_EQ(Files(), (std::vector<std::string>{"top.txt"}));
}

TEST_F(MainWindowTest, AStepBeyond259CharactersIsRefused) {
    const TestTree tree("e2e-long");
    // "c:\e2e-long\" is 12 characters: the folder below makes 255, short
    // enough for its search pattern; one more step can reach 259, not 260.
    const std::string deep(243, 'd');
    tree.AddFolder(deep);
    tree.AddFolder(deep + "\\xxx");
    tree.AddFolder(deep + "\\xxxx");
    tree.AddFile(deep + "\\kept.txt");
    Start();
    Open("e2e-long", "c:\\e2e-long");
    Open(deep, "c:\\e2e-long\\" + deep);
    const std::vector<std::string> folders = Folders();
    ASSERT_EQ(folders, (std::vector<std::string>{"..", "xxx", "xxxx"}));

    DoubleClickListItem(Control(IDC_FOLDER_LIST), 2);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(PathField(), "c:\\e2e-long\\" + deep);
    EXPECT_EQ(Folders(), folders);
    EXPECT_EQ(Files(), (std::vector<std::string>{"kept.txt"}));

    // 259 characters is allowed; a folder whose pattern the system cannot
    // search shows empty lists under its path.
    Open("xxx", "c:\\e2e-long\\" + deep + "\\xxx");
    EXPECT_EQ(Folders(), std::vector<std::string>{});
    EXPECT_EQ(Files(), std::vector<std::string>{});
}

TEST_F(MainWindowTest, EnterOpensAFolderOnlyFromTheFolderList) {
    const TestTree tree("e2e-enter");
    tree.AddFolder("a");
    tree.AddFolder("b");
    tree.AddFolder("c");
    tree.AddFile("f.txt");
    Start();
    Open("e2e-enter", "c:\\e2e-enter");
    const HWND folderList = Control(IDC_FOLDER_LIST);

    // The arrow keys move through the list as in any list.
    ClickListItem(folderList, 1);
    ASSERT_TRUE(WaitUntil([&] { return Focus(m_main) == folderList && ListSelection(folderList) == 1; }));
    PressKey(m_main, VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return ListSelection(folderList) == 2; }));
    PressKey(m_main, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return PathField() == "c:\\e2e-enter\\b"; }));
    PressKey(m_main, VK_RETURN);  // ".." is selected after every fill
    ASSERT_TRUE(WaitUntil([&] { return PathField() == "c:\\e2e-enter"; }));

    // Elsewhere Enter does nothing. Tab walks the controls in template
    // order; the checked preset button is a stop too, as the system makes
    // the checked button of a radio group one.
    const auto enterDoesNothing = [&] {
        PressKey(m_main, VK_RETURN);
        return Settled() && PathField() == "c:\\e2e-enter" && !m_program->ExitCode();
    };
    const auto tabReaches = [&](HWND control) {
        PressKey(m_main, VK_TAB);
        return WaitUntil([&] { return Focus(m_main) == control; });
    };
    ClickListItem(Control(IDC_FILE_LIST), 0);
    ASSERT_TRUE(WaitUntil([&] { return Focus(m_main) == Control(IDC_FILE_LIST); }));
    EXPECT_TRUE(enterDoesNothing()) << "file list";
    ASSERT_TRUE(tabReaches(Control(IDC_PRESET1)));
    EXPECT_TRUE(enterDoesNothing()) << "radio button";
    ASSERT_TRUE(tabReaches(Control(IDC_PATH)));
    EXPECT_TRUE(enterDoesNothing()) << "path field";
    ASSERT_TRUE(tabReaches(Control(IDOK)));
    ASSERT_TRUE(tabReaches(Control(IDCANCEL)));
    ASSERT_TRUE(tabReaches(Control(IDC_DRIVE_COMBO)));
    EXPECT_TRUE(enterDoesNothing()) << "drive box";

    // Back in the folder list, Enter opens again.
    ASSERT_TRUE(tabReaches(folderList));
    PressKey(m_main, VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return ListSelection(folderList) == 1; }));
    PressKey(m_main, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return PathField() == "c:\\e2e-enter\\a"; }));

    // On the extension button, Enter presses that button.
    ASSERT_TRUE(tabReaches(Control(IDC_EXTENSION_BUTTON)));
    PressKey(m_main, VK_RETURN);
    const HWND extensionDialog = m_program->WaitForWindow(kExtensionTitle);
    ASSERT_NE(extensionDialog, nullptr);
    PressKey(extensionDialog, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(m_main) && !::IsWindowVisible(extensionDialog); }));
}

TEST_F(MainWindowTest, TheDriveBoxListsEachDriveItSteppedTo) {
    Start();
    const HWND combo = Control(IDC_DRIVE_COMBO);
    const std::vector<std::string> roots = ComboItems(combo);
    ASSERT_GE(roots.size(), 2u);
    for (int i = 0; i < 2; ++i) PressKey(m_main, VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return Focus(m_main) == combo; }));

    PressKey(m_main, VK_UP);
    ASSERT_TRUE(WaitUntil([&] { return PathField() == roots[0]; }));
    EXPECT_EQ(ListSelection(Control(IDC_FOLDER_LIST)), Folders().empty() ? -1 : 0);
    PressKey(m_main, VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return PathField() == roots[1]; }));

    // Picked from the drop-down list, the first drive again.
    SelectComboItem(combo, 0);
    ASSERT_TRUE(WaitUntil([&] { return PathField() == roots[0]; }));
    EXPECT_EQ(ComboSelection(combo), 0);
}

TEST_F(MainWindowTest, TheExtensionDialogFiltersTheFilesAndEveryEndRefillsBothLists) {
    const TestTree tree("e2e-extension");
    tree.AddFolder("a");
    tree.AddFolder("b");
    for (const char* name : {"one.txt", "two.TXT", "three.log", "four.abcdefgh", "five"}) tree.AddFile(name);
    const std::vector<std::string> all{"five", "four.abcdefgh", "one.txt", "three.log", "two.TXT"};
    Start();
    Open("e2e-extension", "c:\\e2e-extension");
    const HWND folderList = Control(IDC_FOLDER_LIST);

    // Each run starts from another folder selection, which every end of the
    // dialog puts back on the first item.
    const auto change = [&](const std::function<void(HWND)>& operate) {
        ClickListItem(folderList, 2);
        if (!WaitUntil([&] { return ListSelection(folderList) == 2; })) return false;
        Click(Control(IDC_EXTENSION_BUTTON));
        const HWND dialog = m_program->WaitForWindow(kExtensionTitle);
        if (!dialog || ::IsWindowEnabled(m_main)) return false;
        operate(dialog);
        return WaitUntil([&] { return !::IsWindowVisible(dialog) && ::IsWindowEnabled(m_main); }) && Settled() &&
               ListSelection(folderList) == 0 && Folders() == std::vector<std::string>{"..", "a", "b"};
    };
    const auto accept = [](const std::string& typed) {
        return [typed](HWND dialog) {
            Type(Item(dialog, IDC_NEW_EXTENSION), typed);
            Click(Item(dialog, IDC_CHANGE_EXTENSION));
        };
    };

    ASSERT_TRUE(change(accept("txt")));
    EXPECT_EQ(Text(Control(IDC_EXTENSION_BUTTON)), "txt");
    EXPECT_EQ(Files(), (std::vector<std::string>{"one.txt", "two.TXT"}));

    ASSERT_TRUE(change(accept("abcdefghijkl")));
    EXPECT_EQ(Text(Control(IDC_EXTENSION_BUTTON)), "abcdefgh");
    EXPECT_EQ(Files(), (std::vector<std::string>{"four.abcdefgh"}));

    ASSERT_TRUE(change([](HWND dialog) { Click(Item(dialog, IDC_EXTENSION_CANCEL)); }));
    EXPECT_EQ(Text(Control(IDC_EXTENSION_BUTTON)), "abcdefgh");
    ASSERT_TRUE(change([&](HWND dialog) {
        Type(Item(dialog, IDC_NEW_EXTENSION), "log");
        PressKey(dialog, VK_ESCAPE);
    }));
    EXPECT_EQ(Text(Control(IDC_EXTENSION_BUTTON)), "abcdefgh");
    EXPECT_EQ(Files(), (std::vector<std::string>{"four.abcdefgh"}));

    ASSERT_TRUE(change(accept("")));
    EXPECT_EQ(Text(Control(IDC_EXTENSION_BUTTON)), "*");
    EXPECT_EQ(Files(), all);
    EXPECT_EQ(PathField(), "c:\\e2e-extension");
}

TEST_F(MainWindowTest, AboutOpensFromTheMenuAndFromEverySystemMenuCommandOfItsEntry) {
    Start();
    const auto aboutOpensWith = [&](const std::function<void()>& choose) {
        choose();
        const HWND about = m_program->WaitForWindow(kAboutTitle);
        if (!about || ::IsWindowEnabled(m_main)) return false;
        PressKey(about, VK_ESCAPE);
        return WaitUntil([&] { return !::IsWindowVisible(about) && ::IsWindowEnabled(m_main); });
    };
    EXPECT_TRUE(aboutOpensWith([&] { ChooseMenuItem(m_main, ID_APP_ABOUT); })) << "menu";
    for (UINT command : {IDM_ABOUTBOX, IDM_ABOUTBOX + 1, IDM_ABOUTBOX + 15}) {
        EXPECT_TRUE(aboutOpensWith([&] { ChooseSystemMenuItem(m_main, command); })) << "system command " << command;
    }

    EXPECT_EQ(m_program->ExitCode(), std::nullopt);
}

TEST_F(MainWindowTest, EveryWayOutEndsTheProgram) {
    const auto endsWith = [&](const char* how, const std::function<void()>& action) {
        Start();
        action();
        EXPECT_TRUE(m_program->WaitForExit()) << how;
        EXPECT_EQ(m_program->ExitCode(), std::optional<DWORD>(0)) << how;
    };
    endsWith("Esc", [&] { PressKey(m_main, VK_ESCAPE); });
    endsWith("exit button", [&] { Click(Control(IDCANCEL)); });
    endsWith("Enter on the exit button", [&] {
        PressKey(m_main, VK_TAB);  // from the transfer button, which has the focus at start-up
        ASSERT_TRUE(WaitUntil([&] { return Focus(m_main) == Control(IDCANCEL); }));
        PressKey(m_main, VK_RETURN);
    });
    endsWith("menu", [&] { ChooseMenuItem(m_main, ID_APP_EXIT_MENU); });
    endsWith("close box", [&] { ChooseSystemMenuItem(m_main, SC_CLOSE); });
}

TEST_F(MainWindowTest, RefillingAThousandFilesTwoHundredTimesHoldsNoMoreResources) {
    const TestTree tree("e2e-refill");
    tree.AddFolder("sub");
    for (int i = 0; i < 1000; ++i) tree.AddFile("file" + std::to_string(i) + ".txt");
    Start();
    Open("e2e-refill", "c:\\e2e-refill");
    ASSERT_EQ(Files().size(), 1000u);

    const auto refill = [&](int times) {
        for (int i = 0; i < times; ++i) {
            Open("sub", "c:\\e2e-refill\\sub");
            Open("..", "c:\\e2e-refill");
        }
    };
    refill(5);  // caches of the shell and the heap settle first
    ASSERT_TRUE(Settled());
    const ResourceUse before = m_program->Resources();
    refill(200);
    ASSERT_TRUE(Settled());
    const ResourceUse after = m_program->Resources();

    EXPECT_GT(before.gdiObjects, 0u);
    // The shell may still cache an icon or two on its own; a leak per draw
    // or per refill would be hundreds.
    constexpr DWORD kSlack = 8;
    EXPECT_LE(after.gdiObjects, before.gdiObjects + kSlack) << "GDI objects";
    EXPECT_LE(after.userObjects, before.userObjects + kSlack) << "USER objects";
    // A leaked record per file would be well over 10 MB here.
    EXPECT_LT(after.committedBytes, before.committedBytes + 2 * 1024 * 1024)
        << before.committedBytes << " -> " << after.committedBytes;
}
}  // namespace
