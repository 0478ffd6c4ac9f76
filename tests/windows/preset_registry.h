#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

// The presets' key in the test prefix's real registry, read and written raw.
namespace preset_registry {
inline constexpr char kKey[] = "Software\\Kestrin\\Morrowtide";

// Back to a profile that has never seen the program.
inline void Forget() { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrin"); }

inline bool KeyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The value's data exactly as stored (its type in `type`).
inline std::string Raw(const char* name, DWORD* type = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    char data[1024];
    DWORD size = sizeof data;
    const LONG status = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    EXPECT_EQ(status, ERROR_SUCCESS) << name;
    return status == ERROR_SUCCESS ? std::string(data, size) : std::string();
}

inline void SetRaw(const char* name, DWORD type, const std::string& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

// Every value of the key: name -> (type, data).
inline std::map<std::string, std::pair<DWORD, std::string>> Snapshot() {
    std::map<std::string, std::pair<DWORD, std::string>> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        char data[1024];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize) != ERROR_SUCCESS) break;
        values[name] = {type, std::string(data, dataSize)};
    }
    RegCloseKey(key);
    return values;
}

// Data of a counted REG_SZ text: the text, or the text and the one NUL that
// the platform adds when the byte after the counted text is a NUL.
inline ::testing::AssertionResult IsCountedText(const std::string& raw, const std::string& text) {
    if (raw == text || raw == text + '\0') return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "stored " << raw.size() << " bytes: \"" << raw << '"';
}
}  // namespace preset_registry
