#include "platform/win/registry_preset_storage.h"

#include <windows.h>

#include <cstring>

#include "platform/win/win_handles.h"

namespace {
// Opens a key below `parent`, creating it when missing.
UniqueRegKey CreateKey(HKEY parent, const char* path) {
    UniqueRegKey key;
    char noClass[] = "";
    RegCreateKeyExA(parent, path, 0, noClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    return key;
}
}  // namespace

std::string RegistryPresetStorage::KeyPath() { return std::string(kOuterKey) + "\\" + kInnerKey; }

std::string RegistryPresetStorage::Read(std::string_view name) {
    const UniqueRegKey key = CreateKey(HKEY_CURRENT_USER, KeyPath().c_str());
    if (!key) return {};
    // Every value the program writes is a few characters; a longer one does
    // not fit the 255 bytes asked for and reads as "".
    char buffer[256] = {};
    DWORD size = sizeof buffer - 1;
    if (RegQueryValueExA(key.get(), std::string(name).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                         &size) != ERROR_SUCCESS) {
        return {};
    }
    // The data carries no terminator of its own; it may carry one early (a
    // value of another type), where the text ends.
    return std::string(buffer, strnlen(buffer, size));
}

bool RegistryPresetStorage::Write(std::string_view name, std::string_view text) {
    const UniqueRegKey outer = CreateKey(HKEY_CURRENT_USER, kOuterKey);
    if (!outer) return false;
    const UniqueRegKey inner = CreateKey(outer.get(), kInnerKey);
    if (!inner) return false;
    const std::string value(text);
    return RegSetValueExA(inner.get(), std::string(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(lstrlenA(value.c_str()))) == ERROR_SUCCESS;
}
