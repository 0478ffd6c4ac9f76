#pragma once

// Drives the real Listora.exe from another process, as a user would: it
// starts the program, finds its windows by title, posts clicks and keys
// through the program's own message loop, and reads back what the controls
// show, what is on the clipboard and what is in the registry.
//
// Texts come back as bytes in code page 932, as the program holds them:
// Wine hands text messages across processes as UTF-16 even to "A" calls, so
// the driver asks for UTF-16 and converts.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/unique_handle.h"

namespace e2e {

using std::chrono::milliseconds;
// Long enough for a cold Wine; waits end as soon as the condition holds.
inline constexpr milliseconds kPatience{15000};

// Polls `condition` until it holds (true) or `timeout` passes (false).
bool WaitUntil(const std::function<bool()>& condition, milliseconds timeout = kPatience);

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle handle) { ::CloseHandle(handle); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

// What a process holds of the window system and of memory.
struct ResourceUse {
    // GDI objects (bitmaps, brushes, fonts, DCs; in Wine an icon owns bitmaps too).
    DWORD gdiObjects = 0;
    // USER objects; where the system does not count them (Wine), its windows.
    DWORD userObjects = 0;
    // Memory committed for the process alone (its commit charge).
    SIZE_T committedBytes = 0;
};

// One run of a program, ended (killed if need be) when the object goes.
class Program {
public:
    // Starts `exe` with `workingDirectory` as its current directory (the
    // driver's own when empty).
    explicit Program(const std::string& exe = ListoraPath(), const std::string& workingDirectory = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Listora.exe beside the running test.
    static std::string ListoraPath();

    bool Started() const { return static_cast<bool>(m_process); }
    DWORD Id() const { return m_id; }
    // A visible top-level window of this process with exactly this title
    // (cp932); null when none appears within `timeout`.
    HWND WaitForWindow(std::string_view title, milliseconds timeout = kPatience) const;
    bool WaitForExit(milliseconds timeout = kPatience) const;
    // The exit code once the process has ended.
    std::optional<DWORD> ExitCode() const;
    ResourceUse Resources() const;

private:
    UniqueKernelHandle m_process;
    DWORD m_id = 0;
};

// --- windows and what they show ---
HWND Item(HWND dialog, int id);
// The control `id` anywhere below `window`, such as on a page that is a
// child of a tab control; null when there is none.
HWND Descendant(HWND window, int id);
std::string Text(HWND window);
std::vector<std::string> ListItems(HWND list);
// LB_ERR (-1) when nothing is selected.
int ListSelection(HWND list);
// Position of the item with exactly this text, or -1.
int FindListItem(HWND list, std::string_view text);
std::vector<std::string> ComboItems(HWND combo);
int ComboSelection(HWND combo);
bool IsChecked(HWND button);
// The window that has the keyboard focus in `window`'s thread.
HWND Focus(HWND window);

// --- input, posted through the program's message loop ---
void Click(HWND button);
// A click on the item (scrolled into view first): selects it and gives the
// list the focus.
void ClickListItem(HWND list, int index);
void DoubleClickListItem(HWND list, int index);
// Picks an item of a drop-down list as a click in its list does: the box
// changes its selection and tells its dialog (CBN_SELCHANGE).
void SelectComboItem(HWND combo, int index);
// Characters (cp932 bytes, a double-byte character as its two bytes) as
// typed into `window`.
void Type(HWND window, std::string_view text);
// Key down and up, to the window that has the focus.
void PressKey(HWND anyWindowOfTheProgram, UINT key);
// The command a menu item sends, and a command of the window's system menu.
void ChooseMenuItem(HWND window, UINT id);
void ChooseSystemMenuItem(HWND window, UINT id);
// Returns once the program has handled everything posted to its thread
// before: `edit` is any edit control of that thread, whose (unused) text
// limit carries a marker through the queue.
bool Settle(HWND edit, milliseconds timeout = kPatience);

// --- clipboard ---
// CF_TEXT bytes up to the terminator; nothing when there is no text.
std::optional<std::string> ClipboardText();
bool SetClipboardText(std::string_view text);

// --- registry, under HKEY_CURRENT_USER ---
std::optional<std::string> ReadRegistryString(const std::string& key, const std::string& name);
bool WriteRegistryString(const std::string& key, const std::string& name, std::string_view value);
void DeleteRegistryKey(const std::string& key);

// --- folders ---
// A folder tree of the test's own directly under C:\, removed with the
// object. Names are cp932 bytes, relative to the root.
class TestTree {
public:
    enum class Kind { Folder, File };
    // A fresh, empty folder (or file) c:\<name>.
    explicit TestTree(const std::string& name, Kind kind = Kind::Folder);
    ~TestTree();
    TestTree(const TestTree&) = delete;
    TestTree& operator=(const TestTree&) = delete;

    const std::string& Name() const { return m_name; }
    // "c:\" + name.
    const std::string& Root() const { return m_root; }
    std::string PathOf(std::string_view relative) const;
    void AddFolder(std::string_view relative) const;
    void AddFile(std::string_view relative, std::size_t bytes = 0) const;

private:
    std::string m_name;
    std::string m_root;
};

}  // namespace e2e
