#include "engine/listing_options.h"

#include <gtest/gtest.h>

#include "presets/preset_store.h"
#include "tests/fakes/memory_preset_storage.h"

namespace {
struct ListingOptionsTest : ::testing::Test {
    MemoryPresetStorage storage;
    PresetStore store{storage};

    void SetUp() override {
        // Each preset-wide value differs at every position, so a read at the
        // wrong position shows.
        storage.values = {
            {"DEF_NONKAKUCHO", "100"},   {"DEF_SMALLCHAR", "010"},  {"DEF_REVERSE", "001"},
            {"DEF_SUB_FOLDER", "011"},   {"DEF_FOLDER_CHECK", "110"}, {"DEF_FOLDER_COMB", "123"},
            {"DEF_LINENUMBER", "101"},   {"DEF_SEP_TYPE", "456"},   {"DEF_ZERO_CHECK", "010"},
            {"DEF_NEXT_FOLDER", "001"},  {"DEF_FILE_SIZE", "100"},
            {"DEF_SUB_NUMBER_01", "1"},  {"DEF_SEP_BEFORE_01", "2"},  {"DEF_SEP_AFTER_01", "3"},  {"DEF_NUMBERLEN_01", "4"},
            {"DEF_SUB_NUMBER_02", "11"}, {"DEF_SEP_BEFORE_02", "12"}, {"DEF_SEP_AFTER_02", "13"}, {"DEF_NUMBERLEN_02", "14"},
            {"DEF_SUB_NUMBER_03", "21"}, {"DEF_SEP_BEFORE_03", "22"}, {"DEF_SEP_AFTER_03", "23"}, {"DEF_NUMBERLEN_03", "024"},
        };
    }
};

TEST_F(ListingOptionsTest, SecondPresetReadsSecondCharactersAndItsOwnNumbers) {
    ListingOptions options;
    options.LoadFromPreset(store, 1);
    EXPECT_EQ(options.noExtension, 0);
    EXPECT_EQ(options.lowerCase, 1);
    EXPECT_EQ(options.reverse, 0);
    EXPECT_EQ(options.subFolders, 1);
    EXPECT_EQ(options.folderNameOutput, 1);
    EXPECT_EQ(options.folderOutputType, 2);
    EXPECT_EQ(options.lineNumbers, 0);
    EXPECT_EQ(options.separatorType, 5);
    EXPECT_EQ(options.zeroPad, 1);
    EXPECT_EQ(options.nextFolder, 0);
    EXPECT_EQ(options.fileSize, 0);
    EXPECT_EQ(options.subFolderDepth, 11);
    EXPECT_EQ(options.spacesBefore, 12);
    EXPECT_EQ(options.spacesAfter, 13);
    EXPECT_EQ(options.numberWidth, 14);
}

TEST_F(ListingOptionsTest, ThirdPresetReadsThirdCharactersAndItsOwnNumbers) {
    ListingOptions options;
    options.LoadFromPreset(store, 2);
    EXPECT_EQ(options.noExtension, 0);
    EXPECT_EQ(options.lowerCase, 0);
    EXPECT_EQ(options.reverse, 1);
    EXPECT_EQ(options.subFolders, 1);
    EXPECT_EQ(options.folderNameOutput, 0);
    EXPECT_EQ(options.folderOutputType, 3);
    EXPECT_EQ(options.lineNumbers, 1);
    EXPECT_EQ(options.separatorType, 6);
    EXPECT_EQ(options.zeroPad, 0);
    EXPECT_EQ(options.nextFolder, 1);
    EXPECT_EQ(options.fileSize, 0);
    EXPECT_EQ(options.subFolderDepth, 21);
    EXPECT_EQ(options.spacesBefore, 22);
    EXPECT_EQ(options.spacesAfter, 23);
    EXPECT_EQ(options.numberWidth, 24);
}

TEST_F(ListingOptionsTest, ReadsEachValueOnceInTheFixedOrder) {
    ListingOptions options;
    options.LoadFromPreset(store, 0);
    const std::vector<std::string> expected = {
        "DEF_NONKAKUCHO", "DEF_SMALLCHAR", "DEF_REVERSE",    "DEF_SUB_FOLDER",   "DEF_FOLDER_CHECK",
        "DEF_FOLDER_COMB", "DEF_LINENUMBER", "DEF_SEP_TYPE", "DEF_ZERO_CHECK",   "DEF_NEXT_FOLDER",
        "DEF_FILE_SIZE",  "DEF_SUB_NUMBER_01", "DEF_SEP_BEFORE_01", "DEF_SEP_AFTER_01", "DEF_NUMBERLEN_01",
    };
    EXPECT_EQ(storage.reads, expected);
    EXPECT_EQ(options.noExtension, 1);
    EXPECT_EQ(options.numberWidth, 4);

    // A second transfer reads everything again and sees a changed preset.
    storage.reads.clear();
    storage.values["DEF_NONKAKUCHO"] = "000";
    options.LoadFromPreset(store, 0);
    EXPECT_EQ(storage.reads.size(), expected.size());
    EXPECT_EQ(options.noExtension, 0);
}

TEST_F(ListingOptionsTest, FreshProfileGivesEverythingOff) {
    storage.values.clear();
    ListingOptions options;
    options.subFolderDepth = 5;
    options.LoadFromPreset(store, 2);
    EXPECT_EQ(options, ListingOptions{});
}

TEST(PresetIndexTest, FirstCheckedRadioWinsAndTheThirdIsTheFallback) {
    EXPECT_EQ(PresetIndexFromRadios(true, false), 0);
    EXPECT_EQ(PresetIndexFromRadios(true, true), 0);
    EXPECT_EQ(PresetIndexFromRadios(false, true), 1);
    EXPECT_EQ(PresetIndexFromRadios(false, false), 2);
}
}  // namespace
