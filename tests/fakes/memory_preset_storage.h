#pragma once

#include <map>
#include <utility>
#include <vector>

#include "presets/preset_store.h"

// Preset values in memory; records the names read and the values written, in order.
struct MemoryPresetStorage : PresetStorage {
    std::string Read(std::string_view name) override {
        reads.emplace_back(name);
        return values.contains(reads.back()) ? values[reads.back()] : "";
    }
    bool Write(std::string_view name, std::string_view text) override {
        if (refusing) return false;
        values[std::string(name)] = text;
        writes.emplace_back(name, text);
        return true;
    }

    std::map<std::string, std::string> values;
    std::vector<std::string> reads;
    std::vector<std::pair<std::string, std::string>> writes;
    bool refusing = false;  // every write fails, as on a registry that cannot be written
};
