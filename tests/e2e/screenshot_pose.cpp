// Poses Listora.exe for `make screenshot`: the prefix's Windows folder open and a file chosen, so that both lists
// show their icons, and with the argument "about" the version box or "settings" the settings open over it. Prints the
// posed window's rectangle
// ("x y width height") and ends the program at a line on stdin.
#include <cstdio>
#include <iostream>

#include "resources/resource.h"
#include "tests/support/driver.h"

int main(int argc, char** argv) {
    using namespace support;
    Program program;
    const HWND main = MainWindow();
    if (!main) return 1;
    const HWND folders = ::GetDlgItem(main, IDC_FOLDER_LIST), files = ::GetDlgItem(main, IDC_FILE_LIST);
    DoubleClickListItem(folders, FindListItem(folders, "windows"));
    WaitUntil([&] { return Text(::GetDlgItem(main, IDC_PATH)) == "c:\\windows"; });
    ClickListItem(files, int(ListItems(files).size()) / 3);
    HWND posed = main;
    const std::string pose = argc > 1 ? argv[1] : "";
    if (pose == "about") ChooseSystemMenuItem(main, IDM_ABOUTBOX);
    if (pose == "settings") ::PostMessageA(main, WM_COMMAND, ID_SETTINGS, 0);
    if (!pose.empty()) {
        WaitUntil([&] { return (posed = ::GetLastActivePopup(main)) != main && ::IsWindowVisible(posed); });
    }
    ::Sleep(1000);  // the click and the last repaint reach the screen
    RECT rect{};
    ::GetWindowRect(posed, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
}
