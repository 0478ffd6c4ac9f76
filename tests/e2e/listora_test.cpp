// Listora.exe as a user meets it: started under Wine, worked with window messages, judged by what its windows show,
// the clipboard and the registry. The sessions are scripts in tests/data/e2e_*.txt; e2e_browsing.txt tells the steps.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>

#include "resources/resource.h"
#include "tests/support/driver.h"

namespace {
using namespace support;
using Strings = std::vector<std::string>;

// The lines of a tests/data file, with \xNN as the byte NN and {c*N} as c N times.
Strings Data(const std::string& name) {
    std::ifstream file(LISTORA_TEST_DATA "/" + name);
    EXPECT_TRUE(file) << name;
    Strings lines;
    for (std::string line; std::getline(file, line); lines.push_back(line)) {
        for (std::smatch m; std::regex_search(line, m, std::regex(R"(\\x([0-9A-Fa-f]{2})|\{(.)\*(\d+)\})"));) {
            const std::string bytes = m[1].matched ? std::string(1, char(std::stoi(m[1], nullptr, 16)))
                                                   : std::string(std::stoi(m[3]), m.str(2)[0]);
            line = m.prefix().str() + bytes + m.suffix().str();
        }
    }
    return lines;
}

class ListoraTest : public ::testing::Test {
protected:
    void SetUp() override { ForgetPresets(); }
    HWND Control(int id) const { return ::GetDlgItem(main, id); }
    HWND Active() const {  // the main window, or the dialog it waits for
        for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, nullptr, nullptr));)
            if (::GetWindow(w, GW_OWNER) == main && ::IsWindowVisible(w)) return w;
        return main;
    }
    HWND MessageWindow() const {  // the program's, with its text in a static of id -1
        DWORD owner = 0;
        for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, "#32770", nullptr));)
            if (::GetWindowThreadProcessId(w, &owner) && owner == program->Id() && ::IsWindowVisible(w) &&
                ::GetDlgItem(w, 0xFFFF))
                return w;
        return nullptr;
    }
    static std::string Shown(const Strings& items, LRESULT selected) {  // the selected one in brackets
        std::string all;
        for (int i = 0; i < int(items.size()); ++i)
            all += (i ? " | " : "") + (i == selected ? "[" + items[i] + "]" : items[i]);
        return all;
    }
    std::string State(const std::string& name) const {
        const HWND list = Control(name == "files" ? IDC_FILE_LIST : IDC_FOLDER_LIST), drives = Control(IDC_DRIVE_COMBO);
        if (name.starts_with("DEF_")) return PresetSnapshot()[name].second;
        if (name == "path") return Text(Control(IDC_PATH), codePage);
        if (name == "extension") return Text(Control(IDC_EXTENSION_BUTTON));
        if (name == "folders" || name == "files")
            return Shown(ListItems(list, codePage), ::SendMessageW(list, LB_GETCURSEL, 0, 0));
        if (name == "drives") return Shown(Items(drives, CB_GETCOUNT, CB_GETLBTEXT), ComboSelection(drives));
        if (name == "preset")
            return std::string(IsChecked(Control(IDC_PRESET1)) ? "1" : "") +
                   (IsChecked(Control(IDC_PRESET2)) ? "2" : "") + (IsChecked(Control(IDC_PRESET3)) ? "3" : "");
        if (name == "focus") return std::to_string(::GetDlgCtrlID(Focus(main)));
        if (name == "window") return Text(Active());
        if (name == "active") {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            ::GetGUIThreadInfo(::GetWindowThreadProcessId(main, nullptr), &info);
            return Text(info.hwndActive) + " / " + Text(::GetForegroundWindow());
        }
        if (name == "enabled") return ::IsWindowEnabled(main) ? "yes" : "no";
        if (name == "box") {  // the first line of its text
            const std::string text = MessageWindow() ? Text(::GetDlgItem(MessageWindow(), 0xFFFF), codePage) : "none";
            return text.substr(0, text.find('\n'));
        }
        if (name == "file") {
            std::ifstream file(filePath, std::ios::binary);
            return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "(no file)";
        }
        if (name == "clipboard" || name == "cf_text") {
            return ClipboardText(codePage == CP_UTF8 && name == "clipboard" ? CF_UNICODETEXT : CF_TEXT)
                .value_or("(no text)");
        }
        return program->WaitForExit(milliseconds(0)) ? std::to_string(*program->WaitForExit()) : "running";  // exit
    }
    // Plays a script. Actions are posted to the program; each check waits until it holds.
    void Play(Strings lines) {
        lines.emplace_back();  // ends a last listing
        std::string listing;
        std::string clipboard;  // the format of the listing being read, if any
        for (const std::string& line : lines) {
            if (!clipboard.empty() && !line.empty()) {
                listing += (line == "-" ? "" : line) + "\r\n";
                continue;
            }
            EXPECT_EQ(clipboard.empty() ? listing : State(clipboard), listing);
            std::istringstream words(line);
            std::string verb, what, rest;
            words >> verb >> what;
            std::getline(words >> std::ws, rest);
            const auto id = [&] { return std::stoi(what); };
            const auto control = [&] { return Descendant(Active(), id()); };
            clipboard =
                verb == "clipboard:" || verb == "cf_text:" || verb == "file:" ? verb.substr(0, verb.size() - 1) : "";
            if (verb == "file:" || verb == "hold") filePath = what;
            if (verb == "hold")
                held.emplace_back(
                    ::CreateFileA(what.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
            listing.clear();
            if (what == "=" || what == "has" || what == "lacks") {
                const auto holds = [&] {  // a list has an item also when it is selected
                    const std::string state = " | " + State(verb) + " | ", item = " | " + rest + " | ";
                    const bool has = state.find(item) != state.npos || state.find(" | [" + rest + "] | ") != state.npos;
                    return what == "=" ? state == item : has == (what == "has");
                };
                EXPECT_TRUE(WaitUntil(holds)) << line << "\n  but " << verb << " is " << State(verb);
            }
            if (verb == "tree")
                trees.push_back(
                    std::make_unique<TestTree>(what, rest == "file" ? TestTree::Kind::File : TestTree::Kind::Folder));
            if (verb == "text") codePage = what == "utf8" ? CP_UTF8 : 932;
            const std::string path = codePage == CP_UTF8 ? what : Utf8FromAnsi(what);  // the trees' paths are UTF-8
            if (verb == "make" && what.back() == '\\') trees.back()->AddFolder(path);
            if (verb == "make" && what.back() != '\\') trees.back()->AddFile(path, rest.empty() ? 0 : std::stoul(rest));
            if (verb == "preset") SetRawPreset(what, REG_SZ, rest);
            const std::string arguments = what + (rest.empty() ? "" : " " + rest);
            if (verb == "start" || verb == "run")
                program.emplace(Program::Beside("Listora.exe"),
                                codePage == CP_UTF8 ? arguments : Utf8FromAnsi(arguments));
            if (verb == "start") main = MainWindow();
            if (verb == "dismiss") ::PostMessageA(MessageWindow(), WM_COMMAND, IDOK, 0);
            if (verb == "open")
                DoubleClickListItem(Control(IDC_FOLDER_LIST), FindListItem(Control(IDC_FOLDER_LIST), what, codePage));
            if (verb == "click") ClickListItem(control(), FindListItem(control(), rest, codePage));
            if (verb == "key") PressKey(Active(), kKeys.at(what));
            if (verb == "menu") ::PostMessageA(main, WM_COMMAND, id(), 0);
            if (verb == "system") ChooseSystemMenuItem(Active(), id());
            if (verb == "button") Click(control());
            if (verb == "pick")
                ::PostMessageA(control(), CB_SETCURSEL, std::stoi(rest), 0);  // then the box tells its page
            if (verb == "pick")
                ::PostMessageA(::GetParent(control()), WM_COMMAND, MAKEWPARAM(id(), CBN_SELCHANGE), LPARAM(control()));
            if (verb == "tab") ::SendMessageA(Descendant(Active(), IDC_PRESET_TABS), TCM_SETCURFOCUS, id() - 1, 0);
            if (verb == "type") ::PostMessageA(control(), EM_SETSEL, 0, -1);  // typed over all of it
            if (verb == "type") Type(control(), rest);
            if (verb == "put") SetClipboardText(what);
        }
    }

    const std::map<std::string, UINT> kKeys{
        {"tab", VK_TAB}, {"up", VK_UP}, {"down", VK_DOWN}, {"return", VK_RETURN}, {"escape", VK_ESCAPE}};
    std::vector<std::unique_ptr<TestTree>> trees;  // outlive the program, which may hold them open
    std::optional<Program> program;
    HWND main = nullptr;
    UINT codePage = 932;   // of the script's window texts and names; "text utf8" makes them UTF-8
    std::string filePath;  // of "file:" and "hold"
    std::vector<UniqueFile> held;
};

TEST_F(ListoraTest, StartsOnCAndBrowsesItsFoldersAndDrives) { Play(Data("e2e_browsing.txt")); }
TEST_F(ListoraTest, TransfersWhatEachPresetSaysAndKeepsItsCloseRules) { Play(Data("e2e_transfers.txt")); }
TEST_F(ListoraTest, SavesSettingsThatTheNextTransferUses) { Play(Data("e2e_settings.txt")); }
TEST_F(ListoraTest, ListsAndBrowsesEveryNameExactly) { Play(Data("e2e_names.txt")); }
TEST_F(ListoraTest, OpensAboutFromBothMenusAndEndsEveryWayOut) { Play(Data("e2e_exits.txt")); }
TEST_F(ListoraTest, StartsAtAPathListsFoldersWithoutAWindowAndAnswersBadArguments) {
    Play(Data("e2e_command_line.txt"));
}

TEST_F(ListoraTest, RefillsAThousandFilesTwoHundredTimesWithoutHoldingMoreResources) {
    Play({"tree e2e-refill", "make sub\\", "start", "open e2e-refill", "path = c:\\e2e-refill"});
    for (int i = 0; i < 1000; ++i) trees.back()->AddFile("file" + std::to_string(i) + ".txt");
    const auto refill = [&](int times) {
        for (int i = 0; i < times; ++i)
            Play({"open sub", "path = c:\\e2e-refill\\sub", "open ..", "path = c:\\e2e-refill"});
        return program->Resources();
    };
    const ResourceUse before = refill(5), after = refill(200);  // the shell's caches and the heap settle first
    Play({"files has file999.txt"});
    EXPECT_GT(before.gdiObjects, 0u);
    // A leak for each item drawn or each refill would be hundreds; the shell may still keep an icon or two.
    EXPECT_LE(after.gdiObjects, before.gdiObjects + 8);
    EXPECT_LE(after.windows, before.windows + 8);
    EXPECT_LT(after.committedBytes, before.committedBytes + 2 * 1024 * 1024);  // a record a file would be 10 MB
}
// Without a help.hlp in the working directory the help commands open the page beside the program through the
// web-address handler (here one that writes down what it is given), the search at the page's index; a page that
// is not there is said so.
TEST_F(ListoraTest, HelpOpensThePageBesideTheProgramTheSearchAtItsIndex) {
    const TestTree tree("e2e-help");  // the handler writes down its URL in it
    const std::string record = tree.PathOf("url"), page = Program::Beside("Listora.html"),
                      command = "cmd.exe /c echo %1>" + record;
    UniqueRegKey handler;  // the prefix's own (Wine 8 does not let the user's classes override it), put back at the end
    ::RegCreateKeyExA(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      handler.put(), nullptr);
    char browser[1024] = {};
    DWORD size = sizeof browser;
    ::RegQueryValueExA(handler.get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(browser), &size);
    ::RegSetValueExA(handler.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     DWORD(command.size() + 1));
    std::string url = "file:///" + page;
    std::replace(url.begin(), url.end(), '\\', '/');
    Play({"start"});
    for (const auto& [id, expected] : {std::pair(ID_HELP_CONTENTS, url), std::pair(ID_HELP_SEARCH, url + "#index")}) {
        ::DeleteFileA(record.c_str());
        ::PostMessageA(main, WM_COMMAND, id, 0);
        std::string line;
        EXPECT_TRUE(WaitUntil([&] { return std::getline(std::ifstream(record), line) && line.starts_with(expected); }))
            << line;
    }
    ::MoveFileA(page.c_str(), (page + ".away").c_str());
    ::PostMessageA(main, WM_COMMAND, ID_HELP_CONTENTS, 0);
    EXPECT_TRUE(WaitUntil([&] { return Text(Active()) == "Listora"; }));
    ::MoveFileA((page + ".away").c_str(), page.c_str());
    ::RegSetValueExA(handler.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(browser), size);
}

// With a help.hlp in the working directory, both commands go to the help viewer with that file: here to a window of
// the viewer's class, which writes down the command and the file of each request it is sent.
std::vector<std::pair<WORD, std::string>> g_helpAsked;
LRESULT CALLBACK HelpViewer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return ::DefWindowProcA(window, message, wParam, lParam);
    const auto* request = static_cast<const char*>(reinterpret_cast<const COPYDATASTRUCT*>(lParam)->lpData);
    WORD command = 0, fileAt = 0;  // the request: size, command, data, reserved, file offset, data offset
    std::memcpy(&command, request + 2, 2), std::memcpy(&fileAt, request + 12, 2);
    g_helpAsked.emplace_back(command, request + fileAt);
    return TRUE;
}

TEST_F(ListoraTest, HelpWithAHelpFileInTheWorkingDirectoryAsksTheHelpViewer) {
    const TestTree& tree = *trees.emplace_back(std::make_unique<TestTree>("e2e-hlp"));  // outlives the program in it
    tree.AddFile("help.hlp");
    WNDCLASSA viewer{};
    viewer.lpszClassName = "MS_WINHELP";
    viewer.lpfnWndProc = HelpViewer;
    ::RegisterClassA(&viewer);
    const UniqueWindow window(::CreateWindowA("MS_WINHELP", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
    char before[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, before);
    ::SetCurrentDirectoryA(tree.PathOf().c_str());  // the program's working directory
    Play({"start"});
    ::SetCurrentDirectoryA(before);
    ::PostMessageA(main, WM_COMMAND, ID_HELP_CONTENTS, 0), ::PostMessageA(main, WM_COMMAND, ID_HELP_SEARCH, 0);
    WaitUntil([] {
        for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageA(&msg);
        return g_helpAsked.size() >= 2;
    });
    const std::string file = tree.PathOf("help.hlp");
    EXPECT_EQ(g_helpAsked, (std::vector<std::pair<WORD, std::string>>{{HELP_CONTENTS, file}, {HELP_KEY, file}}));
}
}  // namespace
