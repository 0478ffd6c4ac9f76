#include "tests/e2e/driver.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <cstring>
#include <thread>

#include "platform/win/win_handles.h"

namespace e2e {
namespace {
constexpr UINT kSendTimeoutMs = 10000;

LRESULT SendW(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) return -1;
    return static_cast<LRESULT>(result);
}

std::string ToCp932(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    const int size = ::WideCharToMultiByte(932, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(932, 0, wide.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// A text that a message copies into the caller's buffer: `lengthMessage`
// tells its length (in bytes or characters: either is enough room).
std::string ReadText(HWND window, UINT lengthMessage, UINT textMessage, WPARAM index, bool indexed) {
    const LRESULT length = indexed ? SendW(window, lengthMessage, index) : SendW(window, lengthMessage);
    if (length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = indexed ? SendW(window, textMessage, index, reinterpret_cast<LPARAM>(text.data()))
                                   : SendW(window, textMessage, text.size(), reinterpret_cast<LPARAM>(text.data()));
    if (copied < 0) return {};
    text.resize(std::wcslen(text.c_str()));
    return ToCp932(text);
}

struct WindowSearch {
    DWORD processId;
    std::string title;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !::IsWindowVisible(window) || Text(window) != search.title) return TRUE;
    search.found = window;
    return FALSE;
}

struct WindowCount {
    DWORD processId;
    DWORD count = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM context) {
    ++reinterpret_cast<WindowCount*>(context)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM context) {
    auto& counter = *reinterpret_cast<WindowCount*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != counter.processId) return TRUE;
    ++counter.count;
    ::EnumChildWindows(window, CountChild, context);
    return TRUE;
}

// Wine does not count a process's GDI objects for GetGuiResources. It keeps
// them in a handle table in the process itself, which the PEB points to
// (GdiSharedHandleTable); a live entry has a non-zero type.
std::optional<DWORD> CountGdiTable(HANDLE process) {
    struct Entry {
        std::uint64_t object;
        std::uint32_t owner;
        std::uint16_t unique;
        std::uint8_t type;
        std::uint8_t flags;
        std::uint64_t user;
    };
    static_assert(sizeof(Entry) == 24);
    constexpr std::size_t kEntries = 0x10000;
    constexpr std::size_t kTableOffsetInPeb = sizeof(void*) == 8 ? 0xF8 : 0x94;

    PROCESS_BASIC_INFORMATION basic{};
    ULONG got = 0;
    if (::NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &got) != 0) return {};
    void* table = nullptr;
    SIZE_T read = 0;
    if (!::ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) + kTableOffsetInPeb, &table,
                             sizeof table, &read) ||
        !table) {
        return {};
    }
    std::vector<Entry> entries(kEntries);
    if (!::ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(Entry), &read)) return {};
    DWORD live = 0;
    for (const Entry& entry : entries) live += entry.type != 0;
    return live;
}

void PostMouse(HWND window, UINT message, POINT at) {
    ::PostMessageA(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(at.x, at.y));
}

// The centre of the item's row, after scrolling it into view.
POINT ListItemPoint(HWND list, int index) {
    SendW(list, LB_SETTOPINDEX, index);
    RECT item{};
    if (SendW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) < 0 || item.bottom <= item.top) {
        const LRESULT top = SendW(list, LB_GETTOPINDEX);
        const LRESULT height = SendW(list, LB_GETITEMHEIGHT, index);
        item = {0, static_cast<LONG>((index - top) * height), 40, static_cast<LONG>((index - top + 1) * height)};
    }
    return {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

struct FileTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle file) { ::CloseHandle(file); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Close(Handle key) { ::RegCloseKey(key); }
};

std::string ModuleDirectory() {
    char path[MAX_PATH * 4] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

// Folder trees are made and removed through the wide functions with the
// "\\?\" prefix, so that paths beyond MAX_PATH work too.
std::wstring LongPath(const std::string& path) {
    const int size = ::MultiByteToWideChar(932, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(932, 0, path.data(), static_cast<int>(path.size()), wide.data(), size);
    return L"\\\\?\\" + wide;
}

void RemoveTree(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW entry;
    const UniqueFind find(::FindFirstFileW((path + L"\\*").c_str(), &entry));
    if (find) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            RemoveTree(path + L"\\" + name);
        } while (::FindNextFileW(find.get(), &entry));
    }
    ::RemoveDirectoryW(path.c_str());
}
}  // namespace

bool WaitUntil(const std::function<bool()>& condition, milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(milliseconds(20));
    }
}

// --- Program ---

Program::Program(const std::string& exe, const std::string& workingDirectory) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + exe + "\"";
    if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup, &info)) {
        return;
    }
    ::CloseHandle(info.hThread);
    m_process.reset(info.hProcess);
    m_id = info.dwProcessId;
}

Program::~Program() {
    if (m_process && !WaitForExit(milliseconds(0))) {
        ::TerminateProcess(m_process.get(), 1);
        ::WaitForSingleObject(m_process.get(), 5000);
    }
}

std::string Program::ListoraPath() { return ModuleDirectory() + "Listora.exe"; }

HWND Program::WaitForWindow(std::string_view title, milliseconds timeout) const {
    WindowSearch search{m_id, std::string(title)};
    WaitUntil(
        [&] {
            ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeout);
    return search.found;
}

bool Program::WaitForExit(milliseconds timeout) const {
    return m_process && ::WaitForSingleObject(m_process.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> Program::ExitCode() const {
    DWORD code = 0;
    if (!m_process || !::GetExitCodeProcess(m_process.get(), &code) || code == STILL_ACTIVE) return {};
    return code;
}

ResourceUse Program::Resources() const {
    ResourceUse use;
    ::SetLastError(ERROR_SUCCESS);
    use.gdiObjects = ::GetGuiResources(m_process.get(), GR_GDIOBJECTS);
    if (use.gdiObjects == 0 && ::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
        use.gdiObjects = CountGdiTable(m_process.get()).value_or(0);
        WindowCount windows{m_id};
        ::EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
        use.userObjects = windows.count;
    } else {
        use.userObjects = ::GetGuiResources(m_process.get(), GR_USEROBJECTS);
    }
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(m_process.get(), &memory, sizeof memory)) use.committedBytes = memory.PagefileUsage;
    return use;
}

// --- windows ---

HWND Item(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }

namespace {
struct DescendantSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchDescendant(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<DescendantSearch*>(lParam);
    if (::GetDlgCtrlID(window) != search.id) return TRUE;
    search.found = window;
    return FALSE;
}
}  // namespace

HWND Descendant(HWND window, int id) {
    DescendantSearch search{id, nullptr};
    ::EnumChildWindows(window, MatchDescendant, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Text(HWND window) { return ReadText(window, WM_GETTEXTLENGTH, WM_GETTEXT, 0, false); }

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    const LRESULT count = SendW(list, LB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) items.push_back(ReadText(list, LB_GETTEXTLEN, LB_GETTEXT, i, true));
    return items;
}

int ListSelection(HWND list) { return static_cast<int>(SendW(list, LB_GETCURSEL)); }

int FindListItem(HWND list, std::string_view text) {
    const std::vector<std::string> items = ListItems(list);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    const LRESULT count = SendW(combo, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) items.push_back(ReadText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i, true));
    return items;
}

int ComboSelection(HWND combo) { return static_cast<int>(SendW(combo, CB_GETCURSEL)); }

bool IsChecked(HWND button) { return SendW(button, BM_GETCHECK) == BST_CHECKED; }

HWND Focus(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

// --- input ---

void Click(HWND button) { ::PostMessageA(button, BM_CLICK, 0, 0); }

void ClickListItem(HWND list, int index) {
    const POINT at = ListItemPoint(list, index);
    PostMouse(list, WM_LBUTTONDOWN, at);
    PostMouse(list, WM_LBUTTONUP, at);
}

void DoubleClickListItem(HWND list, int index) {
    const POINT at = ListItemPoint(list, index);
    PostMouse(list, WM_LBUTTONDOWN, at);
    PostMouse(list, WM_LBUTTONUP, at);
    PostMouse(list, WM_LBUTTONDBLCLK, at);
    PostMouse(list, WM_LBUTTONUP, at);
}

void SelectComboItem(HWND combo, int index) {
    ::PostMessageA(combo, CB_SETCURSEL, index, 0);
    ::PostMessageA(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

void Type(HWND window, std::string_view text) {
    for (const char byte : text) ::PostMessageA(window, WM_CHAR, static_cast<unsigned char>(byte), 1);
}

void PressKey(HWND anyWindowOfTheProgram, UINT key) {
    HWND target = Focus(anyWindowOfTheProgram);
    if (!target) target = anyWindowOfTheProgram;
    const UINT scan = ::MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    ::PostMessageA(target, WM_KEYDOWN, key, 1 | (scan << 16));
    ::PostMessageA(target, WM_KEYUP, key, 1 | (scan << 16) | (3u << 30));
}

void ChooseMenuItem(HWND window, UINT id) { ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void ChooseSystemMenuItem(HWND window, UINT id) { ::PostMessageA(window, WM_SYSCOMMAND, id, 0); }

bool Settle(HWND edit, milliseconds timeout) {
    static UINT marker = 0x7FFF0000;
    const UINT mine = ++marker;
    ::PostMessageA(edit, EM_SETLIMITTEXT, mine, 0);
    return WaitUntil([&] { return static_cast<UINT>(SendW(edit, EM_GETLIMITTEXT)) == mine; }, timeout);
}

// --- clipboard ---

std::optional<std::string> ClipboardText() {
    std::optional<std::string> text;
    if (!WaitUntil([] { return ::OpenClipboard(nullptr) != FALSE; }, milliseconds(2000))) return text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(::GlobalLock(data))) {
            const std::size_t size = ::GlobalSize(data);
            std::size_t length = 0;
            while (length < size && bytes[length]) ++length;
            text.emplace(bytes, length);
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

bool SetClipboardText(std::string_view text) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) return false;
    char* bytes = static_cast<char*>(::GlobalLock(memory));
    std::memcpy(bytes, text.data(), text.size());
    bytes[text.size()] = '\0';
    ::GlobalUnlock(memory);
    if (!WaitUntil([] { return ::OpenClipboard(nullptr) != FALSE; }, milliseconds(2000))) {
        ::GlobalFree(memory);
        return false;
    }
    ::EmptyClipboard();
    const bool set = ::SetClipboardData(CF_TEXT, memory) != nullptr;
    if (!set) ::GlobalFree(memory);
    ::CloseClipboard();
    return set;
}

// --- registry ---

std::optional<std::string> ReadRegistryString(const std::string& key, const std::string& name) {
    DWORD size = 0;
    if (::RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    std::string value(size, '\0');
    if (::RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    value.resize(std::strlen(value.c_str()));
    return value;
}

bool WriteRegistryString(const std::string& key, const std::string& name, std::string_view value) {
    UniqueHandle<RegistryKeyTraits> opened;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, opened.put(),
                          nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::string stored(value);
    return ::RegSetValueExA(opened.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(stored.c_str()),
                            static_cast<DWORD>(stored.size() + 1)) == ERROR_SUCCESS;
}

void DeleteRegistryKey(const std::string& key) { ::RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }

// --- folders ---

TestTree::TestTree(const std::string& name, Kind kind) : m_name(name), m_root("c:\\" + name) {
    RemoveTree(LongPath(m_root));
    if (kind == Kind::Folder) {
        AddFolder("");
    } else {
        AddFile("");
    }
}

TestTree::~TestTree() { RemoveTree(LongPath(m_root)); }

std::string TestTree::PathOf(std::string_view relative) const {
    std::string path = m_root;
    if (!relative.empty()) {
        path += '\\';
        path += relative;
    }
    return path;
}

void TestTree::AddFolder(std::string_view relative) const {
    ::CreateDirectoryW(LongPath(PathOf(relative)).c_str(), nullptr);
}

void TestTree::AddFile(std::string_view relative, std::size_t bytes) const {
    const UniqueHandle<FileTraits> file(::CreateFileW(LongPath(PathOf(relative)).c_str(), GENERIC_WRITE, 0, nullptr,
                                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || bytes == 0) return;
    const std::string content(bytes, 'x');
    DWORD written = 0;
    ::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

}  // namespace e2e
