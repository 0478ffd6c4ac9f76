#include "browser/extension_rule.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text_services.h"

namespace {
// Two words of two cp932 characters each; the first character of kHyoji
// is 0x95 0x5C, its second byte the value of '\\'.
const std::string kHyoji = "\x95\x5C\x8E\xA6";
const std::string kKakucho = "\x8A\x67\x92\xA3";

TEST(ExtensionRuleTest, ShortEntriesAreTakenAsTypedAndEmptyMeansAllFiles) {
    const TextServices cp932 = TextServices::Cp932();
    EXPECT_EQ(ExtensionFromEntry(cp932, "txt"), "txt");
    EXPECT_EQ(ExtensionFromEntry(cp932, ""), "*");
    // No check of the characters: the caller puts the entry behind "*.".
    EXPECT_EQ(ExtensionFromEntry(cp932, ".*"), ".*");
    EXPECT_EQ(ExtensionFromEntry(cp932, "*"), "*");
    EXPECT_EQ(ExtensionFromEntry(cp932, kHyoji), kHyoji);
}

TEST(ExtensionRuleTest, LongEntriesKeepTheirFirstEightBytes) {
    const TextServices cp932 = TextServices::Cp932();
    EXPECT_EQ(ExtensionFromEntry(cp932, "abcdefghijkl"), "abcdefgh");
    EXPECT_EQ(ExtensionFromEntry(cp932, "abcdefgh"), "abcdefgh");
    EXPECT_EQ(ExtensionFromEntry(cp932, kHyoji + kKakucho + "x"), kHyoji + kKakucho);
}

TEST(ExtensionRuleTest, TheCutNeverSplitsADoubleByteCharacter) {
    const std::string entry = "abc" + kHyoji + kKakucho;  // a character lies across byte 8
    EXPECT_EQ(ExtensionFromEntry(TextServices::Cp932(), entry), "abc" + kHyoji);
    // In a single-byte page every byte is a character of its own.
    EXPECT_EQ(ExtensionFromEntry(TextServices(), entry), entry.substr(0, 8));
    // A lone lead byte at the end is one character.
    EXPECT_EQ(ExtensionFromEntry(TextServices::Cp932(), "abcdefg\x95"), "abcdefg\x95");
}
}  // namespace
