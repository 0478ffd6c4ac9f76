#include "command_line/win/context_menu_keys.h"

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/win/resource_string.h"
#include "platform/win/wide_text.h"
#include "platform/win/win_app.h"
#include "platform/win/win_handles.h"
#include "presets/preset_store.h"
#include "resources/resource.h"

namespace {
// Where Explorer looks for the entry, and how it names the item: a folder's
// background has no item of its own, and %V is the folder shown there.
struct Place {
    const wchar_t* key;
    const wchar_t* item;
};
constexpr Place kPlaces[] = {
    {L"Software\\Classes\\Directory\\shell\\Listora", L"%1"},
    {L"Software\\Classes\\Directory\\Background\\shell\\Listora", L"%V"},
    {L"Software\\Classes\\Drive\\shell\\Listora", L"%1"},
};

UniqueRegKey CreateKey(HKEY parent, const std::wstring& path) {
    UniqueRegKey key;
    ::RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.put(),
                      nullptr);
    return key;
}

// The wide call: the program's path may hold any character.
bool SetText(HKEY key, const wchar_t* name, const std::wstring& text) {
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

// One command of the sub-menu: its text and what it runs. A classic command
// runs once for each item chosen; one item a run keeps it to one listing.
bool AddCommand(HKEY entry, const std::wstring& name, const std::wstring& text, const std::wstring& command) {
    const UniqueRegKey verb = CreateKey(entry, L"shell\\" + name);
    if (!verb || !SetText(verb.get(), L"MUIVerb", text) || !SetText(verb.get(), L"MultiSelectModel", L"Single"))
        return false;
    const UniqueRegKey run = CreateKey(verb.get(), L"command");
    return run && SetText(run.get(), nullptr, command);
}

bool AddEntry(const Place& place, const std::wstring& program) {
    const UniqueRegKey entry = CreateKey(HKEY_CURRENT_USER, place.key);
    // SubCommands empty: the commands are the keys below, not verbs named elsewhere.
    if (!entry || !SetText(entry.get(), L"MUIVerb", LoadResourceText(IDS_APP_TITLE)) ||
        !SetText(entry.get(), L"SubCommands", L"") || !SetText(entry.get(), L"Icon", program + L",0")) {
        return false;
    }
    const std::wstring run = L"\"" + program + L"\" ";
    const std::wstring item = L"\"" + std::wstring(place.item) + L"\"";
    for (int preset = 1; preset <= kPresetCount; ++preset) {
        const std::wstring number = std::to_wstring(preset);
        // The preset's name as its tab in the settings shows it.
        const std::string name = Utf8FromUtf16(LoadResourceText(IDS_PRESET_TAB_1 + preset - 1));
        if (!AddCommand(entry.get(), L"preset" + number, FormatResourceText(IDS_CONTEXT_COPY, name),
                        run + L"/" + number + L" " + item)) {
            return false;
        }
    }
    return AddCommand(entry.get(), L"open", LoadResourceText(IDS_CONTEXT_OPEN), run + item);
}

// The keys above an entry that adding it may have made ("shell", "Directory"
// ...), up to Software\Classes: each goes while nothing else is in it.
void DeleteEmptyParents(std::wstring key) {
    constexpr std::wstring_view kClasses = L"Software\\Classes";
    for (key.resize(key.rfind(L'\\')); key.size() > kClasses.size(); key.resize(key.rfind(L'\\'))) {
        UniqueRegKey parent;
        DWORD subKeys = 0;
        DWORD values = 0;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, parent.put()) != ERROR_SUCCESS ||
            ::RegQueryInfoKeyW(parent.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                               nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            subKeys > 0 || values > 0) {
            return;
        }
        parent.reset();
        ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    }
}
}  // namespace

bool AddContextMenu() {
    const std::wstring program = ProgramPath();
    for (const Place& place : kPlaces) {
        if (!AddEntry(place, program)) {
            // A half-made entry would show commands that lead nowhere.
            RemoveContextMenu();
            return false;
        }
    }
    return true;
}

bool RemoveContextMenu() {
    bool removed = true;
    for (const Place& place : kPlaces) {
        const LSTATUS status = ::RegDeleteTreeW(HKEY_CURRENT_USER, place.key);
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) removed = false;
        if (status == ERROR_SUCCESS) DeleteEmptyParents(place.key);
    }
    return removed;
}
