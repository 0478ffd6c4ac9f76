#include "presets/preset_store.h"

#include <gtest/gtest.h>

#include <climits>

#include "text/text_services.h"
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
TEST_F(PresetStoreTest, FlagStringsRoundTripForEveryPreset) {
    EXPECT_EQ(FlagString({true, false, true}), "101");
    EXPECT_EQ(FlagString({false, false, false}), "000");
    for (int bits = 0; bits < 8; ++bits) {
        const std::array<bool, 3> flags{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
        store.writeValue(PresetValue::FileSize, FlagString(flags));
        EXPECT_EQ(store.readValue(PresetValue::FileSize).size(), 3u);
        for (int p = 0; p < 3; ++p) EXPECT_EQ(store.flagAt(p, PresetValue::FileSize), flags[p]) << bits << " at " << p;
    }
}

TEST_F(PresetStoreTest, DigitStringsRoundTripForEveryPresetAndIndex) {
    EXPECT_EQ(DigitString({3, 0, 6}, ""), "306");
    for (int index = 0; index < 7; ++index) {
        for (int p = 0; p < 3; ++p) {
            std::array<int, 3> selections{6 - index, index, (index + 3) % 7};
            selections[p] = index;
            EXPECT_FALSE(NeedsStoredDigits(selections));
            store.writeValue(PresetValue::SeparatorType, DigitString(selections, ""));
            EXPECT_EQ(store.digitAt(p, PresetValue::SeparatorType), index) << p;
        }
    }
}

TEST_F(PresetStoreTest, ListWithoutSelectionKeepsItsStoredCharacter) {
    struct Case {
        std::array<int, 3> selections;
        const char* stored;
        const char* text;
    };
    const Case cases[] = {
        {{-1, 2, -1}, "7x9", "729"},
        // Each preset keeps one character, so nothing after it shifts.
        {{1, -1, 2}, "08", "182"},
        {{-1, -1, -1}, "8", "800"},
        {{-1, 0, 0}, "", "000"},
        {{10, 1, 1}, "5", "511"},
        {{-1, 1, 1}, "99999", "911"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(NeedsStoredDigits(c.selections)) << c.stored;
        EXPECT_EQ(DigitString(c.selections, c.stored), c.text) << c.stored;
    }
}

TEST(PresetNumberTextTest, KeepsTheTextAsTypedUpToNineBytes) {
    const TextServices cp932 = TextServices::Cp932();
    EXPECT_EQ(PresetNumberText("007", cp932), "007");
    EXPECT_EQ(ParsePresetNumber(PresetNumberText("007", cp932)), 7);
    EXPECT_EQ(PresetNumberText("", cp932), "");
    EXPECT_EQ(PresetNumberText("123456789", cp932), "123456789");
    EXPECT_EQ(PresetNumberText("1234567890123", cp932), "123456789");
    // A pasted double-byte character across the ninth byte is left out whole
    // ("\x95\x5C" is one character in cp932); a single-byte page cuts bytes.
    EXPECT_EQ(PresetNumberText("12345678\x95\x5C", cp932), "12345678");
    EXPECT_EQ(PresetNumberText("12345678\x95\x5C", TextServices()), "12345678\x95");
    EXPECT_EQ(PresetNumberText("1234567\x95\x5C", cp932), "1234567\x95\x5C");
}
}  // namespace
