// What needs Win32 to be real: the adapters, the dialog framework, the dialogs, a transfer another program watches.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <fstream>
#include <thread>
#include <set>
#include <sstream>

#include "about/win/about_dialog.h"
#include "bench/disk_tree.h"
#include "browser/win/extension_dialog.h"
#include "browser/win/main_dialog.h"
#include "command_line/win/send_to_shortcuts.h"
#include "engine/sorted_path_list.h"
#include "engine/win/copy_progress_dialog.h"
#include "platform/win/dpi.h"
#include "platform/win/find_file_search.h"
#include "platform/win/list_box_ordering.h"
#include "platform/win/resource_string.h"
#include "platform/win/system_text_services.h"
#include "platform/win/win_app.h"
#include "presets/win/settings_dialog.h"
#include "resources/resource.h"
#include "tests/fakes/memory_directory_tree.h"
#include "tests/fakes/memory_preset_storage.h"
#include "tests/support/driver.h"
#include "tests/support/scripted_dialog.h"

namespace {
using namespace std::literals;
const bool kCommonControls = (::InitCommonControls(), true);  // the tab and animation controls, for every test
// cp932 characters whose second byte is 0x5C, the value of '\'.
const std::string kHyo = "\x95\x5C";

TEST(RegistryPresetStorageTest, FirstReadMakesTheEmptyKeyWritesAreCountedTextsOddValuesReadUpToTheirFirstNul) {
    support::ForgetPresets();
    RegistryPresetStorage storage;
    EXPECT_EQ(storage.Read("DEF_REVERSE"), "");  // which makes the key, empty
    EXPECT_TRUE(support::PresetSnapshot().empty() &&
                !::RegDeleteKeyA(HKEY_CURRENT_USER, RegistryPresetStorage::KeyPath().c_str()));
    storage.Write("DEF_REVERSE", "101"), storage.Write("DEF_NUMBERLEN_02", "");
    const auto stored = support::PresetSnapshot();  // the platform may add a NUL to a counted text
    EXPECT_TRUE(stored.at("DEF_REVERSE").second == "101" || stored.at("DEF_REVERSE").second == "101\0"s);
    EXPECT_TRUE(stored.at("DEF_NUMBERLEN_02") == std::pair(DWORD{REG_SZ}, ""s) && storage.Read("DEF_REVERSE") == "101");
    const std::string ones(255, '1');  // as many bytes as the reader takes
    const struct {
        DWORD type;
        std::string data, read;
    } odd[] = {{REG_SZ, ones + ones, ""},  {REG_BINARY, ones + "1", ""}, {REG_BINARY, ones, ones},
               {REG_BINARY, "1x1", "1x1"}, {REG_DWORD, "101\0"s, "101"}, {REG_MULTI_SZ, "12\0ab\0\0"s, "12"}};
    for (const auto& [type, data, read] : odd)
        EXPECT_EQ(support::SetRawPreset("DEF_X", type, data) ? storage.Read("DEF_X") : "-", read);
}

// Names exactly as the file system keeps them, UTF-8: 表, ソ and 能 end in a "\\" byte in cp932; 𠮷, é, 한국어, the
// emoji and the combining mark of a decomposed が lie outside it; 髙 and ① are in it. Paths may pass 260 characters.
TEST(FindFileSearchTest, ReportsExactNamesFoldersSizesAndLinksAtAnyLengthAndMatchesAsTheCoreAssumes) {
    const support::TestTree tree("listora-search");
    const std::string deep =
        "表\\" + std::string(200, 'd') + "\\" + std::string(200, 'e') + "\\" + std::string(200, 'f');
    DiskTree disk(tree.PathOf());
    for (const auto& folder : {"x.txt"s, "表"s, "表\\能"s, "한국어"s, deep.substr(0, 204), deep.substr(0, 405), deep})
        disk.AddFolder(folder);
    for (const auto& file :
         {"a.txt"s, "B.TXT"s, "c.log"s, "README"s, "a long name.txt"s, "ソ.txt"s, "表\\能.txt"s, "𠮷野家.txt"s,
          "café.docx"s, "😀.txt"s, "か\u3099.txt"s, "髙橋①.txt"s, "한국어\\한.txt"s, deep + "\\深い.txt"}) {
        disk.AddFile(file, 10);
    }
    disk.AddFile("big.dat", 5'000'000'000);  // sparse
    ASSERT_EQ(disk.failures, 0);
    FindFileSearch search;
    using Found =
        std::map<std::string, std::string>;  // each name with "\\" for a folder, "@" for a link, else its size
    const auto found = [&](const std::string& pattern, Found entries = {}) {
        search.Search(pattern, [&](const FoundEntry& e) {
            entries[std::string(e.name)] = (e.isDirectory ? "\\" : std::to_string(e.size)) + (e.isLink ? "@" : "");
        });
        return entries;
    };
    const Found all = found(tree.PathOf("*.*"));
    EXPECT_EQ(all, (Found{{".", "\\"},
                          {"..", "\\"},
                          {"x.txt", "\\"},
                          {"表", "\\"},
                          {"한국어", "\\"},
                          {"a.txt", "10"},
                          {"B.TXT", "10"},
                          {"c.log", "10"},
                          {"README", "10"},
                          {"a long name.txt", "10"},
                          {"ソ.txt", "10"},
                          {"𠮷野家.txt", "10"},
                          {"café.docx", "10"},
                          {"😀.txt", "10"},
                          {"か\u3099.txt", "10"},
                          {"髙橋①.txt", "10"},
                          {"big.dat", "5000000000"}}));
    EXPECT_EQ(found(tree.PathOf("表\\*.*")),
              (Found{{".", "\\"}, {"..", "\\"}, {"能", "\\"}, {"能.txt", "10"}, {std::string(200, 'd'), "\\"}}));
    EXPECT_EQ(found(tree.PathOf(deep + "\\*.txt")), (Found{{"深い.txt", "10"}}));
    EXPECT_EQ(found(tree.PathOf("한국어\\*.*")), (Found{{".", "\\"}, {"..", "\\"}, {"한.txt", "10"}}));
    EXPECT_FALSE(found("C:\\*.*").count("."));  // a drive root has no "." and ".."
    EXPECT_FALSE(search.Search(tree.PathOf("*.none"), [](auto&) {}) ||
                 search.Search(tree.PathOf("none\\*.*"), [](auto&) {}));
    for (const auto& pattern :
         {"*"s, "*.txt"s, "*.TXT"s, "?.txt"s, "??.txt"s, "*表"s, "b*"s, "*E"s, "*.l?g"s, "*.DOCX"s}) {
        std::set<std::string> real, assumed;
        for (const auto& [name, kind] : found(tree.PathOf(pattern))) real.insert(name);
        for (const auto& [name, kind] : all)
            if (MatchesSearchPattern(pattern, name, TextServices::Utf8())) assumed.insert(name);
        EXPECT_EQ(real, assumed) << pattern;
    }
    // The windows_link_tree fixture made loop\inner\up a link back to loop.
    const std::string loop = "C:\\listora-links\\loop";
    EXPECT_EQ(found(loop + "\\inner\\up"), (Found{{"up", "\\@"}}));
    const auto up = search.IdentifyFolder(loop + "\\inner\\up\\");
    EXPECT_TRUE(up && up == search.IdentifyFolder(loop + "\\") && up != search.IdentifyFolder(loop + "\\inner"));
    EXPECT_FALSE(search.IdentifyFolder(loop + "\\missing"));
    EXPECT_TRUE(search.IdentifyFolder(tree.PathOf(deep)) &&
                search.IdentifyFolder(tree.PathOf(deep)) != search.IdentifyFolder(tree.PathOf("表")));
}

TEST(ListBoxOrderingTest, SortsAsARealSortedListBox) {
    // Case, digits, blank and separator, punctuation, kana of each width and kind, kanji, the long-vowel mark, wide
    // letters, and characters outside cp932: accented, Korean, beyond the basic plane, a combining mark.
    const char* const atoms[] = {"a",  "A",  "b",  "B",  "0",  "1",  "10", " ",  "\\", "_",  "-",      "'",  ".",  "~",
                                 "(",  "[",  "ｱ",  "ｶ",  "あ", "ぁ", "か", "が", "ア", "カ", "ガ",     "ソ", "表", "能",
                                 "漢", "字", "ー", "Ａ", "ａ", "é",  "É",  "한", "𠮷", "😀",  "\u3099", "髙", "①"};
    std::vector<std::string> paths = {"C:\\Work",  "C:\\Work A", "C:\\Work\\Sub", "C:\\work_b",
                                      "C:\\WORK2", "C:\\Work10", "C:\\Work9"};
    for (unsigned i = 0, state = 1; i < 2000; ++i) {
        paths.emplace_back("C:\\");
        for (unsigned n = 1 + i % 5; n > 0; --n)
            paths.back() += atoms[((state = state * 1103515245 + 12345) >> 16) % std::size(atoms)];
    }
    const UniqueWindow box(::CreateWindowExW(0, L"LISTBOX", L"", LBS_SORT | LBS_HASSTRINGS, 0, 0, 0, 0, nullptr,
                                             nullptr, nullptr, nullptr));
    const ListBoxOrdering ordering;
    SortedPathList list(ordering);
    for (const std::string& path : paths)
        list.Add(path), ::SendMessageW(box.get(), LB_ADDSTRING, 0, LPARAM(Utf16FromUtf8(path).c_str()));
    ASSERT_EQ(size_t(::SendMessageW(box.get(), LB_GETCOUNT, 0, 0)), list.Count());
    for (const std::size_t prefix : {0, 2}) {  // keyed whole, and from the separator after the "C:" they share
        list.Sort(prefix);
        int apart = 0;  // texts that collate equal (A, a) stand in either order
        for (std::size_t i = 0; i < list.Count(); ++i) {
            wchar_t shown[64] = {};
            ::SendMessageW(box.get(), LB_GETTEXT, i, LPARAM(shown));
            const std::wstring mine = Utf16FromUtf8(list.At(i));
            EXPECT_TRUE(mine == shown || (++apart, ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, mine.c_str(),
                                                                    -1, shown, -1) == CSTR_EQUAL))
                << prefix << ": " << list.At(i);
        }
        EXPECT_LT(apart, 200);
    }
}

TEST(SystemTextServicesTest, FollowsTheActiveCodePage932) {
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(SystemTextServices().IsLeadByte(byte), ::IsDBCSLeadByte(BYTE(byte)) != FALSE) << byte;
    EXPECT_EQ(::GetACP(), 932u);
}

// The display scale is the prefix's (LISTORA_DPI): CMake runs these tests once more in a prefix for each of 120,
// 144 and 192 dpi.
UINT PrefixDpi() { return std::stoi(std::getenv("LISTORA_DPI") ? std::getenv("LISTORA_DPI") : "96"); }

// Browser items are one small icon high at the display's scale, and follow the window to a display of another scale.
TEST(DisplayScaleTest, BrowserItemsAreOneSmallIconHighOnEachDisplay) {
    const UINT dpi = PrefixDpi();
    EXPECT_EQ(SystemDpi(), dpi);
    ScriptedDialog<MainDialog> main;
    std::vector<LRESULT> heights;
    RECT suggested{40, 30, 700, 560}, after{};
    main.steps = {[&](MainDialog& d) {
        for (UINT scale : {dpi, 2 * dpi}) {  // the second told as the system tells it
            if (scale != dpi) ::SendMessageA(d.m_hWnd, WM_DPICHANGED, MAKEWPARAM(scale, scale), LPARAM(&suggested));
            heights.push_back(::SendDlgItemMessageA(d.m_hWnd, IDC_DRIVE_COMBO, CB_GETITEMHEIGHT, 0, 0));
            for (int item : {0, 1})
                heights.push_back(::SendDlgItemMessageA(d.m_hWnd, IDC_FOLDER_LIST, LB_GETITEMHEIGHT, item, 0));
        }
        ::GetWindowRect(d.m_hWnd, &after), d.EndDialog(IDOK);
    }};
    main.DoModal();
    const LRESULT one = ::MulDiv(16, int(dpi), 96);
    EXPECT_EQ(heights, (std::vector<LRESULT>{one, one, one, 2 * one, 2 * one, 2 * one}));
    EXPECT_TRUE(::EqualRect(&after, &suggested));
}

// The About pictures are drawn at their size at 100% and fill the grown dialog at other scales; the link area lies on
// the link drawn in the lower one, the only deep blue on a pale ground (half-covered pixels count).
TEST(DisplayScaleTest, AboutLinkAreaLiesOnTheDrawnLink) {
    ScriptedDialog<AboutDialog> about;
    SIZE left{};  // of the client area beside and below the lower picture
    RECT drawn{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN}, link{}, client{}, inside{};
    about.steps = {[&](AboutDialog& d) {
        link = d.m_linkRect;
        ::GetClientRect(d.m_hWnd, &client);
        const HWND lower =
            ::ChildWindowFromPointEx(d.m_hWnd, {(link.left + link.right) / 2, link.top}, CWP_SKIPINVISIBLE);
        const auto bitmap = reinterpret_cast<HBITMAP>(::SendMessageA(lower, STM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP size{};
        BITMAPINFO info{};
        ::GetObjectA(bitmap, sizeof size, &size);
        info.bmiHeader = {sizeof info.bmiHeader, size.bmWidth, -size.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<RGBQUAD> pixels(size.bmWidth * size.bmHeight);
        const HDC screen = ::GetDC(nullptr);
        ::GetDIBits(screen, bitmap, 0, size.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, screen);
        POINT at{};
        ::MapWindowPoints(lower, d.m_hWnd, &at, 1);
        left = {client.right - size.bmWidth, client.bottom - at.y - size.bmHeight};
        for (LONG i = 0; i < LONG(pixels.size()); ++i) {
            const POINT p{at.x + i % size.bmWidth, at.y + i / size.bmWidth};
            if (pixels[i].rgbBlue - pixels[i].rgbRed >= 100) {
                drawn = {std::min(drawn.left, p.x), std::min(drawn.top, p.y), std::max(drawn.right, p.x + 1),
                         std::max(drawn.bottom, p.y + 1)};
            }
        }
        d.EndDialog(IDOK);
    }};
    about.DoModal();
    EXPECT_TRUE(PrefixDpi() == 96 ? left.cx == client.right - 352 : left.cx == 0 && left.cy == 0);
    EXPECT_TRUE(::IntersectRect(&inside, &drawn, &link) && ::EqualRect(&inside, &drawn));
}

// The framework's dialog on the main window's template, of which only the owner-drawn file list plays a part.
struct TestDialog : CDialog {
    TestDialog() : CDialog(IDD_MAIN) {}
    struct List : CListBox {
        int measured = 0, drawn = 0, deleted = 0;
        void MeasureItem(MEASUREITEMSTRUCT& request) override { ++measured, request.itemHeight = 16; }
        void DrawItem(const DRAWITEMSTRUCT&) override { ++drawn; }
        void DeleteItem(const DELETEITEMSTRUCT&) override { ++deleted; }
    } list;
    BOOL OnInitDialog() override { return BindControl(list, IDC_FILE_LIST), TRUE; }
};

TEST(DialogTest, CentredOnItsOwnerInsideTheWorkAreaTheOwnerEnabledAsItEndsOwnerDrawReflected) {
    const UniqueWindow owner(
        ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    for (const POINT at : {POINT{300, 200}, POINT{-250, -180}}) {  // over the screen, then mostly above and left of it
        ::SetWindowPos(owner.get(), nullptr, at.x, at.y, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ScriptedDialog<TestDialog> dialog;
        RECT placed{};
        // Owner enabled, list deletions, item height; dialog visible, owner enabled; after: owner, measures, drawn,
        // deletions.
        std::vector<int> seen;
        dialog.steps = {[&](TestDialog& d) {
            ::GetWindowRect(d.m_hWnd, &placed);
            for (const char* name : {"b", "a", "c"}) d.list.AddString(name);
            ::UpdateWindow(d.m_hWnd);
            d.list.ResetContent();
            d.list.AddString("deleted with the window");
            seen = {::IsWindowEnabled(owner.get()), d.list.deleted,
                    int(::SendMessageA(d.list.m_hWnd, LB_GETITEMHEIGHT, 0, 0))};
            d.EndDialog(IDOK);
            seen.insert(seen.end(), {::IsWindowVisible(d.m_hWnd), ::IsWindowEnabled(owner.get())});
        }};
        EXPECT_EQ(dialog.DoModal(owner.get()), IDOK);
        EXPECT_TRUE(!dialog.m_hWnd && !dialog.list.m_hWnd);  // unbound
        seen.insert(seen.end(),
                    {::IsWindowEnabled(owner.get()), dialog.list.measured, dialog.list.drawn > 0, dialog.list.deleted});
        EXPECT_EQ(seen, (std::vector{0, 3, 16, 0, 1, 1, 4, 1, 4}));
        if (at.x > 0)
            EXPECT_LE(std::abs(placed.left + placed.right - 1000) + std::abs(placed.top + placed.bottom - 700),
                      2);  // its centre
        else
            EXPECT_EQ(std::pair(placed.left, placed.top), std::pair(area.left, area.top));
    }
}

// However a dialog ends, its owner is enabled and active again with the focus where it was, as with the system's
// dialogs; an end from a message that another thread sends needs nothing more to wake the loop.
TEST(DialogTest, HoweverItEndsTheOwnerGetsItsActivationAndFocusBack) {
    TestDialog owner;
    ASSERT_TRUE(owner.Create(nullptr));
    ::ShowWindow(owner.m_hWnd, SW_SHOW);
    const HWND had = ::GetDlgItem(owner.m_hWnd, IDC_FILE_LIST);
    const std::function<void(HWND)> ends[] = {
        [](HWND d) { support::Click(::GetDlgItem(d, IDCANCEL)); }, [](HWND d) { support::PressKey(d, VK_ESCAPE); },
        [](HWND d) { support::ChooseSystemMenuItem(d, SC_CLOSE); }, [](HWND d) { ::PostMessageA(d, WM_CLOSE, 0, 0); },
        [](HWND d) {
            std::thread([d] { ::Sleep(50), ::SendMessageA(::GetDlgItem(d, IDOK), BM_CLICK, 0, 0); }).detach();
        }};
    for (const auto& end : ends) {
        ::SetActiveWindow(owner.m_hWnd), ::SetFocus(had);
        ScriptedDialog<TestDialog> dialog;
        dialog.steps = {
            [&](TestDialog& d) { ::KillTimer(d.m_hWnd, 0x5354), ::SetFocus(d.list.m_hWnd), end(d.m_hWnd); }};
        std::atomic<bool> ended = false, nudged = false;
        std::thread nudge([&] {  // what a loop that missed the end would wait for
            for (int i = 0; i < 150 && !ended; ++i) ::Sleep(20);
            if (!ended)
                nudged = true, ::PostThreadMessageA(::GetWindowThreadProcessId(owner.m_hWnd, nullptr), WM_NULL, 0, 0);
        });
        dialog.DoModal(owner.m_hWnd);
        ended = true, nudge.join();
        EXPECT_TRUE(!nudged && ::IsWindowEnabled(owner.m_hWnd) && ::GetActiveWindow() == owner.m_hWnd &&
                    ::GetFocus() == had);
    }
}

// The settings dialog over the storage of the example at hand (ScriptedDialog wants a default constructor).
MemoryPresetStorage g_storage;
const PresetStore g_presets(g_storage);
struct Settings : SettingsDialog {
    Settings() : SettingsDialog(g_presets) {}
};

// A control as tests/data/windows_settings.txt writes it.
std::string Shown(HWND control) {
    char kind[16] = {};
    ::GetClassNameA(control, kind, sizeof kind);
    const std::string shown = *kind == 'B'   ? std::to_string(support::IsChecked(control))
                              : *kind == 'C' ? std::to_string(support::ComboSelection(control))
                                             : support::Text(control);
    return ::IsWindowEnabled(control) ? shown : "[" + shown + "]";
}

// A line of an example, played as a user would; a row is checked as the dialog shows it.
void Play(Settings& d, const std::string& line) {
    std::istringstream words(line);
    std::string verb, text, shown, expected;
    int id = 0;
    if (words >> verb && verb.starts_with("DEF_")) words >> text >> text, verb = "shows";
    if (verb != "key" && verb != "shows") words >> id >> text;
    const HWND control = support::Descendant(d.m_hWnd, id), tabs = ::GetDlgItem(d.m_hWnd, IDC_PRESET_TABS);
    if (verb == "click")
        support::Click(control);
    else if (verb == "focus")
        ::SetFocus(control);
    else if (verb == "type")
        ::SetWindowTextA(control, text == "-" ? "" : text.c_str());
    else if (verb == "close")
        support::ChooseSystemMenuItem(d.m_hWnd, SC_CLOSE);
    else if (verb == "choose") {  // as a pick in its list, which tells the page
        ::SendMessageA(control, CB_SETCURSEL, std::stoi(text), 0);
        ::SendMessageA(::GetParent(control), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(control));
    } else if (verb == "key" && words >> text) {
        BYTE keys[256] = {};  // the modifiers, as the dialog asks for them
        keys[VK_CONTROL] = text.starts_with("ctrl+") ? 0x80 : 0,
        keys[VK_SHIFT] = text.find("shift+") != text.npos ? 0x80 : 0;
        ::SetKeyboardState(keys);
        support::PressKey(d.m_hWnd, text.ends_with("tab") ? VK_TAB : text == "return" ? VK_RETURN : VK_ESCAPE);
    } else if (verb == "shows") {
        while (words >> text && text != "=")
            shown += (shown.empty() ? "" : " ") + Shown(support::Descendant(d.m_hWnd, std::stoi(text)));
        std::getline(words >> std::ws, expected);
        EXPECT_EQ(shown, expected) << line;
    } else {
        EXPECT_EQ(verb, "page") << line;
        const int first[] = {IDC_NO_EXTENSION_1, IDC_NO_EXTENSION_2, IDC_NO_EXTENSION_3};
        EXPECT_EQ(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0) + 1, id) << line;
        for (int p = 0; p < 3; ++p)
            EXPECT_EQ(::IsWindowVisible(support::Descendant(d.m_hWnd, first[p])) != FALSE, p + 1 == id) << line;
    }
}

TEST(SettingsDialogTest, WorkedExamples) {
    std::ifstream in(LISTORA_TEST_DATA "/windows_settings.txt");
    std::vector<std::vector<std::string>> examples;  // each its "example" line, rows and steps
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("example")) examples.emplace_back();
        if (!examples.empty() && !line.empty() && line[0] != '#') examples.back().push_back(line);
    }
    ASSERT_EQ(examples.size(), 6u);
    for (const auto& lines : examples) {
        SCOPED_TRACE(lines[0]);
        g_storage = {};
        std::vector<std::pair<std::string, std::string>> saves;
        ScriptedDialog<Settings> dialog;
        dialog.steps = {[&](Settings& d) {
            for (const std::string& row : lines)
                if (row.starts_with("DEF_")) Play(d, row);
        }};
        for (std::size_t i = 1; i < lines.size(); ++i) {
            std::istringstream words(lines[i]);
            std::string name, stored, saved;
            if (!lines[i].starts_with("DEF_"))
                dialog.steps.push_back([&line = lines[i]](Settings& d) { Play(d, line); });
            else if (words >> name >> stored >> saved)
                saves.emplace_back(name, saved == "-" ? "" : saved);
            if (!stored.empty() && stored != "-") g_storage.values[name] = stored;
        }
        const std::string end = lines[0].substr(lines[0].rfind(' ') + 1);
        EXPECT_EQ(dialog.DoModal(), end == "ok" ? IDOK : end == "cancel" ? IDCANCEL : -7);
        EXPECT_EQ(g_storage.writes, end == "ok" ? saves : decltype(saves){});
    }
}

// A transfer as the user and another program see it: the other program holds the clipboard until the run shows
// its first item; every item the window shows takes 25 ms; the user closes the window at the 20th.
struct Watched : CopyProgressDialog {
    Watched(const std::string& path, UINT clip) { SetFilterExtension("*"), SetStartPath(path), m_clipId = clip; }
    const UniqueKernelHandle release{::CreateEventA(nullptr, TRUE, FALSE, "listora-release")};
    int shown = -1;
    RECT placed{};
    std::optional<std::string> whenHidden = "never";  // the clipboard as the window went, its owner still disabled
    std::vector<std::string> boxes;
    HWND box = nullptr;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == kStartTimer && shown < 0) shown = 0, ::GetWindowRect(m_hWnd, &placed);
        if (message == WM_CTLCOLORSTATIC && HWND(lParam) == GetDlgItem(IDC_STATUS) && shown >= 0) {
            ::SetEvent(release.get()), ::Sleep(25);
            if (++shown == 20) ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        }
        if (message == WM_SHOWWINDOW && !wParam && whenHidden == "never") {
            whenHidden = ::IsWindowEnabled(::GetWindow(m_hWnd, GW_OWNER)) ? "owner enabled" : support::ClipboardText();
        }
        // A message box of this window takes the activation; it is answered once the window closes.
        const HWND opened = message == WM_ACTIVATE && !LOWORD(wParam) ? HWND(lParam) : nullptr;
        if (opened && ::GetWindow(opened, GW_OWNER) == m_hWnd)
            boxes.push_back(support::Text(::GetDlgItem(box = opened, 0xFFFF)));
        if (message == WM_CLOSE && box) ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        return CopyProgressDialog::OnMessage(message, wParam, lParam);
    }
};

TEST(TransferTest, HeldByAnotherProgramThatSeesItGrowClosedDuringTheRunTheListingCompletesAMissingClipIsReportedOnce) {
    const support::TestTree tree("listora-transfer");
    std::string listing = "before|";  // the listing follows the text the clipboard held
    for (int i = 100; i < 160; ++i)
        tree.AddFile(Utf8FromAnsi(kHyo + std::to_string(i))), listing += tree.PathOf(kHyo + std::to_string(i)) + "\r\n";
    listing += "\r\n";
    const UniqueWindow owner(
        ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(support::SetClipboardText("before|"));
    Watched dialog(tree.PathOf(), IDR_COPY_CLIP);
    const support::Program watcher(support::Program::Beside("clipboard_watcher.exe"),
                                   "listora-release " + Utf8FromAnsi(listing));
    ASSERT_TRUE(support::WaitUntil([&] { return !::OpenClipboard(owner.get()) || !::CloseClipboard(); }));
    EXPECT_EQ(dialog.DoModal(owner.get()), IDCANCEL);
    EXPECT_TRUE(dialog.whenHidden && listing.starts_with(*dialog.whenHidden) &&
                dialog.whenHidden->size() < listing.size());
    EXPECT_TRUE(support::ClipboardText() == listing && ::IsWindowEnabled(owner.get()) &&
                dialog.boxes.empty());  // the clip opened
    EXPECT_EQ(::GetActiveWindow(), owner.get());
    // Its template centres it on the screen, not over its owner.
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const RECT& at = dialog.placed;
    EXPECT_LE(
        std::abs(at.left + at.right - area.left - area.right) + std::abs(at.top + at.bottom - area.top - area.bottom),
        2);
    EXPECT_GE(watcher.WaitForExit().value_or(0), 4u);  // "before|", two parts at least, the whole
    // The missing clip's warning stays open through the whole run: the window ends before its loop begins.
    Watched clipless(tree.PathOf(), 999);
    EXPECT_EQ(clipless.DoModal(owner.get()), IDCANCEL);
    EXPECT_EQ(clipless.boxes, std::vector{LoadResourceString(IDS_CLIP_WARNING)});
    EXPECT_TRUE(support::ClipboardText() == listing.substr(7));  // nothing held this time
}

// Explorer's drop: DROPFILES, then the wide paths, each ended, and the list ended once more.
HDROP DropOf(const std::vector<std::string>& paths) {
    std::wstring list;
    for (const std::string& path : paths) list += Utf16FromUtf8(path) + L'\0';
    list += L'\0';
    const HGLOBAL block =
        ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(::GlobalLock(block));
    files->pFiles = sizeof(DROPFILES), files->fWide = TRUE;
    std::memcpy(files + 1, list.data(), list.size() * sizeof(wchar_t));
    ::GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

// Dropped on the main window, a folder opens there and a file opens its folder with the file chosen; of several
// items, the first. The drive box shows the drive.
TEST(MainDialogTest, ADroppedFolderOpensThereAFileItsFolderWithTheFileChosen) {
    const support::TestTree tree("listora-drop");
    tree.AddFolder("表 sub"), tree.AddFile("表 sub\\b.txt"), tree.AddFile("a.txt");
    ScriptedDialog<MainDialog> main;
    std::vector<std::string> seen;  // path | the chosen file | the drive box
    const auto drop = [&seen](std::vector<std::string> paths) {
        return [&seen, paths](MainDialog& d) {
            ::SendMessageW(d.m_hWnd, WM_DROPFILES, WPARAM(DropOf(paths)), 0);
            const HWND files = d.GetDlgItem(IDC_FILE_LIST), drives = d.GetDlgItem(IDC_DRIVE_COMBO);
            const LRESULT file = ::SendMessageW(files, LB_GETCURSEL, 0, 0), drive = support::ComboSelection(drives);
            seen.push_back(support::Text(d.GetDlgItem(IDC_PATH), CP_UTF8) + " | " +
                           (file < 0 ? "" : support::Ask(files, LB_GETTEXT, file)) + " | " +
                           (drive < 0 ? "" : support::Ask(drives, CB_GETLBTEXT, drive)));
        };
    };
    main.steps = {drop({tree.PathOf("表 sub")}), drop({tree.PathOf("表 sub\\b.txt"), tree.PathOf("a.txt")}),
                  drop({tree.PathOf("a.txt")}), [](MainDialog& d) { d.EndDialog(IDOK); }};
    main.DoModal();
    const std::string at = "C" + tree.PathOf().substr(1);  // c:\... as the drive box has it
    EXPECT_EQ(seen, (std::vector<std::string>{at + "\\表 sub |  | C:\\", at + "\\表 sub | b.txt | C:\\",
                                              at + " | a.txt | C:\\"}));
}

// /sendto: three Send To entries named after the presets, each running this program with its preset's switch and
// showing its icon; /sendto:remove: none.
TEST(SendToShortcutsTest, AddMakesOneShortcutAPresetToThisProgramRemoveTakesThemAway) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring folder = SendToFolder().value_or(L"");
    ASSERT_TRUE(AddSendToShortcuts());
    ASSERT_TRUE(AddSendToShortcuts());  // made again over the old ones
    for (const auto& [preset, name] : {std::pair(1, "設定１"), std::pair(2, "設定２"), std::pair(3, "設定３")}) {
        const std::wstring path = SendToShortcutPath(folder, preset);
        EXPECT_EQ(Utf8FromUtf16(path), Utf8FromUtf16(folder) + "\\Listora " + name + ".lnk");
        IShellLinkW* link = nullptr;
        IPersistFile* file = nullptr;
        ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)),
            link->QueryInterface(IID_PPV_ARGS(&file));
        wchar_t target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, icon[MAX_PATH] = {};
        int index = -1;
        EXPECT_EQ(file->Load(path.c_str(), STGM_READ), S_OK);
        link->GetPath(target, MAX_PATH, nullptr, 0), link->GetArguments(arguments, MAX_PATH),
            link->GetIconLocation(icon, MAX_PATH, &index);
        EXPECT_EQ(std::wstring(target) + L" /" + std::to_wstring(preset) + L" " + icon + L"," + std::to_wstring(index),
                  ProgramPath() + L" " + arguments + L" " + ProgramPath() + L",0");
        file->Release(), link->Release();
    }
    EXPECT_TRUE(RemoveSendToShortcuts());
    for (int preset = 1; preset <= 3; ++preset)
        EXPECT_EQ(::GetFileAttributesW(SendToShortcutPath(folder, preset).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(RemoveSendToShortcuts());  // nothing left to take away is no failure
    ::CoUninitialize();
}

TEST(ExtensionDialogTest, ChangeTakesTheTypedEntryCutToEightBytesEveryCancelGivesBackWhatCameIn) {
    using Dialog = ScriptedDialog<ExtensionDialog>;
    const auto click = [](int id) { return [id](Dialog& d) { support::Click(d.Item(id)); }; };
    const auto press = [](UINT key) { return [key](Dialog& d) { support::PressKey(d.m_hWnd, key); }; };
    const std::string kept = "abcde" + kHyo;  // of 9 bytes handed in, 8 at most and no half character
    const struct {
        std::string typed;
        std::function<void(Dialog&)> end;
        INT_PTR result;
        std::string given;
    } cases[] = {
        // abc and four characters, the first with a 0x5C second byte: the eighth byte is half the third.
        {"abc" + kHyo + "\x8E\xA6\x8A\x67\x92\xA3", click(IDC_CHANGE_EXTENSION), IDOK, "abc" + kHyo + "\x8E\xA6"},
        {"log", press(VK_RETURN), IDOK, "log"},
        {"txt", click(IDC_EXTENSION_CANCEL), IDCANCEL, kept},
        {"txt", press(VK_ESCAPE), IDCANCEL, kept},
        {"txt", [](Dialog& d) { support::ChooseSystemMenuItem(d.m_hWnd, SC_CLOSE); }, IDCANCEL, kept}};
    for (const auto& c : cases) {
        Dialog dialog;
        dialog.SetExtension((kept + "\x8E\xA6").c_str());
        dialog.steps = {[&](Dialog&) { support::Type(::GetFocus(), c.typed); }, c.end};
        char given[9];
        EXPECT_EQ(dialog.DoModal(), c.result) << c.typed;
        EXPECT_EQ((dialog.GetExtension(given), given), c.given) << c.typed;
    }
}

TEST(AboutDialogTest, OverControl1094OnlyTheCursorIsAHandMadeOnceAndOneClickOpensThePageOnce) {
    ScriptedDialog<AboutDialog> dialog;
    std::vector<std::string> opened;
    dialog.m_openAddress = [&](HWND parent, const char* address) {
        opened.push_back(parent == dialog.m_hWnd ? address : "elsewhere");
    };
    std::vector<std::pair<int, HCURSOR>> seen;  // at each click
    // Clicks over the middle of control 1094, just above it, over it again (each posted, so before the next move).
    for (int i = 0; i <= 3; ++i) {
        dialog.steps.push_back([&seen, i](AboutDialog& d) {
            RECT link{};
            ::GetWindowRect(::GetDlgItem(d.m_hWnd, IDC_LINK_AREA), &link);
            if (i) seen.emplace_back(d.m_overLink, ::GetCursor());
            if (i)
                ::PostMessageA(d.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0), ::PostMessageA(d.m_hWnd, WM_LBUTTONUP, 0, 0);
            if (i < 3)
                ::SetCursorPos((link.left + link.right) / 2, i == 1 ? link.top - 5 : (link.top + link.bottom) / 2);
        });
    }
    EXPECT_EQ(dialog.DoModal(), -7);
    ASSERT_EQ(seen.size(), 3u);
    const HCURSOR hand = seen[0].second, arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    EXPECT_EQ(seen, (std::vector<std::pair<int, HCURSOR>>{{1, hand}, {0, arrow}, {1, hand}}));
    ICONINFO info{};
    EXPECT_FALSE(hand == arrow || ::GetIconInfo(hand, &info));  // destroyed with the dialog
    EXPECT_EQ(opened, std::vector<std::string>(2, "http://www.example.com/Kestrin/index.htm"));
}

// What the script draws is checked natively (the About pictures are shown in the scale tests); here, that Windows
// finds an icon image of each size it asks for at 100% to 200%: small ones of 16 to 32 pixels, large ones of 32 to 64.
TEST(ArtworkTest, EveryScaleFindsAnIconImageOfItsSize) {
    const HMODULE program = ::GetModuleHandleA(nullptr);
    const auto data = [&](int id, LPCSTR type) {
        return static_cast<BYTE*>(
            ::LockResource(::LoadResource(program, ::FindResourceA(program, MAKEINTRESOURCEA(id), type))));
    };
    for (const auto& [id, sizes] :
         {std::pair(128, std::vector{16, 20, 24, 32, 40, 48, 64}), std::pair(131, std::vector{32, 40, 48, 64}),
          std::pair(132, std::vector{32, 40, 48, 64})}) {
        for (int size : sizes) {
            const int image = ::LookupIconIdFromDirectoryEx(data(id, RT_GROUP_ICON), TRUE, size, size, LR_DEFAULTCOLOR);
            const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(data(image, RT_ICON));
            EXPECT_TRUE(header && header->biWidth == size) << id << " " << size;
        }
    }
}
}  // namespace
