#pragma once

#include <map>
#include <vector>

#include "presets/preset_store.h"

// Preset values in memory; records the names read, in order.
struct MemoryPresetStorage : PresetStorage {
    std::string Read(std::string_view name) override {
        reads.emplace_back(name);
        return values.contains(reads.back()) ? values[reads.back()] : "";
    }
    bool Write(std::string_view name, std::string_view text) override {
        values[std::string(name)] = text;
        return true;
    }

    std::map<std::string, std::string> values;
    std::vector<std::string> reads;
};
