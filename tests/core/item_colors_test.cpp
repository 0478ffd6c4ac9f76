#include "browser/item_colors.h"

#include <gtest/gtest.h>

#include "browser/item_record.h"

namespace {
using namespace ItemAction;
using namespace ItemState;

constexpr ItemColors kNothing{};
constexpr ItemColors kEntire{true, SystemColor::CurrentBackground, SystemColor::Window, SystemColor::WindowText};
constexpr ItemColors kPlain{true, SystemColor::Window, SystemColor::Window, SystemColor::WindowText};
constexpr ItemColors kHighlight{true, SystemColor::Highlight, SystemColor::Highlight, SystemColor::HighlightText};

TEST(ItemColorsTest, EveryActionAndState) {
    for (unsigned state : {0u, Selected, Focus, Selected | Focus}) {
        EXPECT_EQ(ItemColorsFor(DrawEntire, state), kEntire) << state;
    }
    EXPECT_EQ(ItemColorsFor(SelectionChanged, Selected), kNothing);
    EXPECT_EQ(ItemColorsFor(SelectionChanged, Selected | Focus), kNothing);
    EXPECT_EQ(ItemColorsFor(SelectionChanged, 0), kPlain);
    EXPECT_EQ(ItemColorsFor(SelectionChanged, Focus), kPlain);
    EXPECT_EQ(ItemColorsFor(FocusChanged, Focus), kHighlight);
    EXPECT_EQ(ItemColorsFor(FocusChanged, Focus | Selected), kHighlight);
    EXPECT_EQ(ItemColorsFor(FocusChanged, Selected), kPlain);
    EXPECT_EQ(ItemColorsFor(FocusChanged, 0), kPlain);
    EXPECT_EQ(ItemColorsFor(0, Selected | Focus), kNothing);
}

TEST(ItemRecordTest, RecordsCopyTheirTextAndCompareByUnsignedBytes) {
    std::string name = "b\x95\x5C";
    const ItemRecord record(name);
    name[0] = 'x';
    EXPECT_STREQ(record.text.get(), "b\x95\x5C");

    const ItemRecord ascii("bz");
    const ItemRecord prefix("b");
    EXPECT_EQ(CompareItemRecords(ascii, record), -1);  // 'z' < 0x95 as unsigned bytes
    EXPECT_EQ(CompareItemRecords(record, ascii), 1);
    EXPECT_EQ(CompareItemRecords(prefix, ascii), -1);
    EXPECT_EQ(CompareItemRecords(ItemRecord("b"), prefix), 0);
}
}  // namespace
