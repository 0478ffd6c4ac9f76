// What needs Win32 to be real: the adapters, the dialog framework, the dialogs, a transfer another program watches.
// What Listora.exe shows as a whole (browsing, transfers, saved settings, exact names, the owner's activation and
// focus after each dialog) is seen in the sessions of tests/data/e2e_*.txt, and not again here.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <atomic>
#include <cstring>
#include <map>
#include <random>
#include <thread>
#include <tuple>

#include "about/win/about_dialog.h"
#include "tests/support/disk_tree.h"
#include "browser/win/main_dialog.h"
#include "command_line/win/send_to_shortcuts.h"
#include "engine/natural_ordering.h"
#include "engine/sorted_path_list.h"
#include "engine/win/copy_progress_dialog.h"
#include "platform/win/com_ptr.h"
#include "platform/win/dpi.h"
#include "platform/win/find_file_search.h"
#include "platform/win/list_box_ordering.h"
#include "platform/win/system_time_zone.h"
#include "platform/win/system_text_services.h"
#include "platform/win/win32_clipboard.h"
#include "platform/win/win_app.h"
#include "presets/win/settings_dialog.h"
#include "resources/resource.h"
#include "tests/fakes/memory_directory_tree.h"
#include "tests/fakes/memory_preset_storage.h"
#include "tests/support/driver.h"
#include "tests/support/scripted_dialog.h"

namespace {
using namespace std::literals;
// The tab and animation controls, for every test.
const bool kCommonControls = [] {
    ::InitCommonControls();
    return true;
}();
// A cp932 character whose second byte is 0x5C, the value of '\'.
const std::string kHyo = "\x95\x5C";

// The bytes the adapter writes are seen in e2e_settings.txt; here, what the registry leaves to it.
TEST(RegistryPresetStorageTest, FirstReadMakesTheEmptyKeyValuesAreTextsOddValuesReadUpToTheirFirstNul) {
    support::ForgetPresets();
    RegistryPresetStorage storage;
    EXPECT_EQ(storage.Read("DEF_REVERSE"), "");
    EXPECT_TRUE(support::PresetSnapshot().empty());
    EXPECT_EQ(::RegDeleteKeyA(HKEY_CURRENT_USER, RegistryPresetStorage::KeyPath().c_str()), ERROR_SUCCESS);
    storage.Write("DEF_NUMBERLEN_02", "");
    EXPECT_EQ(support::PresetSnapshot().at("DEF_NUMBERLEN_02"), std::pair(DWORD{REG_SZ}, ""s));
    struct Odd {
        DWORD type;
        std::string data, read;
    };
    const std::string ones(255, '1');  // as many bytes as the reader takes
    for (const Odd& odd :
         {Odd{REG_SZ, ones + ones, ""}, Odd{REG_BINARY, ones + "1", ""}, Odd{REG_BINARY, ones, ones},
          Odd{REG_BINARY, "1x1", "1x1"}, Odd{REG_DWORD, "101\0"s, "101"}, Odd{REG_MULTI_SZ, "12\0ab\0\0"s, "12"}}) {
        ASSERT_TRUE(support::SetRawPreset("DEF_X", odd.type, odd.data));
        EXPECT_EQ(storage.Read("DEF_X"), odd.read) << "type " << odd.type << ": " << odd.data;
    }
}

// What a search reports: each name with "\\" for a folder, "@" for a link, else its size.
using Found = std::map<std::string, std::string>;
Found SearchFor(const std::string& pattern) {
    Found found;
    FindFileSearch().Search(pattern, [&](const FoundEntry& e) {
        found[std::string(e.name)] = (e.isDirectory ? "\\" : std::to_string(e.size)) + (e.isLink ? "@" : "");
    });
    return found;
}

// 表 and ソ end in a "\\" byte in cp932, é lies outside it; names of every kind and paths past 260 characters are
// listed through the program in e2e_names.txt, files' sizes in e2e_transfers.txt.
TEST(FindFileSearchTest, ReportsFoldersAndSizesAndMatchesAsTheCoreAssumes) {
    const support::TestTree tree("listora-search");
    DiskTree disk(tree.PathOf());
    disk.AddFolder("x.txt");
    disk.AddFolder("表");
    for (const char* file :
         {"a.txt", "B.TXT", "c.log", "README", "a long name.txt", "ソ.txt", "café.docx", "表\\能.txt"})
        disk.AddFile(file, 10);
    disk.AddFile("big.dat", 5'000'000'000);  // sparse
    ASSERT_EQ(disk.failures, 0);
    const Found all = SearchFor(tree.PathOf("*.*"));
    EXPECT_EQ(all.size(), 12u);  // ".", ".." and the ten made
    EXPECT_EQ(all.at(".."), "\\");
    EXPECT_EQ(all.at("x.txt"), "\\");
    EXPECT_EQ(all.at("big.dat"), "5000000000");
    EXPECT_EQ(SearchFor(tree.PathOf("表\\*.txt")), (Found{{"能.txt", "10"}}));
    EXPECT_FALSE(SearchFor("C:\\*.*").contains("."));  // a drive root has no "." and ".."
    EXPECT_EQ(FindFileSearch().Search(tree.PathOf("*.none"), [](auto&) {}), SearchResult::NoMatch);
    // A folder that is not there (as one removed during a run) is one that could not be read.
    EXPECT_EQ(FindFileSearch().Search(tree.PathOf("none\\*.*"), [](auto&) {}), SearchResult::Unreadable);
    for (const auto& pattern :
         {"*"s, "*.txt"s, "*.TXT"s, "?.txt"s, "??.txt"s, "*表"s, "b*"s, "*E"s, "*.l?g"s, "*.DOCX"s}) {
        Found assumed;
        for (const auto& [name, kind] : all)
            if (MatchesSearchPattern(pattern, name, TextServices::Utf8())) assumed[name] = kind;
        EXPECT_EQ(SearchFor(tree.PathOf(pattern)), assumed) << pattern;
    }
}

// The windows_link_tree fixture made loop\inner\up a link back to loop.
TEST(FindFileSearchTest, ReportsALinkAndKnowsTheFolderItLeadsTo) {
    const std::string loop = "C:\\listora-links\\loop";
    EXPECT_EQ(SearchFor(loop + "\\inner\\up"), (Found{{"up", "\\@"}}));
    FindFileSearch search;
    const auto identity = search.IdentifyFolder(loop + "\\");
    ASSERT_TRUE(identity);
    EXPECT_EQ(search.IdentifyFolder(loop + "\\inner\\up\\"), identity);
    EXPECT_NE(search.IdentifyFolder(loop + "\\inner"), identity);
    EXPECT_FALSE(search.IdentifyFolder(loop + "\\missing"));
}

// Hidden and system entries and the last-write time, as the file system keeps them for the search.
TEST(FindFileSearchTest, ReportsHiddenAndSystemEntriesAndTheirLastWriteTime) {
    constexpr std::uint64_t kWritten = 133486814400000000;  // 2024-01-02 15:04 UTC
    const support::TestTree tree("listora-attributes");
    tree.AddFolder("hidden");
    for (const char* file : {"plain.txt", "hidden.txt", "system.txt"}) tree.AddFile(file);
    ASSERT_TRUE(::SetFileAttributesA(tree.PathOf("hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(::SetFileAttributesA(tree.PathOf("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(::SetFileAttributesA(tree.PathOf("system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM));
    {
        const UniqueFile file(::CreateFileA(tree.PathOf("plain.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
        const FILETIME written{DWORD(kWritten & 0xFFFFFFFF), DWORD(kWritten >> 32)};
        ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &written));
    }
    std::map<std::string, std::tuple<bool, bool, std::uint64_t>> found;  // hidden, system, written
    FindFileSearch().Search(tree.PathOf("*.*"), [&](const FoundEntry& e) {
        found[std::string(e.name)] = {e.isHidden, e.isSystem, e.name == "plain.txt" ? e.lastWrite : 0};
    });
    EXPECT_EQ(found.at("plain.txt"), std::tuple(false, false, kWritten));
    EXPECT_EQ(found.at("hidden"), std::tuple(true, false, 0u));
    EXPECT_EQ(found.at("hidden.txt"), std::tuple(true, false, 0u));
    EXPECT_EQ(found.at("system.txt"), std::tuple(false, true, 0u));
}

// A summer date in summer time, a winter one not, whatever the season now: the zone's own rules.
TEST(SystemTimeZoneTest, GivesEachDateTheOffsetOfItsSeason) {
    TIME_ZONE_INFORMATION zone = {};
    zone.Bias = -60;  // an hour ahead of UTC, two in summer: from March's last Sunday, 2:00, to October's, 3:00
    zone.DaylightBias = -60;
    zone.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
    zone.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
    const SystemTimeZone local(zone);
    EXPECT_EQ(local.ToLocal(133497956400000000), (LocalTime{2024, 1, 15, 13, 34}));  // 12:34 UTC
    EXPECT_EQ(local.ToLocal(133655204400000000), (LocalTime{2024, 7, 15, 14, 34}));  // 12:34 UTC
}

// Explorer's order against the shell's comparison, on names whose digit runs it reads whole. Wine's compares one
// character at a time, so characters that differ only in width, kana kind or voicing (weighed after the whole run
// here) and the blank are left out.
TEST(NaturalOrderingTest, AgreesWithTheShellOnShortNumbers) {
    const char* const atoms[] = {"a", "B", "b", "1", "2", "10", "09", "あ", "カ", "さ", "第", "回"};
    std::vector<std::string> names;
    std::minstd_rand random(2);
    for (int i = 0; i < 1000; ++i) {
        std::string& name = names.emplace_back();
        for (int atom = 0; atom <= i % 4; ++atom) name += atoms[random() % std::size(atoms)];
    }
    const ListBoxOrdering locale;
    const NaturalOrdering natural(locale);
    SortedPathList list(natural);
    for (const std::string& name : names) list.Add(name);
    list.Sort();
    for (std::size_t i = 1; i < list.Count(); ++i) {
        const std::wstring before = Utf16FromUtf8(list.At(i - 1));
        EXPECT_LE(::StrCmpLogicalW(before.c_str(), Utf16FromUtf8(list.At(i)).c_str()), 0)
            << list.At(i - 1) << " before " << list.At(i);
    }
}

TEST(ListBoxOrderingTest, SortsAsARealSortedListBox) {
    // Case, digits, blank and separator, punctuation, kana of each width and kind, kanji, the long-vowel mark, wide
    // letters, and characters outside cp932: accented, Korean, beyond the basic plane, a combining mark.
    const char* const atoms[] = {"a",  "A",  "b",  "B",  "0",  "1",  "10", " ",  "\\", "_",  "-",      "'",  ".",  "~",
                                 "(",  "[",  "ｱ",  "ｶ",  "あ", "ぁ", "か", "が", "ア", "カ", "ガ",     "ソ", "表", "能",
                                 "漢", "字", "ー", "Ａ", "ａ", "é",  "É",  "한", "𠮷", "😀",  "\u3099", "髙", "①"};
    std::vector<std::string> paths = {"C:\\Work",  "C:\\Work A", "C:\\Work\\Sub", "C:\\work_b",
                                      "C:\\WORK2", "C:\\Work10", "C:\\Work9"};
    std::minstd_rand random(1);
    for (int i = 0; i < 2000; ++i) {
        std::string& path = paths.emplace_back("C:\\");
        for (int atom = 0; atom <= i % 5; ++atom) path += atoms[random() % std::size(atoms)];
    }
    const UniqueWindow box(::CreateWindowExW(0, L"LISTBOX", L"", LBS_SORT | LBS_HASSTRINGS, 0, 0, 0, 0, nullptr,
                                             nullptr, nullptr, nullptr));
    const ListBoxOrdering ordering;
    SortedPathList list(ordering);
    for (const std::string& path : paths) {
        list.Add(path);
        ::SendMessageW(box.get(), LB_ADDSTRING, 0, LPARAM(Utf16FromUtf8(path).c_str()));
    }
    ASSERT_EQ(size_t(::SendMessageW(box.get(), LB_GETCOUNT, 0, 0)), list.Count());
    for (const std::size_t prefix : {0, 2}) {  // keyed whole, and from the separator after the "C:" they share
        list.Sort(prefix);
        int apart = 0;  // texts that collate equal (A, a) stand in either order
        for (std::size_t i = 0; i < list.Count(); ++i) {
            wchar_t shown[64] = {};
            ::SendMessageW(box.get(), LB_GETTEXT, i, LPARAM(shown));
            const std::wstring mine = Utf16FromUtf8(list.At(i));
            if (mine == shown) continue;
            ++apart;
            EXPECT_EQ(::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, mine.c_str(), -1, shown, -1), CSTR_EQUAL)
                << prefix << ": " << list.At(i);
        }
        EXPECT_LT(apart, 200);
    }
}

// A part of a listing carries the format that keeps it out of clipboard histories, with real data (none would
// promise it later); the whole listing carries none.
TEST(Win32ClipboardTest, MarksOnlyAPartOfTheListingForHistoriesToPassOver) {
    const UINT marker = ::RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
    Win32Clipboard clipboard(nullptr);
    for (const bool partial : {true, false}) {
        ASSERT_TRUE(clipboard.Open());
        EXPECT_TRUE(clipboard.ReplaceText("C:\\part", partial));
        clipboard.Close();
        ASSERT_TRUE(support::OpenClipboard());
        const HANDLE data = ::GetClipboardData(marker);
        EXPECT_EQ(data ? ::GlobalSize(data) : 0, partial ? sizeof(DWORD) : 0) << partial;
        ::CloseClipboard();
    }
}

// The adapter takes the lead-byte ranges from the system.
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
    std::map<std::string, LRESULT> heights;  // of the items of the drive box and of the folder list
    RECT suggested{40, 30, 700, 560}, placed{};
    main.steps = {[&](MainDialog& d) {
        for (const std::string display : {"", " moved"}) {  // the second told as the system tells it
            if (!display.empty())
                ::SendMessageA(d.m_hWnd, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), LPARAM(&suggested));
            heights["drive" + display] = ::SendDlgItemMessageA(d.m_hWnd, IDC_DRIVE_COMBO, CB_GETITEMHEIGHT, 0, 0);
            for (const int item : {0, 1}) {
                heights["folder " + std::to_string(item) + display] =
                    ::SendDlgItemMessageA(d.m_hWnd, IDC_FOLDER_LIST, LB_GETITEMHEIGHT, item, 0);
            }
        }
        ::GetWindowRect(d.m_hWnd, &placed);
        d.EndDialog(IDOK);
    }};
    main.DoModal();
    const LRESULT icon = ::MulDiv(16, int(dpi), 96);
    EXPECT_EQ(heights, (std::map<std::string, LRESULT>{{"drive", icon},
                                                       {"folder 0", icon},
                                                       {"folder 1", icon},
                                                       {"drive moved", 2 * icon},
                                                       {"folder 0 moved", 2 * icon},
                                                       {"folder 1 moved", 2 * icon}}));
    EXPECT_TRUE(::EqualRect(&placed, &suggested));
}

// Adds to `cut` each text of `page`'s statics and buttons that does not fit its control with the page's font, measured
// as the control draws it ("&" marks the mnemonic): a static's where it wraps, a check box's on one line beside its
// box. Returns how many it measured.
int MeasureTexts(HWND page, std::vector<std::string>& cut) {
    const HDC dc = ::GetDC(page);
    const HGDIOBJ font = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(page, WM_GETFONT, 0, 0)));
    int measured = 0;
    for (HWND control = ::GetWindow(page, GW_CHILD); control; control = ::GetWindow(control, GW_HWNDNEXT)) {
        wchar_t kind[16] = {}, text[128] = {};
        ::GetClassNameW(control, kind, std::size(kind));
        ::GetWindowTextW(control, text, std::size(text));
        const bool isStatic = ::lstrcmpiW(kind, WC_STATICW) == 0;
        if (!isStatic && (::lstrcmpiW(kind, WC_BUTTONW) != 0 || text[0] == L'\0')) continue;
        RECT room{}, needs{};
        ::GetClientRect(control, &room);
        needs.right = room.right;
        ::DrawTextW(dc, text, -1, &needs, DT_CALCRECT | (isStatic ? DT_WORDBREAK : DT_SINGLELINE));
        if (!isStatic) needs.right += ::GetSystemMetrics(SM_CXMENUCHECK);
        ++measured;
        if (needs.right > room.right || needs.bottom > room.bottom) cut.push_back(Utf8FromUtf16(text));
    }
    ::SelectObject(dc, font);
    ::ReleaseDC(page, dc);
    return measured;
}

// Every text of the three settings pages is whole at the display's scale, and each page sits at (10, 20) scaled in
// the tab control, also after the window moved to a display of twice the scale and took the size suggested for it.
TEST(DisplayScaleTest, SettingsPagesShowEveryTextWholeAtTheScaledOffset) {
    const UINT dpi = PrefixDpi();
    MemoryPresetStorage storage;
    const PresetStore presets(storage);
    ScriptedDialog<SettingsDialog> settings(presets);
    std::vector<std::string> cut;
    std::map<UINT, std::vector<std::pair<LONG, LONG>>> offsets, scaled;  // by the scale of the display
    int measuredPages = 0;
    RECT suggested{40, 30, 700, 900}, placed{};
    settings.steps = {[&](SettingsDialog& d) {
        const HWND tabs = ::GetDlgItem(d.m_hWnd, IDC_PRESET_TABS);
        for (const UINT scale : {dpi, 2 * dpi}) {
            if (scale != dpi) ::SendMessageA(d.m_hWnd, WM_DPICHANGED, MAKEWPARAM(scale, scale), LPARAM(&suggested));
            for (HWND page = ::GetWindow(tabs, GW_CHILD); page; page = ::GetWindow(page, GW_HWNDNEXT)) {
                POINT at{};
                ::MapWindowPoints(page, tabs, &at, 1);
                offsets[scale].emplace_back(at.x, at.y);
                scaled[scale].emplace_back(ScaleForDpi(10, scale), ScaleForDpi(20, scale));
                if (scale == dpi) measuredPages += MeasureTexts(page, cut) > 0;
            }
        }
        ::GetWindowRect(d.m_hWnd, &placed);
    }};
    settings.DoModal();
    EXPECT_EQ(measuredPages, kPresetCount);
    EXPECT_EQ(cut, std::vector<std::string>{});
    EXPECT_EQ(offsets, scaled);
    EXPECT_TRUE(::EqualRect(&placed, &suggested));
}

// The framework's dialog on the main window's template, of which only the owner-drawn file list plays a part. How
// the framework hands on measure and delete requests is seen in the display-scale tests and in the e2e refill test.
struct TestDialog : CDialog {
    TestDialog() : CDialog(IDD_MAIN) {}
    struct List : CListBox {
        int drawn = 0;
        void DrawItem(const DRAWITEMSTRUCT&) override { ++drawn; }
    } list;
    BOOL OnInitDialog() override {
        BindControl(list, IDC_FILE_LIST);
        return TRUE;
    }
};

TEST(DialogTest, CentredOnItsOwnerInsideTheWorkAreaOwnerDrawReflectedUnboundAtTheEnd) {
    const UniqueWindow owner(
        ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    for (const POINT at : {POINT{300, 200}, POINT{-250, -180}}) {  // over the screen, then mostly above and left of it
        ::SetWindowPos(owner.get(), nullptr, at.x, at.y, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ScriptedDialog<TestDialog> dialog;
        RECT placed{};
        dialog.steps = {[&](TestDialog& d) {
            ::GetWindowRect(d.m_hWnd, &placed);
            d.list.AddString("drawn");
            ::UpdateWindow(d.m_hWnd);
            d.EndDialog(IDOK);
        }};
        EXPECT_EQ(dialog.DoModal(owner.get()), IDOK);
        if (at.x > 0) {  // the centres, doubled
            EXPECT_NEAR(placed.left + placed.right, 2 * at.x + 400, 1);
            EXPECT_NEAR(placed.top + placed.bottom, 2 * at.y + 300, 1);
        } else {
            EXPECT_EQ(placed.left, area.left);
            EXPECT_EQ(placed.top, area.top);
        }
        EXPECT_GT(dialog.list.drawn, 0);
        EXPECT_EQ(dialog.list.m_hWnd, nullptr);
    }
}

// An end from a message that another thread sends needs nothing more to wake the loop, and the owner gets its
// activation and focus back as after the ends seen in the e2e_*.txt sessions.
TEST(DialogTest, AnEndSentFromAnotherThreadEndsTheLoop) {
    TestDialog owner;
    ASSERT_TRUE(owner.Create(nullptr));
    ::ShowWindow(owner.m_hWnd, SW_SHOW);
    const HWND had = ::GetDlgItem(owner.m_hWnd, IDC_FILE_LIST);
    ::SetFocus(had);
    using Dialog = ScriptedDialog<TestDialog>;
    Dialog dialog;
    std::atomic<bool> ended = false, nudged = false;
    std::thread sender;
    dialog.steps = {[&](Dialog& d) {
        ::KillTimer(d.m_hWnd, Dialog::kStepTimer);  // no timer left to wake the loop
        sender = std::thread([&, ok = d.Item(IDOK), loop = ::GetCurrentThreadId()] {
            ::Sleep(50);
            ::SendMessageA(ok, BM_CLICK, 0, 0);
            for (int i = 0; i < 150 && !ended; ++i) ::Sleep(20);
            nudged = !ended;  // a loop that missed the end waits for another message: this one
            if (nudged) ::PostThreadMessageA(loop, WM_NULL, 0, 0);
        });
    }};
    EXPECT_EQ(dialog.DoModal(owner.m_hWnd), IDOK);
    ended = true;
    sender.join();
    EXPECT_FALSE(nudged);
    EXPECT_EQ(::GetActiveWindow(), owner.m_hWnd);
    EXPECT_EQ(::GetFocus(), had);
}

// A transfer the user closes at its 20th item, each shown for 25 ms: the window goes, the run goes on, and what is
// on the clipboard meanwhile is the start of the listing. How the run meets another program that holds the clipboard
// or writes its own text is seen in stress_bench_smoke, how the listing is published in pieces in the core.
struct Watched : CopyProgressDialog {
    explicit Watched(const std::string& path) : CopyProgressDialog({}, {}, Messages::Shown) {
        SetFilterExtension("*");
        SetStartPaths({path});
    }
    bool started = false;
    int shown = 0;
    RECT placed{};
    std::optional<std::string> clipboardWhenHidden;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == kStartTimer && !started) ::GetWindowRect(m_hWnd, &placed);
        started = started || (message == WM_TIMER && wParam == kStartTimer);
        if (message == WM_CTLCOLORSTATIC && HWND(lParam) == GetDlgItem(IDC_STATUS) && started) {
            ::Sleep(25);
            if (++shown == 20) ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        }
        if (message == WM_SHOWWINDOW && !wParam && !clipboardWhenHidden) clipboardWhenHidden = support::ClipboardText();
        return CopyProgressDialog::OnMessage(message, wParam, lParam);
    }
};

TEST(TransferTest, ClosedDuringTheRunTheListingCompletes) {
    const support::TestTree tree("listora-transfer");
    std::string listing;
    for (int i = 100; i < 160; ++i) {
        tree.AddFile(Utf8FromAnsi(kHyo + std::to_string(i)));
        listing += tree.PathOf(kHyo + std::to_string(i)) + "\r\n";
    }
    listing += "\r\n";
    const UniqueWindow owner(
        ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(support::SetClipboardText("before"));
    Watched dialog(tree.PathOf());
    EXPECT_EQ(dialog.DoModal(owner.get()), IDCANCEL);
    EXPECT_EQ(support::ClipboardText(), listing);
    ASSERT_TRUE(dialog.clipboardWhenHidden);
    EXPECT_NE(dialog.clipboardWhenHidden, "");
    EXPECT_TRUE(listing.starts_with(*dialog.clipboardWhenHidden)) << *dialog.clipboardWhenHidden;
    EXPECT_LT(dialog.clipboardWhenHidden->size(), listing.size());
    RECT area{};  // its template centres it on the screen, not over its owner
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR(dialog.placed.left + dialog.placed.right, area.left + area.right, 1);
    EXPECT_NEAR(dialog.placed.top + dialog.placed.bottom, area.top + area.bottom, 1);
}

// Of several items dropped on the main window, the first opens: here a file, which opens its folder with the file
// chosen. How each kind of path opens is seen through the command line in e2e_command_line.txt.
TEST(MainDialogTest, OfSeveralDroppedItemsTheFirstOpens) {
    const support::TestTree tree("listora-drop");
    tree.AddFolder("表 sub");
    tree.AddFile("表 sub\\b.txt");
    tree.AddFile("a.txt");
    // Explorer's drop: DROPFILES, then the wide paths, each ended, and the list ended once more.
    const std::wstring paths =
        Utf16FromUtf8(tree.PathOf("表 sub\\b.txt")) + L'\0' + Utf16FromUtf8(tree.PathOf("a.txt")) + L"\0\0"s;
    const HGLOBAL drop =
        ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + paths.size() * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(::GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(files + 1, paths.data(), paths.size() * sizeof(wchar_t));
    ::GlobalUnlock(drop);
    ScriptedDialog<MainDialog> main;
    std::string path, chosen;
    main.steps = {[&](MainDialog& d) {
        ::SendMessageW(d.m_hWnd, WM_DROPFILES, WPARAM(drop), 0);
        path = support::Text(d.GetDlgItem(IDC_PATH), CP_UTF8);
        const HWND list = d.GetDlgItem(IDC_FILE_LIST);
        chosen = support::Ask(list, LB_GETTEXT, ::SendMessageW(list, LB_GETCURSEL, 0, 0));
        d.EndDialog(IDOK);
    }};
    main.DoModal();
    EXPECT_EQ(path, "C" + tree.PathOf("表 sub").substr(1));  // the drive letter as the drive box has it
    EXPECT_EQ(chosen, "b.txt");
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
        IShellLinkW* created = nullptr;
        ASSERT_EQ(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&created)), S_OK);
        const ComPtr<IShellLinkW> link(created);
        IPersistFile* file = nullptr;
        ASSERT_EQ(link->QueryInterface(IID_PPV_ARGS(&file)), S_OK);
        EXPECT_EQ(ComPtr<IPersistFile>(file)->Load(path.c_str(), STGM_READ), S_OK);
        wchar_t target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, icon[MAX_PATH] = {};
        int iconIndex = -1;
        link->GetPath(target, MAX_PATH, nullptr, 0);
        link->GetArguments(arguments, MAX_PATH);
        link->GetIconLocation(icon, MAX_PATH, &iconIndex);
        EXPECT_EQ(target, ProgramPath());
        EXPECT_EQ(arguments, L"/" + std::to_wstring(preset));
        EXPECT_EQ(icon, ProgramPath());
        EXPECT_EQ(iconIndex, 0);
    }
    const auto noneLeft = [&] {
        for (int preset = 1; preset <= 3; ++preset)
            EXPECT_EQ(::GetFileAttributesW(SendToShortcutPath(folder, preset).c_str()), INVALID_FILE_ATTRIBUTES);
    };
    EXPECT_TRUE(RemoveSendToShortcuts());
    noneLeft();
    EXPECT_TRUE(RemoveSendToShortcuts());  // nothing left to take away is no failure
    // A folder in the way of the second shortcut's name: a partial set would pass for the whole in the menu, so
    // neither the first, saved anew, nor the third, left from before, may stay.
    ASSERT_TRUE(AddSendToShortcuts());
    const std::wstring second = SendToShortcutPath(folder, 2);
    ASSERT_TRUE(::DeleteFileW(second.c_str()));
    ASSERT_TRUE(::CreateDirectoryW(second.c_str(), nullptr));
    EXPECT_FALSE(AddSendToShortcuts());
    ASSERT_TRUE(::RemoveDirectoryW(second.c_str()));
    noneLeft();
    ::CoUninitialize();
}

// The cursor goes over the middle of the link area, just above it, and over it again; a click follows each move.
TEST(AboutDialogTest, OverTheLinkAreaOnlyTheCursorIsAHandMadeOnceAndOneClickOpensThePageOnce) {
    using Dialog = ScriptedDialog<AboutDialog>;
    Dialog dialog;
    std::vector<std::string> opened;
    dialog.m_openAddress = [&](HWND parent, const char* address) {
        opened.push_back(parent == dialog.m_hWnd ? address : "elsewhere");
    };
    const auto moveOver = [](bool above) {
        return [above](Dialog& d) {
            RECT link{};
            ::GetWindowRect(d.Item(IDC_LINK_AREA), &link);
            ::SetCursorPos((link.left + link.right) / 2, above ? link.top - 5 : (link.top + link.bottom) / 2);
        };
    };
    std::vector<int> overLink;
    std::vector<HCURSOR> cursors;
    const auto click = [&](Dialog& d) {
        overLink.push_back(d.m_overLink);
        cursors.push_back(::GetCursor());
        ::PostMessageA(d.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        ::PostMessageA(d.m_hWnd, WM_LBUTTONUP, 0, 0);
    };
    dialog.steps = {moveOver(false), click, moveOver(true), click, moveOver(false), click};
    dialog.DoModal();
    EXPECT_EQ(overLink, (std::vector{1, 0, 1}));
    ASSERT_EQ(cursors.size(), 3u);
    const HCURSOR hand = cursors[0], arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    EXPECT_NE(hand, arrow);
    EXPECT_EQ(cursors, (std::vector{hand, arrow, hand}));
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(hand, &info));  // destroyed with the dialog
    EXPECT_EQ(opened, std::vector<std::string>(2, "http://www.example.com/Kestrin/index.htm"));
}
}  // namespace
