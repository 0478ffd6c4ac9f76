#include "presets/preset_page_enables.h"

#include <gtest/gtest.h>

namespace {
constexpr int kNone = -1;

TEST(PresetPageEnablesTest, FolderOutputTypeAndSubFolderBoxInEveryCombination) {
    struct Case {
        bool folderOutput;
        int type;
        bool subFolder;
        // Expected: folder-type list, sub-folder box, depth edit, next-folder box.
        bool list, subFolderBox, depth, nextFolder;
    };
    const Case cases[] = {
        // Folder-name output off: the list is off and no type blocks, not even the fourth.
        {false, kNone, false, false, true, false, true},
        {false, kNone, true, false, true, true, true},
        {false, 0, false, false, true, false, true},
        {false, 0, true, false, true, true, true},
        {false, 1, false, false, true, false, true},
        {false, 1, true, false, true, true, true},
        {false, 2, false, false, true, false, true},
        {false, 2, true, false, true, true, true},
        {false, 3, false, false, true, false, true},
        {false, 3, true, false, true, true, true},
        // Folder-name output on: only the fourth type blocks; a list without
        // a selection does not.
        {true, kNone, false, true, true, false, true},
        {true, kNone, true, true, true, true, true},
        {true, 0, false, true, true, false, true},
        {true, 0, true, true, true, true, true},
        {true, 1, false, true, true, false, true},
        {true, 1, true, true, true, true, true},
        {true, 2, false, true, true, false, true},
        {true, 2, true, true, true, true, true},
        {true, 3, false, true, false, false, false},
        // Blocked with the sub-folder box checked: the depth edit goes with its box.
        {true, 3, true, true, false, false, false},
    };
    for (const Case& c : cases) {
        for (const bool lineNumber : {false, true}) {
            PresetPageStates states;
            states.folderOutputChecked = c.folderOutput;
            states.folderTypeSelection = c.type;
            states.subFolderChecked = c.subFolder;
            states.lineNumberChecked = lineNumber;
            const PresetPageEnables enables = PresetPageEnables::For(states);
            const auto where = ::testing::Message() << "output " << c.folderOutput << ", type " << c.type << ", sub-folder "
                                                    << c.subFolder << ", line numbers " << lineNumber;
            EXPECT_EQ(enables.folderTypeList, c.list) << where;
            EXPECT_EQ(enables.subFolderBox, c.subFolderBox) << where;
            EXPECT_EQ(enables.depthEdit, c.depth) << where;
            EXPECT_EQ(enables.nextFolderBox, c.nextFolder) << where;
            // The line-number group depends on its own box alone.
            EXPECT_EQ(enables.lineNumberOptions, lineNumber) << where;
        }
    }
}

TEST(PresetPageEnablesTest, OutOfRangeTypesDoNotBlock) {
    // A stored digit beyond the list leaves it without a selection; the
    // index the page reports for it is -1, but nothing else may block either.
    for (const int type : {4, 9, -2}) {
        PresetPageStates states;
        states.folderOutputChecked = true;
        states.folderTypeSelection = type;
        states.subFolderChecked = true;
        const PresetPageEnables enables = PresetPageEnables::For(states);
        EXPECT_TRUE(enables.subFolderBox) << type;
        EXPECT_TRUE(enables.depthEdit) << type;
        EXPECT_TRUE(enables.nextFolderBox) << type;
    }
}
}  // namespace
