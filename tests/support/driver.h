#pragma once

// What the Windows tests, the end-to-end tests and the benchmarks share: programs worked through their message loop
// as a user works them, the clipboard and the presets' key as another program sees them, folder trees. Window texts are
// cp932; the paths of folder trees are UTF-8.
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/registry_preset_storage.h"
#include "platform/win/wide_text.h"
#include "platform/win/win_handles.h"

namespace support {
using std::chrono::milliseconds;

// Asks `condition` every `every` until it holds; false after `timeout` (15 s: a cold Wine).
inline bool WaitUntil(const std::function<bool()>& condition, milliseconds timeout = milliseconds(15000),
                      milliseconds every = milliseconds(20)) {
    for (const auto end = std::chrono::steady_clock::now() + timeout; !condition(); ::Sleep(DWORD(every.count())))
        if (std::chrono::steady_clock::now() > end) return false;
    return true;
}
// Listora.exe's main window once it is shown (its title says it is ready); null after `timeout`.
inline HWND MainWindow(milliseconds timeout = milliseconds(15000)) {
    HWND main = nullptr;
    const auto shown = [&] { return ::IsWindowVisible(main = ::FindWindowA(nullptr, "Listora Version 1.1")) != FALSE; };
    return WaitUntil(shown, timeout) ? main : nullptr;
}

// The top-level windows, front to back, as one snapshot: a walk with FindWindowEx ends early, or passes over a window,
// when another closes or comes to the front meanwhile.
inline BOOL CALLBACK AddWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}
inline std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    ::EnumWindows(AddWindow, LPARAM(&windows));
    return windows;
}
// The visible window that `owner` waits for, such as a dialog over it; null when there is none.
inline HWND OwnedWindow(HWND owner) {
    for (const HWND window : TopLevelWindows())
        if (::GetWindow(window, GW_OWNER) == owner && ::IsWindowVisible(window)) return window;
    return nullptr;
}

inline HWND Descendant(HWND window, int id) {  // such as on a page of a tab control
    HWND found = ::GetDlgItem(window, id);
    for (HWND child = nullptr; !found && (child = ::FindWindowExA(window, child, nullptr, nullptr));)
        found = Descendant(child, id);
    return found;
}
// Wine hands texts across processes as UTF-16 even to the "A" calls: asked wide, given in cp932 (as an "A" call would)
// or in UTF-8 (the exact text). Names, paths and titles are far shorter.
inline std::string Ask(HWND window, UINT message, WPARAM index = 0, UINT codePage = 932) {
    wchar_t text[4096] = {};
    ::SendMessageW(window, message, message == WM_GETTEXT ? std::size(text) : index, LPARAM(text));
    return codePage == CP_UTF8 ? Utf8FromUtf16(text) : AnsiFromUtf16(text);
}
inline std::string Text(HWND window, UINT codePage = 932) { return Ask(window, WM_GETTEXT, 0, codePage); }
inline std::vector<std::string> Items(HWND control, UINT countMessage, UINT textMessage, UINT codePage = 932) {
    std::vector<std::string> items(::SendMessageW(control, countMessage, 0, 0));
    for (std::size_t i = 0; i < items.size(); ++i) items[i] = Ask(control, textMessage, i, codePage);
    return items;
}
inline std::vector<std::string> ListItems(HWND list, UINT codePage = 932) {
    return Items(list, LB_GETCOUNT, LB_GETTEXT, codePage);
}
inline int ComboSelection(HWND combo) { return int(::SendMessageW(combo, CB_GETCURSEL, 0, 0)); }
inline int FindListItem(HWND list, const std::string& text, UINT codePage = 932) {  // -1: none
    const std::vector<std::string> items = ListItems(list, codePage);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == text) return int(i);
    return -1;
}
inline bool IsChecked(HWND button) { return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
// The focus and the active window of `window`'s thread, as another process sees them.
inline GUITHREADINFO ThreadWindows(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

inline void Click(HWND button) { ::PostMessageA(button, BM_CLICK, 0, 0); }
inline void ClickListItem(HWND list, int index, bool twice = false) {  // selects it; the list takes the focus
    RECT item{};
    ::SendMessageW(list, LB_SETTOPINDEX, index, 0);
    ::SendMessageW(list, LB_GETITEMRECT, index, LPARAM(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, twice ? WM_LBUTTONDBLCLK : 0, twice ? WM_LBUTTONUP : 0})
        if (message) ::PostMessageA(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
}
inline void DoubleClickListItem(HWND list, int index) { ClickListItem(list, index, true); }
// Byte by byte, as an ANSI window receives a double-byte character: the program keeps the halves together.
inline void Type(HWND window, std::string_view text) {
    for (const char c : text) ::PostMessageA(window, WM_CHAR, BYTE(c), 1);
}
inline void PressKey(HWND anyWindowOfTheProgram, UINT key) {  // to the window with the focus
    const HWND focus = ThreadWindows(anyWindowOfTheProgram).hwndFocus;
    const HWND target = focus ? focus : anyWindowOfTheProgram;
    ::PostMessageA(target, WM_KEYDOWN, key, 1);
    ::PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}
inline void ChooseSystemMenuItem(HWND window, UINT id) { ::PostMessageA(window, WM_SYSCOMMAND, id, 0); }

struct ResourceUse {
    DWORD gdiObjects, windows, handles;  // GDI objects: an icon owns bitmaps too
    SIZE_T committedBytes, peakWorkingSet;
};

class Program {  // one run of a program, killed with the object when still running
public:
    explicit Program(const std::string& exe = Beside("Listora.exe"), const std::string& arguments = {}) {  // UTF-8
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::wstring line = Utf16FromUtf8("\"" + exe + "\" " + arguments);
        ::CreateProcessW(Utf16FromUtf8(exe).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &info);
        ::CloseHandle(info.hThread);
        m_process.reset(info.hProcess);
    }
    ~Program() {
        if (!WaitForExit(milliseconds(0))) ::TerminateProcess(m_process.get(), 1);
        WaitForExit();  // so that the next run starts alone
    }
    DWORD Id() const { return ::GetProcessId(m_process.get()); }
    static std::string Beside(const std::string& name) {
        return std::string(_pgmptr, std::strrchr(_pgmptr, '\\') + 1) + name;
    }
    std::optional<DWORD> WaitForExit(milliseconds timeout = milliseconds(15000)) const {  // the exit code once ended
        DWORD code = STILL_ACTIVE;
        ::WaitForSingleObject(m_process.get(), DWORD(timeout.count()));
        return ::GetExitCodeProcess(m_process.get(), &code) && code != STILL_ACTIVE ? std::optional(code)
                                                                                    : std::nullopt;
    }
    // Wine's GetGuiResources counts nothing. The PEB points to the GDI objects: 0x10000 entries of 24 bytes, typed
    // at 14.
    ResourceUse Resources() const {
        PROCESS_BASIC_INFORMATION basic{};
        ::NtQueryInformationProcess(m_process.get(), ProcessBasicInformation, &basic, sizeof basic, nullptr);
        const char *peb = reinterpret_cast<const char*>(basic.PebBaseAddress), *table = nullptr;
        ::ReadProcessMemory(m_process.get(), peb + (sizeof(void*) == 8 ? 0xF8 : 0x94), &table, sizeof table, nullptr);
        std::vector<unsigned char> entries(0x10000 * 24);
        ::ReadProcessMemory(m_process.get(), table, entries.data(), entries.size(), nullptr);
        PROCESS_MEMORY_COUNTERS memory{};
        ::GetProcessMemoryInfo(m_process.get(), &memory, sizeof memory);
        ResourceUse use{0, Windows(), Handles(), memory.PagefileUsage, memory.PeakWorkingSetSize};
        for (std::size_t type = 14; type < entries.size(); type += 24) use.gdiObjects += entries[type] != 0;
        return use;
    }

private:
    DWORD Handles() const {  // Wine's GetProcessHandleCount says 0: the system's handle table, its entries of 24 bytes
        struct Entry {
            ULONG process;
            BYTE type, flags;
            USHORT handle;
            void* object;
            ACCESS_MASK access;
        };
        std::vector<char> table(1 << 24);
        if (::NtQuerySystemInformation(SYSTEM_INFORMATION_CLASS(16), table.data(), ULONG(table.size()), nullptr) != 0)
            return 0;
        const auto* entries = reinterpret_cast<const Entry*>(table.data() + sizeof(void*));
        return DWORD(std::count_if(entries, entries + *reinterpret_cast<const ULONG*>(table.data()),
                                   [&](const Entry& e) { return e.process == Id(); }));
    }
    DWORD Windows() const {  // its own top-level windows and all their descendants
        DWORD count = 0, owner = 0;
        for (const HWND top : TopLevelWindows()) {
            if (!::GetWindowThreadProcessId(top, &owner) || owner != Id()) continue;
            std::vector<HWND> descendants;
            ::EnumChildWindows(top, AddWindow, LPARAM(&descendants));
            count += DWORD(1 + descendants.size());
        }
        return count;
    }
    UniqueKernelHandle m_process;
};

// Opens the clipboard once the program that holds it lets it go.
inline bool OpenClipboard() {
    return WaitUntil([] { return ::OpenClipboard(nullptr); }, milliseconds(2000));
}
// The clipboard's text up to its terminator; CF_UNICODETEXT as UTF-8.
inline std::optional<std::string> ClipboardText(UINT format = CF_TEXT) {
    std::optional<std::string> text;
    const HANDLE data = OpenClipboard() ? ::GetClipboardData(format) : nullptr;
    if (const auto* bytes = static_cast<const char*>(::GlobalLock(data))) {
        const auto* wide = reinterpret_cast<const wchar_t*>(bytes);
        text = format == CF_UNICODETEXT ? Utf8FromUtf16({wide, wcsnlen(wide, ::GlobalSize(data) / 2)})
                                        : std::string(bytes, strnlen(bytes, ::GlobalSize(data)));
    }
    ::GlobalUnlock(data);
    ::CloseClipboard();
    return text;
}
inline bool SetClipboardText(std::string_view bytes, UINT format = CF_TEXT) {  // with a terminator
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size() + 1);
    bytes.copy(static_cast<char*>(::GlobalLock(block)), bytes.size());
    ::GlobalUnlock(block);
    const bool set = OpenClipboard() && ::EmptyClipboard() && ::SetClipboardData(format, block);  // then it owns it
    ::CloseClipboard();
    return set;
}

inline void ForgetPresets() { ::RegDeleteTreeA(HKEY_CURRENT_USER, RegistryPresetStorage::kOuterKey); }
// The presets' key as stored: name -> (type, data).
inline std::map<std::string, std::pair<DWORD, std::string>> PresetSnapshot() {
    std::map<std::string, std::pair<DWORD, std::string>> values;
    UniqueRegKey key;
    ::RegOpenKeyExA(HKEY_CURRENT_USER, RegistryPresetStorage::KeyPath().c_str(), 0, KEY_READ, key.put());
    for (DWORD i = 0;; ++i) {
        char name[256];
        char data[1024];
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (::RegEnumValueA(key.get(), i, name, &nameSize, nullptr, &type, LPBYTE(data), &dataSize) != ERROR_SUCCESS)
            return values;
        values[name] = {type, std::string(data, dataSize)};
    }
}
inline bool SetRawPreset(const std::string& name, DWORD type, std::string_view data) {
    const std::string key = RegistryPresetStorage::KeyPath();
    return !::RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), type, data.data(), DWORD(data.size()));
}

// A folder (or file) c:\<name> of the test's own, removed with the object; other names are relative to it.
class TestTree {
public:
    enum class Kind { Folder, File };
    explicit TestTree(const std::string& name, Kind kind = Kind::Folder) : m_name(name) {
        Remove(PathOf());
        kind == Kind::Folder ? AddFolder({}) : AddFile({});
    }
    ~TestTree() { Remove(PathOf()); }
    TestTree(const TestTree&) = delete;
    const std::string& Name() const { return m_name; }
    std::string PathOf(const std::string& relative = {}) const {
        return "c:\\" + m_name + (relative.empty() ? "" : "\\") + relative;
    }
    void AddFolder(const std::string& relative) const {
        ::CreateDirectoryW(FileSystemPath(PathOf(relative)).c_str(), nullptr);
    }
    void AddFile(const std::string& relative, std::size_t bytes = 0) const {
        const UniqueFile file(::CreateFileW(FileSystemPath(PathOf(relative)).c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        ::WriteFile(file.get(), std::string(bytes, 'x').data(), DWORD(bytes), &written, nullptr);
    }

private:
    static void Remove(const std::string& path) {
        WIN32_FIND_DATAW entry;
        const UniqueFind find(::FindFirstFileW(FileSystemPath(path + "\\*").c_str(), &entry));
        for (bool more = bool(find); more; more = ::FindNextFileW(find.get(), &entry))
            if (entry.cFileName != std::wstring(L".") && entry.cFileName != std::wstring(L".."))
                Remove(path + "\\" + Utf8FromUtf16(entry.cFileName));
        if (!::DeleteFileW(FileSystemPath(path).c_str())) ::RemoveDirectoryW(FileSystemPath(path).c_str());
    }
    std::string m_name;
};
}  // namespace support
