#include "browser/path_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "text/text_services.h"

namespace {
const TextServices kCp932 = TextServices::Cp932();
// cp932 characters whose second byte is 0x5C, the value of '\\'.
const std::string kHyo = "\x95\x5C";  // "hyo", table
const std::string kSo = "\x83\x5C";   // katakana "so"

struct Step {
    const char* before;
    const char* item;
    const char* after;
};

TEST(PathRulesTest, EveryStepOfTheBrowserWalk) {
    const Step steps[] = {
        {"c:\\", "Windows", "c:\\Windows"},
        {"c:\\Windows", "System", "c:\\Windows\\System"},
        {"c:\\Windows\\System", "..", "c:\\Windows"},
        {"c:\\Windows", "..", "c:"},
        {"c:", "Temp", "c:\\Temp"},
        {"D:\\", "Data", "D:\\Data"},
        // Nothing above a root: the root stays, bare drive or not.
        {"D:\\", "..", "D:\\"},
        {"c:", "..", "c:\\"},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(OpenFolder(kCp932, step.before, step.item), std::optional<std::string>(step.after))
            << step.before << " + " << step.item;
    }
}

TEST(PathRulesTest, NamesEndingInASecondByteOfValueBackslash) {
    const std::string folder = "c:\\" + kHyo;
    EXPECT_EQ(OpenFolder(kCp932, "c:\\", kHyo), folder);
    EXPECT_EQ(OpenFolder(kCp932, folder, kSo), folder + "\\" + kSo);
    EXPECT_EQ(OpenFolder(kCp932, folder + "\\" + kSo, ".."), folder);
    EXPECT_EQ(OpenFolder(kCp932, folder, ".."), "c:");
    EXPECT_EQ(FolderPattern(kCp932, folder), folder + "\\*.*");
    EXPECT_EQ(FilePattern(kCp932, folder, "txt"), folder + "\\*.txt");

    // A page without lead bytes sees the 0x5C as a separator of its own.
    EXPECT_EQ(FolderPattern(TextServices(), folder), folder + "*.*");
}

TEST(PathRulesTest, PatternsForEveryFormOfTheCurrentFolder) {
    EXPECT_EQ(FolderPattern(kCp932, "c:\\"), "c:\\*.*");
    EXPECT_EQ(FolderPattern(kCp932, "c:"), "c:\\*.*");
    EXPECT_EQ(FolderPattern(kCp932, "c:\\Windows"), "c:\\Windows\\*.*");
    EXPECT_EQ(FilePattern(kCp932, "c:\\", "*"), "c:\\*.*");
    EXPECT_EQ(FilePattern(kCp932, "D:\\Data", "t?t"), "D:\\Data\\*.t?t");
    EXPECT_EQ(FilePattern(kCp932, "c:", ""), "c:\\*.");
}

TEST(PathRulesTest, AJoinBeyond259CharactersIsRefused) {
    const std::string base = "c:\\" + std::string(250, 'a');  // 253 characters
    EXPECT_EQ(OpenFolder(kCp932, base, "12345")->size(), 259u);
    EXPECT_EQ(OpenFolder(kCp932, base, "123456"), std::nullopt);
    // Going up from the longest path is always possible.
    const std::string longest = base + "\\12345";
    EXPECT_EQ(OpenFolder(kCp932, longest, ".."), base);
}

TEST(PathRulesTest, HelpFileFollowsTheWorkingDirectory) {
    EXPECT_EQ(HelpFilePath("C:\\work"), "C:\\work\\help.hlp");
    EXPECT_EQ(HelpFilePath("C:\\"), "C:\\\\help.hlp");
    const std::string deep = "C:\\" + std::string(300, 'd');
    EXPECT_EQ(HelpFilePath(deep), deep + "\\help.hlp");
}
}  // namespace
