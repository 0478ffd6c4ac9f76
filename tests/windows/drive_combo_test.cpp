#include "browser/win/drive_combo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
TEST(DriveComboTest, PositionsNameTheDrivesOfAFreshListAndNothingBeyond) {
    char drives[261] = {};
    ASSERT_GT(::GetLogicalDriveStringsA(sizeof drives - 1, drives), 0u);
    std::vector<std::string> roots;
    for (const char* root = drives; *root; root += std::strlen(root) + 1) roots.emplace_back(root);

    DriveCombo combo;
    std::string root = "unchanged";
    for (std::size_t i = 0; i < roots.size(); ++i) {
        ASSERT_TRUE(combo.GetDriveAt(static_cast<int>(i), root));
        EXPECT_EQ(root, roots[i]);
    }
    root = "unchanged";
    EXPECT_FALSE(combo.GetDriveAt(static_cast<int>(roots.size()), root));
    EXPECT_FALSE(combo.GetDriveAt(-1, root));
    EXPECT_FALSE(combo.GetDriveAt(26, root));
    EXPECT_EQ(root, "unchanged");
}
}  // namespace
