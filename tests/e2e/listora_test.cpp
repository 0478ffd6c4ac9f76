// Listora.exe as a user meets it: started under Wine, worked with window messages, judged by what its windows show,
// the clipboard and the registry. The sessions are scripts in tests/data/e2e_*.txt; e2e_browsing.txt tells the steps.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <ranges>
#include <source_location>

#include "resources/resource.h"
#include "tests/support/data_file.h"
#include "tests/support/driver.h"
#include "tests/support/steps.h"

namespace {
using namespace support;
using Arguments = Steps::Arguments;
using Form = Steps::Form;

// What a check sees where there is nothing to show.
const std::string kNoText = "(no text)";  // no text of the format checked on the clipboard
const std::string kNoFile = "(no file)";  // nothing at the path of "file:" or "hold"
const std::string kNoBox = "none";        // no message box of the program's
const std::string kRunning = "running";   // the program has not ended
const std::string kEnabled = "yes";
const std::string kDisabled = "no";
const std::string kNoValue = "(no value)";  // nothing of that name in the registry key

const std::map<std::string, UINT> kKeys = {
    {"tab", VK_TAB}, {"up", VK_UP}, {"down", VK_DOWN}, {"return", VK_RETURN}, {"escape", VK_ESCAPE}};
// Keys pressed together, in the order they go down.
const std::map<std::string, std::vector<WORD>> kChords = {{"ctrl+tab", {VK_CONTROL, VK_TAB}},
                                                          {"ctrl+shift+tab", {VK_CONTROL, VK_SHIFT, VK_TAB}}};
// The values of the presets' registry key, which "preset" writes and a check of the name reads.
const std::vector<std::string> kPresetValues = {
    "DEF_NONKAKUCHO",    "DEF_SMALLCHAR",     "DEF_REVERSE",      "DEF_SUB_FOLDER",    "DEF_SUB_NUMBER_01",
    "DEF_SUB_NUMBER_02", "DEF_SUB_NUMBER_03", "DEF_FOLDER_CHECK", "DEF_FOLDER_COMB",   "DEF_NEXT_FOLDER",
    "DEF_FILE_SIZE",     "DEF_LINENUMBER",    "DEF_SEP_TYPE",     "DEF_SEP_BEFORE_01", "DEF_SEP_BEFORE_02",
    "DEF_SEP_BEFORE_03", "DEF_SEP_AFTER_01",  "DEF_SEP_AFTER_02", "DEF_SEP_AFTER_03",  "DEF_NUMBERLEN_01",
    "DEF_NUMBERLEN_02",  "DEF_NUMBERLEN_03",  "DEF_ZERO_CHECK",   "DEF_FILE_DATE",     "DEF_NATURAL_ORDER",
    "DEF_SKIP_HIDDEN"};

// The script's UTF-8 in the program's code page, 932; escapes are ASCII, so they still stand for the bytes they name.
std::string Ansi(const DataLine& line) {
    const std::string ansi = AnsiFromUtf16(Utf16FromUtf8(line.text));
    if (Utf8FromAnsi(ansi) != line.text) throw DataError(line, "a character that code page 932 lacks");
    return ansi;
}

class ListoraTest : public ::testing::Test {
protected:
    ListoraTest() {
        ForgetPresets();
        m_states = {
            {"path", [this] { return Text(Control(IDC_PATH), m_codePage); }},
            {"extension", [this] { return Text(Control(IDC_EXTENSION_BUTTON), m_codePage); }},
            {"folders", [this] { return Shown(Control(IDC_FOLDER_LIST), LB_GETCOUNT, LB_GETTEXT, LB_GETCURSEL); }},
            {"files", [this] { return Shown(Control(IDC_FILE_LIST), LB_GETCOUNT, LB_GETTEXT, LB_GETCURSEL); }},
            {"drives", [this] { return Shown(Control(IDC_DRIVE_COMBO), CB_GETCOUNT, CB_GETLBTEXT, CB_GETCURSEL); }},
            {"preset", [this] { return CheckedPresets(); }},
            {"focus", [this] { return std::to_string(::GetDlgCtrlID(ThreadWindows(m_main).hwndFocus)); }},
            {"window", [this] { return Text(Active(), m_codePage); }},
            {"active",
             [this] {
                 return Text(ThreadWindows(m_main).hwndActive, m_codePage) + " / " +
                        Text(::GetForegroundWindow(), m_codePage);
             }},
            {"enabled", [this] { return ::IsWindowEnabled(m_main) ? kEnabled : kDisabled; }},
            {"box", [this] { return BoxText(); }},
            {"tab selected",
             [this] {
                 const HWND tabs = Descendant(Active(), IDC_PRESET_TABS);
                 return std::to_string(::SendMessageW(tabs, TCM_GETCURSEL, 0, 0) + 1);
             }},
            {"page shown", [this] { return PagesShown(); }},
            {"message", [this] { return BoxLines(); }},
            {"file", [this] { return FileBytes(); }},
            {"clipboard",
             [this] { return ClipboardText(m_codePage == CP_UTF8 ? CF_UNICODETEXT : CF_TEXT).value_or(kNoText); }},
            {"cf_text", [] { return ClipboardText(CF_TEXT).value_or(kNoText); }},
            {"exit", [this] {
                 return Started().WaitForExit(milliseconds(0)) ? std::to_string(*Started().WaitForExit()) : kRunning;
             }}};
        for (const std::string& name : kPresetValues)  // a missing value is told from an empty one
            m_states[name] = [name] { return PresetSnapshot().try_emplace(name, 0, kNoValue).first->second.second; };
        for (const auto& [name, id] : ResourceIds())
            if (name.starts_with("IDC_")) m_states[name] = [this, id] { return Shows(Descendant(Active(), id)); };
        for (const auto& [state, read] : m_states) AddCheck(state, "=");
        for (const char* list : {"folders", "files", "drives", "message"})
            AddCheck(list, "has").AddCheck(list, "lacks");
        m_steps.Add("tree", Form::Rest, 2, [this](auto& a) {
            if (!a[1].empty() && a[1] != "file") throw DataError(m_line, "a tree is a folder, or with \"file\" a file");
            const TestTree::Kind kind = a[1].empty() ? TestTree::Kind::Folder : TestTree::Kind::File;
            m_trees.push_back(std::make_unique<TestTree>(Utf8(a[0]), kind));
        });
        m_steps.Add("make", Form::Rest, 2, [this](auto& a) {
            if (m_trees.empty()) throw DataError(m_line, "no tree to make it in");
            if (!a[0].ends_with('\\'))
                return m_trees.back()->AddFile(Utf8(a[0]), a[1].empty() ? 0 : Number(m_line, a[1]));
            if (!a[1].empty()) throw DataError(m_line, "a folder has no size");
            m_trees.back()->AddFolder(Utf8(a[0]));
        });
        m_steps.Add("preset", Form::Words, 2, [this](auto& a) {
            if (std::ranges::count(kPresetValues, a[0]) == 0) throw DataError(m_line, "no preset value " + a[0]);
            SetRawPreset(a[0], REG_SZ, a[1]);
        });
        m_steps.Add("start", Form::Rest, 1, [this](auto& a) {
            m_program.emplace(Program::Beside("Listora.exe"), Utf8(a[0]));
            m_main = MainWindow();
        });
        m_steps.Add("run", Form::Rest, 1,
                    [this](auto& a) { m_program.emplace(Program::Beside("Listora.exe"), Utf8(a[0])); });
        m_steps.Add("open", Form::Rest, 1, [this](auto& a) {
            DoubleClickListItem(Control(IDC_FOLDER_LIST), ItemOf(Control(IDC_FOLDER_LIST), a[0]));
        });
        m_steps.Add("click", Form::Rest, 2, [this](auto& a) { ClickListItem(Child(a[0]), ItemOf(Child(a[0]), a[1])); });
        m_steps.Add("key", Form::Words, 1, [this](auto& a) {
            if (kKeys.contains(a[0])) return PressKey(Active(), kKeys.at(a[0]));
            if (!kChords.contains(a[0])) throw DataError(m_line, "no key is called " + a[0]);
            // The program reads ctrl and shift from the keyboard's state, which only the system's input sets.
            for (const WORD down : kChords.at(a[0])) ::keybd_event(BYTE(down), 0, 0, 0);
            for (const WORD up : kChords.at(a[0]) | std::views::reverse) ::keybd_event(BYTE(up), 0, KEYEVENTF_KEYUP, 0);
        });
        m_steps.Add("focus on", Form::Words, 1, [this](auto& a) {  // as the dialog itself moves it, across processes
            ::PostMessageA(Active(), WM_NEXTDLGCTL, WPARAM(Child(a[0])), TRUE);
        });
        m_steps.Add("button", Form::Words, 1, [this](auto& a) { Click(Child(a[0])); });
        m_steps.Add("type", Form::Rest, 2, [this](auto& a) {
            const HWND edit = Child(a[0]);
            ::PostMessageA(edit, EM_SETSEL, 0, -1);  // typed over all of it, or all of it taken away
            ::PostMessageA(edit, WM_CLEAR, 0, 0);
            Type(edit, a[1]);
        });
        m_steps.Add("pick", Form::Words, 2, [this](auto& a) {
            const HWND box = Child(a[0]);
            ::PostMessageA(box, CB_SETCURSEL, Number(m_line, a[1]), 0);  // then the box tells its page
            ::PostMessageA(::GetParent(box), WM_COMMAND, MAKEWPARAM(Id(a[0]), CBN_SELCHANGE), LPARAM(box));
        });
        m_steps.Add("tab", Form::Words, 1, [this](auto& a) {
            ::SendMessageA(Descendant(Active(), IDC_PRESET_TABS), TCM_SETCURFOCUS, Number(m_line, a[0]) - 1, 0);
        });
        m_steps.Add("menu", Form::Words, 1, [this](auto& a) { ::PostMessageA(m_main, WM_COMMAND, Id(a[0]), 0); });
        m_steps.Add("system", Form::Words, 1, [this](auto& a) { ChooseSystemMenuItem(Active(), SystemCommand(a[0])); });
        m_steps.Add("put", Form::Rest, 1, [this](auto& a) {
            if (m_codePage != CP_UTF8) return SetClipboardText(a[0]);
            const std::wstring wide = Utf16FromUtf8(a[0]);
            return SetClipboardText({reinterpret_cast<const char*>(wide.c_str()), 2 * wide.size() + 1}, CF_UNICODETEXT);
        });
        m_steps.Add("paste", Form::Words, 1, [this](auto& a) {
            ::PostMessageA(Child(a[0]), EM_SETSEL, 0, -1);
            ::PostMessageA(Child(a[0]), WM_PASTE, 0, 0);
        });
        m_steps.Add("run verb", Form::Rest, 2, [this](auto& a) { RunVerb(a[0], a[1]); });
        m_steps.Add("start verb", Form::Rest, 2, [this](auto& a) {
            RunVerb(a[0], a[1]);
            m_main = MainWindow();
        });
        m_steps.Add("save", Form::Rest, 2, [this](auto& a) {  // the ids of the system's file dialogs (dlgs.h)
            const HWND dialog = Active();
            if (a[0] != "-") {  // the type chosen in the list, which then tells its dialog
                ::PostMessageA(::GetDlgItem(dialog, cmb1), CB_SETCURSEL, Number(m_line, a[0]), 0);
                ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), LPARAM(::GetDlgItem(dialog, cmb1)));
            }
            ::PostMessageA(::GetDlgItem(dialog, edt1), EM_SETSEL, 0, -1);
            Type(::GetDlgItem(dialog, edt1), a[1]);
            Click(::GetDlgItem(dialog, IDOK));
        });
        m_steps.Add("registry", Form::Rest, 4, [this](auto& a) {
            if (a[2] != "=") throw DataError(m_line, "a check of a value is: registry KEY NAME = VALUE");
            EXPECT_EQ(RegistryValue(a[0], a[1]), a[3]) << m_line.Where();
        });
        m_steps.Add("store", Form::Rest, 3, [this](auto& a) {
            const std::wstring key = Utf16FromUtf8(Utf8(a[0]));
            const std::wstring name = Utf16FromUtf8(Utf8(a[1]));
            if (a[2].starts_with("dword:")) {
                const auto number = DWORD(Number(m_line, a[2].substr(6)));
                ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_DWORD, &number, sizeof number);
            } else if (a[2].starts_with("sz:")) {
                const std::wstring text = Utf16FromUtf8(Utf8(a[2].substr(3)));
                ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_SZ, text.c_str(),
                                  DWORD((text.size() + 1) * sizeof(wchar_t)));
            } else {
                throw DataError(m_line, "a value to store is sz:TEXT or dword:N");
            }
        });
        m_steps.Add("forget", Form::Rest, 1,
                    [this](auto& a) { ::RegDeleteTreeW(HKEY_CURRENT_USER, Utf16FromUtf8(Utf8(a[0])).c_str()); });
        m_steps.Add("refuse writes", Form::Words, 0, [](auto&) {
            // No lasting key can be made below a volatile one, until the test forgets it (at the latest at its end).
            ForgetPresets();
            UniqueRegKey volatileKey;
            ::RegCreateKeyExA(HKEY_CURRENT_USER, RegistryPresetStorage::kOuterKey, 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, volatileKey.put(), nullptr);
        });
        m_steps.Add("text utf8", Form::Words, 0, [this](auto&) { m_codePage = CP_UTF8; });
        m_steps.Add("dismiss", Form::Words, 0, [this](auto&) {
            ASSERT_TRUE(WaitUntil([&] { return (m_dismissed = Box()) != nullptr; })) << "no message box to dismiss";
            ::PostMessageA(m_dismissed, WM_COMMAND, IDOK, 0);
        });
        m_steps.Add("hold", Form::Rest, 1, [this](auto& a) {
            m_filePath = a[0];
            m_held.emplace_back(
                ::CreateFileA(a[0].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        });
        // A listing: the "|" lines below, each a line ended by CR LF, checked at the next step.
        m_steps.Add("clipboard:", Form::Words, 0, [this](auto&) { Begin("clipboard", m_codePage != CP_UTF8); });
        m_steps.Add("cf_text:", Form::Words, 0, [this](auto&) { Begin("cf_text", true); });
        m_steps.Add("file:", Form::Rest, 1, [this](auto& a) {
            m_filePath = a[0];
            Begin("file", m_codePage != CP_UTF8);
        });
        m_steps.Add("|", Form::Rest, 1, [this](auto& a) {
            if (m_listing.state.empty()) throw DataError(m_line, "a listing's line, but no listing begun");
            m_listing.text += a[0] + "\r\n";
        });
    }

    ~ListoraTest() override { ForgetPresets(); }

    // Plays a script: actions are posted to the program; each check waits until it holds.
    void Play(const std::vector<DataLine>& lines) {
        for (const DataLine& line : lines) {
            SCOPED_TRACE(line.Where());
            const bool listed = line.text.starts_with("|");
            if (!listed) EndListing();
            m_line = line;
            if (listed && !m_listing.state.empty() ? m_listing.ansi : m_codePage != CP_UTF8) m_line.text = Ansi(line);
            m_steps.Run(m_line);
        }
        EndListing();
    }
    // Steps written in a test, told by its line.
    void Play(std::initializer_list<std::string> steps, std::source_location at = std::source_location::current()) {
        std::vector<DataLine> lines;
        for (const std::string& step : steps) lines.push_back({"listora_test.cpp", int(at.line()), step});
        Play(lines);
    }

    // "STATE RELATION TEXT"; a list has an item also when it is the selected one.
    ListoraTest& AddCheck(const std::string& state, const std::string& relation) {
        m_steps.Add(state + " " + relation, Form::Rest, 1, [this, state, relation](const Arguments& arguments) {
            const std::string expected = state == "focus" ? std::to_string(Id(arguments[0])) : arguments[0];
            const auto holds = [&] {
                if (relation == "=") return m_states.at(state)() == expected;
                const std::string items = " | " + m_states.at(state)() + " | ";
                const bool has = items.find(" | " + expected + " | ") != std::string::npos ||
                                 items.find(" | [" + expected + "] | ") != std::string::npos;
                return has == (relation == "has");
            };
            EXPECT_TRUE(WaitUntil(holds)) << m_line.text << "\n  but " << state << " is " << m_states.at(state)()
                                          << "\n  windows:" << ProgramWindows();
        });
        return *this;
    }
    // The program's visible windows, as a failed check finds them: what was in front when it did not hold.
    std::string ProgramWindows() const {
        std::string windows;
        DWORD process = 0;
        for (const HWND w : m_program ? TopLevelWindows() : std::vector<HWND>()) {
            if (!::IsWindowVisible(w) || !::GetWindowThreadProcessId(w, &process) || process != m_program->Id())
                continue;
            char kind[32] = {};
            ::GetClassNameA(w, kind, sizeof kind);
            const HWND text = ::GetDlgItem(w, 0xFFFF);
            std::string place = w == m_main                          ? " (the main window)"
                                : ::GetWindow(w, GW_OWNER) == m_main ? " (over it)"
                                                                     : "";
            if (w == m_dismissed) place += " (dismissed last)";
            windows += std::string("\n    ") + kind + " \"" + Text(w, CP_UTF8) + "\"" + place +
                       (text ? ": " + Text(text, CP_UTF8) : "");
        }
        return windows;
    }
    void Begin(const std::string& state, bool ansi) { m_listing = {m_line, state, ansi, ""}; }
    void EndListing() {
        if (m_listing.state.empty()) return;
        EXPECT_EQ(m_states.at(m_listing.state)(), m_listing.text) << m_listing.start.Where();
        m_listing = {};
    }

    // A value below HKEY_CURRENT_USER ("@" the key's own) as sz:TEXT or dword:N, in the script's code page, with this
    // build's Listora.exe shown as <exe>; "(no key)" or "(no value)".
    std::string RegistryValue(const std::string& path, const std::string& name) const {
        UniqueRegKey key;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, Utf16FromUtf8(Utf8(path)).c_str(), 0, KEY_READ, key.put()))
            return "(no key)";
        const std::wstring value = name == "@" ? L"" : Utf16FromUtf8(Utf8(name));
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExW(key.get(), value.c_str(), nullptr, &type, nullptr, &size)) return kNoValue;
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        ::RegQueryValueExW(key.get(), value.c_str(), nullptr, nullptr, LPBYTE(data.data()), &size);
        if (type == REG_DWORD) return "dword:" + std::to_string(*reinterpret_cast<const DWORD*>(data.data()));
        if (type != REG_SZ) return "type " + std::to_string(type);
        data.resize(wcsnlen(data.c_str(), data.size()));
        const std::wstring exe = Utf16FromUtf8(Program::Beside("Listora.exe"));
        for (std::size_t at = 0; (at = data.find(exe, at)) != std::wstring::npos;)
            data.replace(at, exe.size(), L"<exe>");
        return "sz:" + (m_codePage == CP_UTF8 ? Utf8FromUtf16(data) : AnsiFromUtf16(data));
    }
    // Runs the command of the context menu's entry KEY with its item filled in as Explorer fills it.
    void RunVerb(const std::string& key, const std::string& item) {
        std::string command = RegistryValue(key + "\\command", "@");
        const std::string program = "sz:\"<exe>\" ";
        if (!command.starts_with(program)) return ADD_FAILURE() << m_line.Where() << ": " << command;
        command.erase(0, program.size());
        for (const std::string field : {"%1", "%V"})
            if (const std::size_t at = command.find(field); at != std::string::npos) command.replace(at, 2, item);
        m_program.emplace(Program::Beside("Listora.exe"), Utf8(command));
    }
    int Id(const std::string& name) const { return ResourceId(m_line, name); }
    const Program& Started() const {
        if (!m_program) throw DataError(m_line, "no program started yet");
        return *m_program;
    }
    // A name of resource.h or SC_CLOSE; NAME+N adds N to the low four bits, which the system keeps for itself.
    UINT SystemCommand(const std::string& text) const {
        const std::size_t plus = std::min(text.find('+'), text.size());
        const long long low = plus == text.size() ? 0 : Number(m_line, text.substr(plus + 1));
        if (low < 0 || low > 15) throw DataError(m_line, "the low four bits go from 0 to 15");
        return UINT((text == "SC_CLOSE" ? SC_CLOSE : Id(text.substr(0, plus))) + low);
    }
    std::string Utf8(const std::string& text) const { return m_codePage == CP_UTF8 ? text : Utf8FromAnsi(text); }
    HWND Control(int id) const { return ::GetDlgItem(m_main, id); }
    // The control of the window in front, once it has it: a dialog that is closing stays in front a moment after
    // its owner takes input again.
    HWND Child(const std::string& name) const {
        HWND child = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (child = Descendant(Active(), Id(name))) != nullptr; }))
            << "no " << name << " in the window in front";
        return child;
    }
    // The index of `text` in `list`, once the list has it.
    int ItemOf(HWND list, const std::string& text) const {
        int index = -1;
        EXPECT_TRUE(WaitUntil([&] { return (index = FindListItem(list, text, m_codePage)) >= 0; }))
            << "no item " << text << " in the list";
        return index;
    }
    HWND Active() const {  // the main window, or the dialog it waits for
        const HWND over = OwnedWindow(m_main);
        return over ? over : m_main;
    }
    HWND Box() const {  // the program's message box, its text in a static of id -1
        DWORD owner = 0;
        char kind[8] = {};
        for (const HWND w : TopLevelWindows()) {
            const bool ours = ::GetWindowThreadProcessId(w, &owner) && owner == Started().Id();
            const bool dialog = ::GetClassNameA(w, kind, sizeof kind) && std::string_view(kind) == "#32770";
            if (ours && dialog && ::IsWindowVisible(w) && ::GetDlgItem(w, 0xFFFF)) return w;
        }
        return nullptr;
    }
    std::string BoxText() const {  // its first line
        const std::string text = BoxLines();
        return text.substr(0, text.find(" | "));
    }
    std::string BoxLines() const {  // " | " between them
        const HWND box = Box();
        std::string text = box ? Text(::GetDlgItem(box, 0xFFFF), m_codePage) : kNoBox;
        for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos;) text.replace(at, 1, " | ");
        return text;
    }
    std::string FileBytes() const {
        std::ifstream file(m_filePath, std::ios::binary);
        return file ? std::string(std::istreambuf_iterator<char>(file), {}) : kNoFile;
    }
    std::string CheckedPresets() const {
        std::string checked;
        for (const int id : {IDC_PRESET1, IDC_PRESET2, IDC_PRESET3})
            if (IsChecked(Control(id))) checked += std::to_string(id - IDC_PRESET1 + 1);
        return checked;
    }
    // The items, " | " between them, the selected one in brackets.
    std::string Shown(HWND list, UINT countMessage, UINT textMessage, UINT selectionMessage) const {
        const std::vector<std::string> items = Items(list, countMessage, textMessage, m_codePage);
        const LRESULT selected = ::SendMessageW(list, selectionMessage, 0, 0);
        std::string shown;
        for (std::size_t i = 0; i < items.size(); ++i)
            shown += (i > 0 ? " | " : "") + (LRESULT(i) == selected ? "[" + items[i] + "]" : items[i]);
        return shown;
    }

    // A box 1 (checked) or 0, a drop-down list the index of its selection (-1: none), an edit its text; [in brackets]
    // when disabled.
    std::string Shows(HWND control) const {
        char kind[16] = {};
        ::GetClassNameA(control, kind, sizeof kind);
        std::string shown = Text(control, m_codePage);
        if (::lstrcmpiA(kind, "Button") == 0) shown = std::to_string(IsChecked(control));
        if (::lstrcmpiA(kind, "ComboBox") == 0) shown = std::to_string(ComboSelection(control));
        return ::IsWindowEnabled(control) ? shown : "[" + shown + "]";
    }
    // The numbers of the settings pages visible, from 1, each known by its first box.
    std::string PagesShown() const {
        const int firstBoxes[] = {IDC_NO_EXTENSION_1, IDC_NO_EXTENSION_2, IDC_NO_EXTENSION_3};
        std::string shown;
        for (std::size_t page = 0; page < std::size(firstBoxes); ++page)
            if (::IsWindowVisible(Descendant(Active(), firstBoxes[page]))) shown += char('1' + page);
        return shown;
    }

    struct Listing {
        DataLine start;     // the line that begins it
        std::string state;  // "clipboard", "cf_text" or "file"; empty while no listing is read
        bool ansi = false;  // its lines are cp932, as the program's texts
        std::string text;
    };
    Steps m_steps;
    std::map<std::string, std::function<std::string()>> m_states;
    DataLine m_line;  // the step being played
    Listing m_listing;
    std::vector<std::unique_ptr<TestTree>> m_trees;  // outlive the program, which may hold them open
    std::optional<Program> m_program;
    HWND m_main = nullptr;
    UINT m_codePage = 932;   // of the script's texts and names; "text utf8" makes them UTF-8
    std::string m_filePath;  // of "file:" and "hold"
    std::vector<UniqueFile> m_held;
    HWND m_dismissed = nullptr;  // the box "dismiss" told to close last: one that stays was not closed
};

TEST_F(ListoraTest, StartsOnCAndBrowsesItsFoldersAndDrives) { Play(ReadDataLines("e2e_browsing.txt")); }
TEST_F(ListoraTest, TransfersWhatEachPresetSaysAndKeepsItsCloseRules) { Play(ReadDataLines("e2e_transfers.txt")); }
TEST_F(ListoraTest, ShowsSavesOrKeepsSettingsThatTheNextTransferUses) { Play(ReadDataLines("e2e_settings.txt")); }
TEST_F(ListoraTest, ListsAndBrowsesEveryNameExactly) { Play(ReadDataLines("e2e_names.txt")); }
TEST_F(ListoraTest, OpensAboutFromBothMenusAndEndsEveryWayOut) { Play(ReadDataLines("e2e_exits.txt")); }
TEST_F(ListoraTest, StartsAtAPathListsFoldersWithoutAWindowAndAnswersBadArguments) {
    Play(ReadDataLines("e2e_command_line.txt"));
}
TEST_F(ListoraTest, ContextMenuCommandsListOrOpenTheirItem) { Play(ReadDataLines("e2e_context_menu.txt")); }
TEST_F(ListoraTest, SavesTheListingToAFileAsOutWritesIt) { Play(ReadDataLines("e2e_save.txt")); }

TEST_F(ListoraTest, RefillsAThousandFilesTwoHundredTimesWithoutHoldingMoreResources) {
    Play({"tree e2e-refill", "make sub\\", "start", "open e2e-refill", "path = c:\\e2e-refill"});
    for (int i = 0; i < 1000; ++i) m_trees.back()->AddFile("file" + std::to_string(i) + ".txt");
    const auto refill = [&](int times) {
        for (int i = 0; i < times; ++i)
            Play({"open sub", "path = c:\\e2e-refill\\sub", "open ..", "path = c:\\e2e-refill"});
        return m_program->Resources();
    };
    const ResourceUse before = refill(5);  // the shell's caches and the heap settle first
    const ResourceUse after = refill(200);
    Play({"files has file999.txt"});
    EXPECT_GT(before.gdiObjects, 0u);
    // A leak for each item drawn or each refill would be hundreds; the shell may still keep an icon or two.
    EXPECT_LE(after.gdiObjects, before.gdiObjects + 8);
    EXPECT_LE(after.windows, before.windows + 8);
    EXPECT_LT(after.committedBytes, before.committedBytes + 2 * 1024 * 1024);  // a record a file would be 10 MB
}

std::string FirstLine(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

// Without a help.hlp in the working directory the help commands open the page beside the program through the
// web-address handler (here one that writes down what it is given), the search at the page's index; a handler that
// cannot start and a page that is not there are said so.
TEST_F(ListoraTest, HelpOpensThePageBesideTheProgramTheSearchAtItsIndex) {
    const TestTree tree("e2e-help");  // the handler writes down its URL in it
    const std::string page = Program::Beside("Listora.html");
    const std::string command = "cmd.exe /c echo %1>" + tree.PathOf("url");
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
        ::DeleteFileA(tree.PathOf("url").c_str());
        ::PostMessageA(m_main, WM_COMMAND, id, 0);
        EXPECT_TRUE(WaitUntil([&] { return FirstLine(tree.PathOf("url")).starts_with(expected); }));
    }
    const std::string missing = tree.PathOf("none.exe") + " %1";
    ::RegSetValueExA(handler.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(missing.c_str()),
                     DWORD(missing.size() + 1));
    Play({"menu ID_HELP_CONTENTS", "box = ヘルプのページ（Listora.html）をブラウザで開けませんでした。", "dismiss",
          "box = none"});
    ::MoveFileA(page.c_str(), (page + ".away").c_str());
    Play({"menu ID_HELP_CONTENTS", "window = Listora"});
    ::MoveFileA((page + ".away").c_str(), page.c_str());
    ::RegSetValueExA(handler.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(browser), size);
}
}  // namespace
