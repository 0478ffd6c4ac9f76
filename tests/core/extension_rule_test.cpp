#include "browser/extension_rule.h"

#include <gtest/gtest.h>

#include "text/text_services.h"

namespace {
// Four cp932 characters; the first is 0x95 0x5C, its second byte a '\\'.
const std::string kFour = "\x95\x5C\x8E\xA6\x8A\x67\x92\xA3";

TEST(ExtensionRuleTest, EntryIsTakenAsTypedUpToEightBytesAndEmptyMeansAllFiles) {
    const TextServices cp932 = TextServices::Cp932();
    EXPECT_EQ(ExtensionFromEntry(cp932, "txt"), "txt");
    EXPECT_EQ(ExtensionFromEntry(cp932, ""), "*");
    EXPECT_EQ(ExtensionFromEntry(cp932, ".*"), ".*");  // no check of the characters
    EXPECT_EQ(ExtensionFromEntry(cp932, "abcdefghijkl"), "abcdefgh");
    EXPECT_EQ(ExtensionFromEntry(cp932, kFour + "x"), kFour);
}

TEST(ExtensionRuleTest, TheCutNeverSplitsADoubleByteCharacter) {
    const std::string entry = "abc" + kFour;  // the third character lies across byte 8
    EXPECT_EQ(ExtensionFromEntry(TextServices::Cp932(), entry), "abc" + kFour.substr(0, 4));
    EXPECT_EQ(ExtensionFromEntry(TextServices(), entry), entry.substr(0, 8));  // single-byte page
    EXPECT_EQ(ExtensionFromEntry(TextServices::Cp932(), "abcdefg\x95"), "abcdefg\x95");  // lone lead byte
}

TEST(ExtensionRuleTest, TheButtonsTextIsCutTheSameWayButTakenAsItStands) {
    const TextServices cp932 = TextServices::Cp932();
    EXPECT_EQ(ExtensionFromButton(cp932, "*"), "*");
    EXPECT_EQ(ExtensionFromButton(cp932, ""), "");
    EXPECT_EQ(ExtensionFromButton(cp932, "abcdefghijkl"), "abcdefgh");
    EXPECT_EQ(ExtensionFromButton(cp932, "abc" + kFour), "abc" + kFour.substr(0, 4));
}
}  // namespace
