#pragma once

#include "presets/preset_store.h"

// The presets in HKEY_CURRENT_USER\Software\Kestrin\Morrowtide, one REG_SZ
// value each, stored without a terminating NUL.
class RegistryPresetStorage : public PresetStorage {
public:
    // The key is made in two steps, the maker's key first.
    static constexpr char kOuterKey[] = "Software\\Kestrin";
    static constexpr char kInnerKey[] = "Morrowtide";
    // kOuterKey\kInnerKey, below HKEY_CURRENT_USER.
    static std::string KeyPath();

    std::string Read(std::string_view name) override;
    bool Write(std::string_view name, std::string_view text) override;
};
