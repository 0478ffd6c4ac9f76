#include "presets/win/settings_dialog.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win/registry_preset_storage.h"
#include "presets/preset_store.h"
#include "tests/fakes/memory_preset_storage.h"
#include "tests/windows/preset_registry.h"

namespace {
using namespace preset_registry;

enum Kind { Flag, List, Number };
struct ValueRow {
    const char* name;  // per-preset numbers: without the _01.._03 suffix
    Kind kind;
    int ids[3];        // the control on the pages of preset index 0, 1, 2
};
// The values in the order of a save.
const ValueRow kValues[] = {
    {"DEF_NONKAKUCHO", Flag, {1029, 1055, 1042}},   {"DEF_SMALLCHAR", Flag, {1030, 1056, 1043}},
    {"DEF_REVERSE", Flag, {1031, 1057, 1044}},      {"DEF_SUB_FOLDER", Flag, {1034, 1061, 1048}},
    {"DEF_SUB_NUMBER", Number, {1036, 1062, 1049}}, {"DEF_FOLDER_CHECK", Flag, {1033, 1059, 1046}},
    {"DEF_FOLDER_COMB", List, {1035, 1060, 1047}},  {"DEF_NEXT_FOLDER", Flag, {1032, 1058, 1045}},
    {"DEF_FILE_SIZE", Flag, {1091, 1092, 1093}},    {"DEF_LINENUMBER", Flag, {1037, 1063, 1050}},
    {"DEF_SEP_TYPE", List, {1077, 1078, 1068}},     {"DEF_SEP_BEFORE", Number, {1038, 1069, 1073}},
    {"DEF_SEP_AFTER", Number, {1039, 1070, 1074}},  {"DEF_NUMBERLEN", Number, {1040, 1071, 1075}},
    {"DEF_ZERO_CHECK", Flag, {1041, 1072, 1076}},
};
const ValueRow& Row(const char* name) {
    for (const ValueRow& row : kValues) {
        if (std::string(row.name) == name) return row;
    }
    throw std::invalid_argument(name);
}
std::string Suffixed(const char* base, int p) { return std::string(base) + "_0" + static_cast<char>('1' + p); }

// Controls anywhere below the dialog (the pages are children of the tab control).
struct ControlSearch {
    int id;
    HWND found;
};
BOOL CALLBACK MatchControl(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<ControlSearch*>(lParam);
    if (GetDlgCtrlID(window) != search.id) return TRUE;
    search.found = window;
    return FALSE;
}
HWND Control(HWND dialog, int id) {
    ControlSearch search{id, nullptr};
    EnumChildWindows(dialog, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
HWND Control(HWND dialog, const char* name, int p) { return Control(dialog, Row(name).ids[p]); }
bool Checked(HWND control) { return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }
int Selection(HWND control) { return static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)); }
std::string Text(HWND control) {
    char text[64] = {};
    GetWindowTextA(control, text, sizeof text);
    return text;
}
std::string ListText(HWND list, int index) {
    char text[64] = {};
    SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}
void Click(HWND dialog, const char* name, int p) { SendMessageA(Control(dialog, name, p), BM_CLICK, 0, 0); }
// As a user's choice: the selection, then the list's notification to its page.
void Choose(HWND dialog, const char* name, int p, int index) {
    HWND list = Control(dialog, name, p);
    SendMessageA(list, CB_SETCURSEL, index, 0);
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}
void ShowTab(HWND dialog, int tab) { SendMessageA(Control(dialog, 1008), TCM_SETCURFOCUS, tab, 0); }

constexpr UINT_PTR kStepTimer = 1;
constexpr INT_PTR kStepsRanOut = 99;
using Step = std::function<void(HWND dialog)>;

// Runs `steps` one after the other inside the modal loop. Each waits for a
// timer message, which comes only when no posted message is left: what a
// step posts (keys, clicks, the close request and the command it turns
// into) is handled before the next step runs.
class ScriptedSettingsDialog : public SettingsDialog {
public:
    ScriptedSettingsDialog(const PresetStore& store, std::vector<Step> steps) : SettingsDialog(store), m_steps(std::move(steps)) {}

    BOOL OnInitDialog() override {
        const BOOL result = SettingsDialog::OnInitDialog();
        SetTimer(m_hWnd, kStepTimer, 1, nullptr);
        return result;
    }

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TIMER || wParam != kStepTimer) return SettingsDialog::OnMessage(message, wParam, lParam);
        if (m_next == m_steps.size()) {
            KillTimer(m_hWnd, kStepTimer);
            EndDialog(kStepsRanOut);
        } else {
            m_steps[m_next++](m_hWnd);
        }
        return TRUE;
    }

private:
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
};

struct SettingsDialogTest : ::testing::Test {
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
    }
    void SetUp() override { Forget(); }
    void TearDown() override { Forget(); }

    INT_PTR Run(PresetStorage& storage, std::vector<Step> steps) {
        const PresetStore store(storage);
        ScriptedSettingsDialog dialog(store, std::move(steps));
        return dialog.DoModal();
    }
};

const Step kUpdate = [](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); };

TEST_F(SettingsDialogTest, FreshProfileOpensEmptyAndSavesZerosAtOnce) {
    RegistryPresetStorage storage;
    const Step look = [](HWND dialog) {
        char tab[16] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = tab;
        item.cchTextMax = sizeof tab;
        SendMessageA(Control(dialog, 1008), TCM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(tab, "\x90\xDD\x92\xE8\x82\x52");  // the third tab
        for (int p = 0; p < 3; ++p) {
            EXPECT_EQ(IsWindowVisible(GetParent(Control(dialog, "DEF_NONKAKUCHO", p))) != FALSE, p == 0) << p;
            for (const ValueRow& row : kValues) {
                HWND control = Control(dialog, row.name, p);
                const auto where = ::testing::Message() << row.name << " on page " << p;
                ASSERT_NE(control, nullptr) << where;
                switch (row.kind) {
                case Flag: EXPECT_FALSE(Checked(control)) << where; break;
                case List: EXPECT_EQ(Selection(control), 0) << where; break;
                case Number: EXPECT_EQ(Text(control), "0") << where; break;
                }
            }
            // The depth edit, the folder-type list and the line-number group start disabled.
            for (const char* name : {"DEF_SUB_NUMBER", "DEF_FOLDER_COMB", "DEF_SEP_TYPE", "DEF_SEP_BEFORE", "DEF_SEP_AFTER",
                                     "DEF_NUMBERLEN", "DEF_ZERO_CHECK"}) {
                EXPECT_FALSE(IsWindowEnabled(Control(dialog, name, p))) << name << " on page " << p;
            }
            for (const char* name : {"DEF_NONKAKUCHO", "DEF_SUB_FOLDER", "DEF_NEXT_FOLDER", "DEF_FILE_SIZE", "DEF_LINENUMBER"}) {
                EXPECT_TRUE(IsWindowEnabled(Control(dialog, name, p))) << name << " on page " << p;
            }
            // The lists hold their entries in table order, without the "END" that ends each table.
            HWND types = Control(dialog, "DEF_FOLDER_COMB", p);
            HWND separators = Control(dialog, "DEF_SEP_TYPE", p);
            EXPECT_EQ(SendMessageA(types, CB_GETCOUNT, 0, 0), 4);
            EXPECT_EQ(ListText(types, 3), "\x83\x5E\x83\x43\x83\x76\x20\x34");  // "type 4"
            EXPECT_EQ(SendMessageA(separators, CB_GETCOUNT, 0, 0), 7);
            EXPECT_EQ(ListText(separators, 0), "\x82\xC8\x82\xB5");  // "none"
            EXPECT_EQ(ListText(separators, 6), "\x81\x7C\x20\x83\x6E\x83\x43\x83\x74\x83\x93");  // "- hyphen"
        }
    };
    ASSERT_EQ(Run(storage, {look, kUpdate}), IDOK);

    const auto saved = Snapshot();
    EXPECT_EQ(saved.size(), 23u);
    for (const ValueRow& row : kValues) {
        if (row.kind != Number) {
            EXPECT_TRUE(IsCountedText(Raw(row.name), "000")) << row.name;
            continue;
        }
        for (int p = 0; p < 3; ++p) EXPECT_TRUE(IsCountedText(Raw(Suffixed(row.name, p).c_str()), "0")) << row.name << p;
    }
}

TEST_F(SettingsDialogTest, NumbersAreSavedAsTypedAndKeysReachIntoThePages) {
    RegistryPresetStorage storage;
    storage.Write("DEF_SUB_NUMBER_02", "007");
    storage.Write("DEF_SEP_BEFORE_03", " 12ab");
    const Step edit = [](HWND dialog) {
        EXPECT_EQ(Text(Control(dialog, "DEF_SUB_NUMBER", 1)), "7");
        EXPECT_EQ(Text(Control(dialog, "DEF_SEP_BEFORE", 2)), "12");
        SetWindowTextA(Control(dialog, "DEF_SUB_NUMBER", 2), "");
        SetWindowTextA(Control(dialog, "DEF_NUMBERLEN", 0), "12345678901");
        SetWindowTextA(Control(dialog, "DEF_SEP_AFTER", 1), "0042");
        // Enter typed in an edit of the third page presses the update button.
        ShowTab(dialog, 2);
        HWND typing = Control(dialog, "DEF_SEP_AFTER", 2);
        SetFocus(typing);
        PostMessageA(typing, WM_KEYDOWN, VK_RETURN, 0);
    };
    // Tab moves on from the dialog's last button into the page shown.
    const Step tab = [](HWND dialog) {
        SetFocus(GetDlgItem(dialog, IDCANCEL));
        PostMessageA(GetDlgItem(dialog, IDCANCEL), WM_KEYDOWN, VK_TAB, 0);
    };
    const Step intoPage = [](HWND dialog) { EXPECT_EQ(GetFocus(), Control(dialog, "DEF_NONKAKUCHO", 0)); };
    ASSERT_EQ(Run(storage, {tab, intoPage, edit}), IDOK);
    EXPECT_TRUE(IsCountedText(Raw("DEF_SUB_NUMBER_02"), "7"));
    EXPECT_TRUE(IsCountedText(Raw("DEF_SEP_BEFORE_03"), "12"));
    EXPECT_EQ(Raw("DEF_SUB_NUMBER_03"), "");
    EXPECT_TRUE(IsCountedText(Raw("DEF_NUMBERLEN_01"), "123456789"));
    EXPECT_TRUE(IsCountedText(Raw("DEF_SEP_AFTER_02"), "0042"));

    const Step reopen = [](HWND dialog) { EXPECT_EQ(Text(Control(dialog, "DEF_SUB_NUMBER", 2)), "0"); };
    EXPECT_EQ(Run(storage, {reopen}), kStepsRanOut);
}

TEST_F(SettingsDialogTest, CtrlTabStepsThroughThePresets) {
    MemoryPresetStorage storage;
    const auto press = [](bool control, bool shift) {
        return [control, shift](HWND dialog) {
            BYTE keys[256] = {};
            GetKeyboardState(keys);
            keys[VK_CONTROL] = control ? 0x80 : 0;
            keys[VK_SHIFT] = shift ? 0x80 : 0;
            SetKeyboardState(keys);
            PostMessageA(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_TAB, 0);
        };
    };
    const auto shows = [](int tab) {
        return [tab](HWND dialog) {
            EXPECT_EQ(SendMessageA(Control(dialog, 1008), TCM_GETCURSEL, 0, 0), tab);
            for (int p = 0; p < 3; ++p) {
                EXPECT_EQ(IsWindowVisible(GetParent(Control(dialog, "DEF_NONKAKUCHO", p))) != FALSE, p == tab) << p;
            }
        };
    };
    ASSERT_EQ(Run(storage, {press(true, false), shows(1), press(true, false), shows(2), press(true, false), shows(0),
                            press(true, true), shows(2), press(false, false), shows(2)}),
              kStepsRanOut);
    EXPECT_TRUE(storage.values.empty()) << "switching tabs writes nothing";
}

TEST_F(SettingsDialogTest, CancelLeavesTheRegistryByteForByte) {
    RegistryPresetStorage storage;
    SetRaw("DEF_REVERSE", REG_SZ, std::string("1x1\0", 4));
    SetRaw("DEF_FOLDER_COMB", REG_SZ, "39");
    SetRaw("DEF_LINENUMBER", REG_BINARY, "011");
    SetRaw("DEF_SUB_NUMBER_01", REG_SZ, "0007");
    SetRaw("DEF_OTHER", REG_DWORD, std::string("\x01\x00\x00\x00", 4));
    const auto before = Snapshot();
    const Step changeEverything = [](HWND dialog) {
        for (int p = 0; p < 3; ++p) {
            ShowTab(dialog, p);
            Click(dialog, "DEF_NONKAKUCHO", p);
            Click(dialog, "DEF_LINENUMBER", p);
            Choose(dialog, "DEF_SEP_TYPE", p, 4);
            SetWindowTextA(Control(dialog, "DEF_NUMBERLEN", p), "5");
        }
    };
    const Step cancelButton = [](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); };
    const Step escape = [](HWND dialog) {
        HWND box = Control(dialog, "DEF_ZERO_CHECK", 2);
        SetFocus(box);
        PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    const Step closeBox = [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); };
    const Step cancels[] = {cancelButton, escape, closeBox};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Run(storage, {changeEverything, cancels[i]}), IDCANCEL) << "way " << i;
        EXPECT_EQ(Snapshot(), before) << "way " << i;
    }
}

TEST_F(SettingsDialogTest, EachPageLoadsAndSavesItsOwnPlaceInTheFixedOrders) {
    MemoryPresetStorage storage;
    // Every position of every value differs from the others of its value.
    storage.values = {
        {"DEF_NONKAKUCHO", "100"},   {"DEF_SMALLCHAR", "010"},    {"DEF_REVERSE", "001"},      {"DEF_SUB_FOLDER", "110"},
        {"DEF_FOLDER_CHECK", "011"}, {"DEF_FOLDER_COMB", "123"},  {"DEF_NEXT_FOLDER", "101"},  {"DEF_FILE_SIZE", "011"},
        {"DEF_LINENUMBER", "110"},   {"DEF_SEP_TYPE", "456"},     {"DEF_ZERO_CHECK", "101"},   {"DEF_SUB_NUMBER_01", "11"},
        {"DEF_SUB_NUMBER_02", "12"}, {"DEF_SUB_NUMBER_03", "13"}, {"DEF_SEP_BEFORE_01", "21"}, {"DEF_SEP_BEFORE_02", "22"},
        {"DEF_SEP_BEFORE_03", "23"}, {"DEF_SEP_AFTER_01", "31"},  {"DEF_SEP_AFTER_02", "32"},  {"DEF_SEP_AFTER_03", "33"},
        {"DEF_NUMBERLEN_01", "41"},  {"DEF_NUMBERLEN_02", "42"},  {"DEF_NUMBERLEN_03", "43"},
    };
    const auto seeded = storage.values;
    const Step look = [&](HWND dialog) {
        for (int p = 0; p < 3; ++p) {
            for (const ValueRow& row : kValues) {
                HWND control = Control(dialog, row.name, p);
                const auto where = ::testing::Message() << row.name << " on page " << p;
                switch (row.kind) {
                case Flag: EXPECT_EQ(Checked(control), seeded.at(row.name)[p] == '1') << where; break;
                case List: EXPECT_EQ(Selection(control), seeded.at(row.name)[p] - '0') << where; break;
                case Number: EXPECT_EQ(Text(control), seeded.at(Suffixed(row.name, p))) << where; break;
                }
            }
        }
        // The third page has folder names of the fourth type: its sub-folder options are blocked.
        EXPECT_FALSE(IsWindowEnabled(Control(dialog, "DEF_SUB_FOLDER", 2)));
        EXPECT_FALSE(IsWindowEnabled(Control(dialog, "DEF_SUB_NUMBER", 2)));
        EXPECT_FALSE(IsWindowEnabled(Control(dialog, "DEF_NEXT_FOLDER", 2)));
        EXPECT_TRUE(IsWindowEnabled(Control(dialog, "DEF_SUB_NUMBER", 1)));
        EXPECT_FALSE(IsWindowEnabled(Control(dialog, "DEF_FOLDER_COMB", 0)));
        EXPECT_FALSE(IsWindowEnabled(Control(dialog, "DEF_ZERO_CHECK", 2)));
        EXPECT_TRUE(IsWindowEnabled(Control(dialog, "DEF_ZERO_CHECK", 1)));
    };
    ASSERT_EQ(Run(storage, {look, kUpdate}), IDOK);

    std::vector<std::string> loadOrder;
    for (int p = 0; p < 3; ++p) {
        for (const char* name : {"DEF_NONKAKUCHO", "DEF_SMALLCHAR", "DEF_REVERSE", "DEF_SUB_FOLDER", "DEF_SUB_NUMBER",
                                 "DEF_FOLDER_CHECK", "DEF_NEXT_FOLDER", "DEF_FILE_SIZE", "DEF_FOLDER_COMB", "DEF_LINENUMBER",
                                 "DEF_SEP_TYPE", "DEF_SEP_BEFORE", "DEF_SEP_AFTER", "DEF_NUMBERLEN", "DEF_ZERO_CHECK"}) {
            loadOrder.push_back(Row(name).kind == Number ? Suffixed(name, p) : name);
        }
    }
    EXPECT_EQ(storage.reads, loadOrder);
    // Unchanged pages save what they loaded, in the order of the rows.
    std::vector<std::pair<std::string, std::string>> saveOrder;
    for (const ValueRow& row : kValues) {
        for (int p = 0; p < (row.kind == Number ? 3 : 1); ++p) {
            const std::string name = row.kind == Number ? Suffixed(row.name, p) : row.name;
            saveOrder.emplace_back(name, seeded.at(name));
        }
    }
    EXPECT_EQ(storage.writes, saveOrder);
}

TEST_F(SettingsDialogTest, DigitBeyondItsListLeavesItEmptyAndKeepsTheCharacter) {
    MemoryPresetStorage storage;
    storage.values = {{"DEF_FOLDER_CHECK", "111"}, {"DEF_SUB_FOLDER", "111"}, {"DEF_FOLDER_COMB", "7x9"}, {"DEF_SEP_TYPE", "8"}};
    const Step look = [](HWND dialog) {
        EXPECT_EQ(Selection(Control(dialog, "DEF_FOLDER_COMB", 0)), -1);
        EXPECT_EQ(Selection(Control(dialog, "DEF_FOLDER_COMB", 1)), 0);
        EXPECT_EQ(Selection(Control(dialog, "DEF_FOLDER_COMB", 2)), -1);
        EXPECT_EQ(Selection(Control(dialog, "DEF_SEP_TYPE", 0)), -1);
        // A list without a selection does not block the sub-folder options.
        EXPECT_TRUE(IsWindowEnabled(Control(dialog, "DEF_SUB_FOLDER", 0)));
        EXPECT_TRUE(IsWindowEnabled(Control(dialog, "DEF_SUB_NUMBER", 2)));
        Choose(dialog, "DEF_FOLDER_COMB", 1, 2);
    };
    ASSERT_EQ(Run(storage, {look, kUpdate}), IDOK);
    EXPECT_EQ(storage.values["DEF_FOLDER_COMB"], "729");
    EXPECT_EQ(storage.values["DEF_SEP_TYPE"], "800");
}

TEST_F(SettingsDialogTest, EnableRulesFollowTheUsersClicksAndDisabledValuesAreStillSaved) {
    MemoryPresetStorage storage;
    storage.values = {{"DEF_FOLDER_CHECK", "010"}, {"DEF_SUB_FOLDER", "010"}};
    const auto enabled = [](HWND dialog, const char* name) { return IsWindowEnabled(Control(dialog, name, 1)) != FALSE; };
    const Step play = [&](HWND dialog) {
        ShowTab(dialog, 1);
        Choose(dialog, "DEF_FOLDER_COMB", 1, 3);
        EXPECT_FALSE(enabled(dialog, "DEF_SUB_FOLDER") || enabled(dialog, "DEF_SUB_NUMBER") || enabled(dialog, "DEF_NEXT_FOLDER"));
        // Without folder-name output its list is off and the fourth type blocks nothing.
        Click(dialog, "DEF_FOLDER_CHECK", 1);
        EXPECT_FALSE(enabled(dialog, "DEF_FOLDER_COMB"));
        EXPECT_TRUE(enabled(dialog, "DEF_SUB_FOLDER") && enabled(dialog, "DEF_SUB_NUMBER") && enabled(dialog, "DEF_NEXT_FOLDER"));
        Click(dialog, "DEF_SUB_FOLDER", 1);
        EXPECT_FALSE(enabled(dialog, "DEF_SUB_NUMBER"));
        // The line-number group follows its box; what it holds is saved either way.
        Click(dialog, "DEF_LINENUMBER", 1);
        EXPECT_TRUE(enabled(dialog, "DEF_SEP_TYPE") && enabled(dialog, "DEF_NUMBERLEN") && enabled(dialog, "DEF_ZERO_CHECK"));
        Choose(dialog, "DEF_SEP_TYPE", 1, 5);
        SetWindowTextA(Control(dialog, "DEF_NUMBERLEN", 1), "3");
        Click(dialog, "DEF_LINENUMBER", 1);
        EXPECT_FALSE(enabled(dialog, "DEF_SEP_TYPE") || enabled(dialog, "DEF_SEP_AFTER") || enabled(dialog, "DEF_ZERO_CHECK"));
    };
    ASSERT_EQ(Run(storage, {play, kUpdate}), IDOK);
    EXPECT_EQ(storage.values["DEF_FOLDER_CHECK"], "000");
    EXPECT_EQ(storage.values["DEF_FOLDER_COMB"], "030");
    EXPECT_EQ(storage.values["DEF_SUB_FOLDER"], "000");
    EXPECT_EQ(storage.values["DEF_SEP_TYPE"], "050");
    EXPECT_EQ(storage.values["DEF_NUMBERLEN_02"], "3");
}
}  // namespace
