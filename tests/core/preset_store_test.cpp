#include "presets/preset_store.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/fakes/memory_preset_storage.h"

namespace {
struct PresetStoreTest : ::testing::Test {
    MemoryPresetStorage storage;
    PresetStore store{storage};
};

TEST_F(PresetStoreTest, FlagStringGivesOneFlagPerPreset) {
    struct Case {
        const char* text;
        bool flags[3];
    };
    const Case cases[] = {
        {"1", {true, false, false}},  {"010", {false, true, false}}, {"1x1", {true, false, true}},
        {"111", {true, true, true}},  {"", {false, false, false}},  {"2 1", {false, false, true}},
        {"1111", {true, true, true}},
    };
    for (const Case& c : cases) {
        store.writeValue(PresetValue::Reverse, c.text);
        for (int p = 0; p < 3; ++p) EXPECT_EQ(store.flagAt(p, PresetValue::Reverse), c.flags[p]) << c.text << " at " << p;
    }
    storage.values.clear();
    EXPECT_FALSE(store.flagAt(0, PresetValue::Reverse)) << "a missing value is off";
}

TEST_F(PresetStoreTest, DigitStringGivesOneListIndexPerPreset) {
    struct Case {
        const char* text;
        int digits[3];
    };
    const Case cases[] = {
        {"306", {3, 0, 6}}, {"3", {3, 0, 0}}, {"2-5", {2, 0, 5}}, {"", {0, 0, 0}}, {"9a8", {9, 0, 8}},
    };
    for (const Case& c : cases) {
        store.writeValue(PresetValue::SeparatorType, c.text);
        for (int p = 0; p < 3; ++p) EXPECT_EQ(store.digitAt(p, PresetValue::SeparatorType), c.digits[p]) << c.text << " at " << p;
    }
}

TEST_F(PresetStoreTest, PerPresetNumberConvertsTheLeadingNumber) {
    struct Case {
        const char* text;
        int number;
    };
    const Case cases[] = {
        {"007", 7},
        {"", 0},
        {"12ab", 12},
        {" 5", 5},
        {"\t 42", 42},
        {"-3", -3},
        {"+8", 8},
        {"abc", 0},
        {"- 4", 0},
        {"999999999", 999999999},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999999999999999", INT_MIN},
    };
    const std::string name = NumberValueName(PresetValue::NumberLength, 1);
    EXPECT_EQ(name, "DEF_NUMBERLEN_02");
    for (const Case& c : cases) {
        store.writeValue(name, c.text);
        EXPECT_EQ(store.numberOf(name), c.number) << '"' << c.text << '"';
    }
}

TEST_F(PresetStoreTest, ReadsTheStorageAfreshEveryTime) {
    store.writeValue(PresetValue::LowerCase, "100");
    EXPECT_TRUE(store.flagAt(0, PresetValue::LowerCase));
    storage.values[std::string(PresetValue::LowerCase)] = "000";
    EXPECT_FALSE(store.flagAt(0, PresetValue::LowerCase));
    EXPECT_EQ(store.readValue(PresetValue::LowerCase), "000");
}
}  // namespace
