#include "about/link_area.h"

#include <gtest/gtest.h>

namespace {
TEST(LinkAreaTest, LeftAndTopEdgesAreInsideRightAndBottomEdgesOutside) {
    const LinkArea area{10, 20, 30, 40};
    EXPECT_TRUE(IsInsideLinkArea(area, 10, 20));
    EXPECT_TRUE(IsInsideLinkArea(area, 29, 39));
    EXPECT_FALSE(IsInsideLinkArea(area, 30, 25));
    EXPECT_FALSE(IsInsideLinkArea(area, 15, 40));
    EXPECT_FALSE(IsInsideLinkArea(area, 9, 25));
    EXPECT_FALSE(IsInsideLinkArea(area, 15, 19));
    EXPECT_FALSE(IsInsideLinkArea(LinkArea{}, 0, 0));
    EXPECT_FALSE(IsInsideLinkArea(LinkArea{30, 40, 10, 20}, 20, 30));  // inverted
}
}  // namespace
