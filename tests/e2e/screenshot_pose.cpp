// Starts Listora.exe and poses its main window for a screenshot: the
// Windows folder of the prefix is open and a file is chosen, so the picture
// shows both lists with their icons. Prints the window's screen rectangle
// ("x y width height") and keeps the program open until a line arrives on
// standard input.

#include <cstdio>
#include <iostream>
#include <string>

#include "resources/resource.h"
#include "tests/e2e/driver.h"

int main() {
    using namespace e2e;
    Program program;
    const HWND main = program.WaitForWindow("Listora Version 1.1");
    if (!main) {
        std::fprintf(stderr, "screenshot_pose: the main window did not appear\n");
        return 1;
    }
    const HWND folders = Item(main, IDC_FOLDER_LIST);
    const HWND files = Item(main, IDC_FILE_LIST);
    const int windows = FindListItem(folders, "windows");
    if (windows >= 0) {
        DoubleClickListItem(folders, windows);
        WaitUntil([&] { return Text(Item(main, IDC_PATH)) == "c:\\windows"; });
        const int count = static_cast<int>(ListItems(files).size());
        if (count > 0) ClickListItem(files, count / 3);
    }
    Settle(Item(main, IDC_PATH));
    ::Sleep(500);  // let the last repaint reach the screen

    RECT rect{};
    ::GetWindowRect(main, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    ChooseSystemMenuItem(main, SC_CLOSE);
    program.WaitForExit();
    return 0;
}
