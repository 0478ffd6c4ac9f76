#include "command_line/win/send_to_shortcuts.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <memory>

#include "platform/win/com_ptr.h"
#include "platform/win/resource_string.h"
#include "platform/win/win_app.h"
#include "presets/preset_store.h"
#include "resources/resource.h"

namespace {
bool SaveShortcut(const std::wstring& path, const std::wstring& program, int preset) {
    IShellLinkW* created = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&created))))
        return false;
    const ComPtr<IShellLinkW> link(created);
    const std::wstring arguments = L"/" + std::to_wstring(preset);
    IPersistFile* persisted = nullptr;
    if (FAILED(link->SetPath(program.c_str())) || FAILED(link->SetArguments(arguments.c_str())) ||
        FAILED(link->SetIconLocation(program.c_str(), 0)) || FAILED(link->QueryInterface(IID_PPV_ARGS(&persisted)))) {
        return false;
    }
    const ComPtr<IPersistFile> file(persisted);
    return SUCCEEDED(file->Save(path.c_str(), TRUE));
}

// Deletes the three in `folder`; false when one is there and stays.
bool DeleteShortcuts(const std::wstring& folder) {
    bool removed = true;
    for (int preset = 1; preset <= kPresetCount; ++preset) {
        const std::wstring path = SendToShortcutPath(folder, preset);
        if (!::DeleteFileW(path.c_str()) && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            removed = false;
    }
    return removed;
}
}  // namespace

std::optional<std::wstring> SendToFolder() {
    PWSTR path = nullptr;
    if (FAILED(::SHGetKnownFolderPath(FOLDERID_SendTo, KF_FLAG_CREATE, nullptr, &path))) return std::nullopt;
    const std::unique_ptr<wchar_t, decltype(&::CoTaskMemFree)> owned(path, &::CoTaskMemFree);
    return std::wstring(path);
}

std::wstring SendToShortcutPath(const std::wstring& folder, int preset) {
    // The preset's name as its tab in the settings shows it.
    return folder + L"\\Listora " + LoadResourceText(IDS_PRESET_TAB_1 + preset - 1) + L".lnk";
}

bool AddSendToShortcuts() {
    const std::optional<std::wstring> folder = SendToFolder();
    if (!folder) return false;
    const std::wstring program = ProgramPath();
    for (int preset = 1; preset <= kPresetCount; ++preset) {
        if (!SaveShortcut(SendToShortcutPath(*folder, preset), program, preset)) {
            // Part of a set would pass for the whole in the menu, and an older set's later entries would stand
            // beside the new first ones: none is left.
            DeleteShortcuts(*folder);
            return false;
        }
    }
    return true;
}

bool RemoveSendToShortcuts() {
    const std::optional<std::wstring> folder = SendToFolder();
    return folder && DeleteShortcuts(*folder);
}
