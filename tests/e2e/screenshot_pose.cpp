// Poses Listora.exe for `make screenshot`: the prefix's Windows folder open and a file chosen, so that both lists
// show their icons; with the argument "about" the version box open over it, with "settings" the settings dialog
// ("settings2" and "settings3" on that tab), with "menu" the file menu dropped down, with "save" the save dialog open
// over it, with "gaps" the message after a transfer of C:\listora-refused, whose sub-folders cannot be read. Prints
// the posed windows' rectangle ("x y width height") and ends the program at a line on stdin.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <iostream>

#include "resources/resource.h"
#include "tests/support/driver.h"

int main(int argc, char** argv) {
    using namespace support;
    const std::string pose = argc > 1 ? argv[1] : "";
    if (pose == "save") {  // as a save to the Windows folder in UTF-8 left them
        const DWORD utf8 = 1;
        ::RegSetKeyValueA(HKEY_CURRENT_USER, (RegistryPresetStorage::KeyPath() + "\\Save").c_str(), "Type", REG_DWORD,
                          &utf8, sizeof utf8);
        ::RegSetKeyValueA(HKEY_CURRENT_USER, (RegistryPresetStorage::KeyPath() + "\\Save").c_str(), "Folder", REG_SZ,
                          "C:\\windows", 11);
    }
    const bool settings = pose.starts_with("settings");  // "settings2": on the second tab
    // Numbers with a separator and zeros; two levels of sub-folders with folder names and sizes; the fourth type.
    const std::pair<const char*, const char*> kShownPresets[] = {
        {"DEF_LINENUMBER", "100"},  {"DEF_SEP_TYPE", "100"},     {"DEF_SEP_AFTER_01", "1"},  {"DEF_NUMBERLEN_01", "4"},
        {"DEF_ZERO_CHECK", "100"},  {"DEF_FOLDER_CHECK", "011"}, {"DEF_FOLDER_COMB", "003"}, {"DEF_SUB_FOLDER", "010"},
        {"DEF_SUB_NUMBER_02", "2"}, {"DEF_FILE_SIZE", "010"},    {"DEF_SMALLCHAR", "001"}};
    for (const auto& [name, value] : kShownPresets)
        if (settings) SetRawPreset(name, REG_SZ, value);
    if (pose == "gaps") {  // one level of sub-folders, the start folder's own
        SetRawPreset("DEF_SUB_FOLDER", REG_SZ, "100");
        SetRawPreset("DEF_SUB_NUMBER_01", REG_SZ, "1");
    }
    Program program(Program::Beside("Listora.exe"), pose == "gaps" ? "C:\\listora-refused" : "");
    const HWND main = MainWindow();
    if (!main) return 1;
    HWND posed = main;
    HWND menu = nullptr;
    if (pose == "gaps") {
        Click(::GetDlgItem(main, IDOK));
        WaitUntil([&] { return Text(posed = ::GetLastActivePopup(main)) == "Listora"; });
        ForgetPresets();
    } else {
        const HWND folders = ::GetDlgItem(main, IDC_FOLDER_LIST), files = ::GetDlgItem(main, IDC_FILE_LIST);
        DoubleClickListItem(folders, FindListItem(folders, "windows"));
        WaitUntil([&] { return Text(::GetDlgItem(main, IDC_PATH)) == "c:\\windows"; });
        ClickListItem(files, int(ListItems(files).size()) / 3);
    }
    if (pose == "about" || settings || pose == "save") {
        if (pose == "about") ChooseSystemMenuItem(main, IDM_ABOUTBOX);
        if (settings) ::PostMessageA(main, WM_COMMAND, ID_SETTINGS, 0);
        if (pose == "save") ::PostMessageA(main, WM_COMMAND, ID_SAVE_LISTING, 0);
        WaitUntil([&] { return (posed = ::GetLastActivePopup(main)) != main && ::IsWindowVisible(posed); });
        if (settings && pose.size() > 8)
            ::SendMessageA(Descendant(posed, IDC_PRESET_TABS), TCM_SETCURFOCUS, pose.back() - '1', 0);
    } else if (pose == "menu") {
        ::PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, 'f');
        WaitUntil([&] { return ::IsWindowVisible(menu = ::FindWindowA("#32768", nullptr)); });
    }
    ::Sleep(1000);  // the click and the last repaint reach the screen
    RECT rect{};
    RECT dropped{};
    ::GetWindowRect(posed, &rect);
    ::GetWindowRect(menu, &dropped);
    ::UnionRect(&rect, &rect, &dropped);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    if (settings) ForgetPresets();
}
