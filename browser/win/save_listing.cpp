#include "browser/win/save_listing.h"

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>

#include <memory>
#include <string>

#include "platform/win/com_ptr.h"
#include "platform/win/registry_preset_storage.h"
#include "platform/win/resource_string.h"
#include "platform/win/wide_text.h"
#include "platform/win/win_handles.h"
#include "resources/resource.h"
#include "text/path_rules.h"
#include "text/text_services.h"

namespace {
constexpr DWORD kAnsiType = 0;
constexpr DWORD kUtf8Type = 1;
// A folder's path is far shorter; a longer value is not one the program wrote.
constexpr DWORD kMaxFolderCharacters = 32768;

std::wstring SaveKeyPath() { return Utf16FromUtf8(RegistryPresetStorage::KeyPath()) + L"\\Save"; }

struct LastSave {
    std::wstring folder;  // empty: the dialog's own choice
    DWORD type = kAnsiType;
};

// What the last save kept. A value that is missing, of another type or too
// long, a type that is neither, and a folder that is no longer there are
// passed over.
LastSave ReadLastSave() {
    LastSave last;
    const std::wstring key = SaveKeyPath();
    DWORD type = 0;
    DWORD size = sizeof type;
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Type", RRF_RT_REG_DWORD, nullptr, &type, &size) ==
            ERROR_SUCCESS &&
        type <= kUtf8Type) {
        last.type = type;
    }
    std::wstring folder(kMaxFolderCharacters, L'\0');
    size = kMaxFolderCharacters * sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Folder", RRF_RT_REG_SZ, nullptr, folder.data(), &size) !=
        ERROR_SUCCESS) {
        return last;
    }
    folder.resize(wcsnlen(folder.c_str(), folder.size()));
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    const bool isFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (isFolder && !::PathIsRelativeW(folder.c_str())) last.folder = std::move(folder);
    return last;
}

void KeepLastSave(const std::wstring& folder, DWORD type) {
    UniqueRegKey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, SaveKeyPath().c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                          nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        return;
    }
    // The wide call, so that any folder's name survives.
    ::RegSetValueExW(key.get(), L"Folder", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                     static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    ::RegSetValueExW(key.get(), L"Type", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&type), sizeof type);
}

// Where the dialog opens; nothing when the folder cannot be had.
void StartIn(IFileSaveDialog& dialog, const std::wstring& folder) {
    IShellItem* item = nullptr;
    if (folder.empty() || FAILED(::SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_PPV_ARGS(&item)))) return;
    const ComPtr<IShellItem> owned(item);
    dialog.SetFolder(item);
}

// The file chosen, full; none when the user cancelled.
std::optional<std::wstring> ChosenPath(IFileSaveDialog& dialog, HWND owner) {
    IShellItem* item = nullptr;
    if (FAILED(dialog.Show(owner)) || FAILED(dialog.GetResult(&item))) return std::nullopt;
    const ComPtr<IShellItem> owned(item);
    PWSTR path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) return std::nullopt;
    const std::unique_ptr<wchar_t, decltype(&::CoTaskMemFree)> ownedPath(path, &::CoTaskMemFree);
    return std::wstring(path);
}
}  // namespace

std::optional<TransferTarget> AskSaveTarget(HWND owner) {
    IFileSaveDialog* created = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&created))))
        return std::nullopt;
    const ComPtr<IFileSaveDialog> dialog(created);
    const std::wstring ansiName = LoadResourceText(IDS_SAVE_TYPE_ANSI);
    const std::wstring utf8Name = LoadResourceText(IDS_SAVE_TYPE_UTF8);
    // In the order of the stored type, from 0; the dialog counts from 1.
    const COMDLG_FILTERSPEC types[] = {{ansiName.c_str(), L"*.txt"}, {utf8Name.c_str(), L"*.txt"}};
    const LastSave last = ReadLastSave();
    dialog->SetFileTypes(static_cast<UINT>(std::size(types)), types);
    dialog->SetFileTypeIndex(last.type + 1);
    dialog->SetDefaultExtension(L"txt");
    StartIn(*dialog, last.folder);
    const std::optional<std::wstring> path = ChosenPath(*dialog, owner);
    if (!path) return std::nullopt;
    // Should the dialog not say, the type it was opened with.
    UINT index = last.type + 1;
    dialog->GetFileTypeIndex(&index);
    const DWORD type = index == kUtf8Type + 1 ? kUtf8Type : kAnsiType;
    const std::string file = Utf8FromUtf16(*path);
    KeepLastSave(Utf16FromUtf8(FolderOf(TextServices::Utf8(), file)), type);
    return TransferTarget{file, type == kUtf8Type};
}
