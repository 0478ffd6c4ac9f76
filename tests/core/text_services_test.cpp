#include "text/text_services.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
// cp932 characters whose second byte is 0x5C, the value of '\\'.
const std::string kHyo = "\x95\x5C";  // kanji "hyou" (table)
const std::string kSo = "\x83\x5C";   // katakana "so"
const std::string kNo = "\x94\x5C";   // kanji "nou" (ability)
const std::string kFullWidthA = "\x82\x60";  // full-width A, whose second byte is 'a' - 1

TEST(TextServicesTest, SecondByteOfDoubleByteCharacterIsNeverASeparator) {
    const TextServices cp932 = TextServices::Cp932();
    EXPECT_EQ(cp932.FindLastSeparator("C:\\" + kHyo), 2u);
    EXPECT_EQ(cp932.FindLastSeparator(kSo + kNo), std::string::npos);
    EXPECT_FALSE(cp932.EndsWithSeparator("C:\\Work\\" + kHyo));
    EXPECT_TRUE(cp932.EndsWithSeparator("C:\\" + kHyo + "\\"));
    EXPECT_EQ(cp932.FindLastSeparator("a\\b\\c"), 3u);
    EXPECT_EQ(cp932.FindLastSeparator(""), std::string::npos);
    EXPECT_EQ(cp932.CountSeparators("C:\\" + kHyo + "\\" + kSo + kNo + "\\"), 3u);
    EXPECT_EQ(cp932.CountSeparators(kHyo + kNo), 0u);

    // The same bytes in a single-byte page are two characters, one of them '\\'.
    const TextServices single;
    EXPECT_EQ(single.FindLastSeparator("C:\\" + kHyo), 4u);
    EXPECT_TRUE(single.EndsWithSeparator(kSo));
    EXPECT_EQ(single.CountSeparators(kHyo + kNo), 2u);
}

TEST(TextServicesTest, AddAndRemoveOneTrailingBackslash) {
    const TextServices cp932 = TextServices::Cp932();
    std::string path = "C:\\" + kNo;
    cp932.AddBackslash(path);
    EXPECT_EQ(path, "C:\\" + kNo + "\\");
    cp932.AddBackslash(path);
    EXPECT_EQ(path, "C:\\" + kNo + "\\");
    cp932.RemoveBackslash(path);
    EXPECT_EQ(path, "C:\\" + kNo);
    cp932.RemoveBackslash(path);  // ends in 0x5C, but as part of kNo
    EXPECT_EQ(path, "C:\\" + kNo);

    std::string doubled = "C:\\\\";
    cp932.RemoveBackslash(doubled);
    EXPECT_EQ(doubled, "C:\\");
    std::string empty;
    cp932.RemoveBackslash(empty);
    EXPECT_EQ(empty, "");
    cp932.AddBackslash(empty);
    EXPECT_EQ(empty, "\\");
}

TEST(TextServicesTest, LowerCasingLeavesDoubleByteCharactersAlone) {
    const TextServices cp932 = TextServices::Cp932();
    // 0x83 0x41 is katakana "a": its second byte is 'A'.
    std::string text = "C:\\WORK\\\x83\x41" + kFullWidthA + kHyo + "B.TXT";
    cp932.MakeLowerAscii(text);
    EXPECT_EQ(text, "c:\\work\\\x83\x41" + kFullWidthA + kHyo + "b.txt");

    std::string single = "\x83\x41Z";
    TextServices().MakeLowerAscii(single);
    EXPECT_EQ(single, "\x83\x61z");
}

TEST(TextServicesTest, CuttingNeverSplitsADoubleByteCharacter) {
    const TextServices cp932 = TextServices::Cp932();
    const std::string text = "ab" + kHyo + "c";
    EXPECT_EQ(cp932.CutToBytes(text, 0), "");
    EXPECT_EQ(cp932.CutToBytes(text, 2), "ab");
    EXPECT_EQ(cp932.CutToBytes(text, 3), "ab");
    EXPECT_EQ(cp932.CutToBytes(text, 4), "ab" + kHyo);
    EXPECT_EQ(cp932.CutToBytes(text, 99), text);
    EXPECT_EQ(TextServices().CutToBytes(text, 3), "ab\x95");

    // A lead byte with nothing behind it (a text cut elsewhere) is one byte.
    const std::string dangling = "ab\x95";
    EXPECT_EQ(cp932.CutToBytes(dangling, 3), dangling);
    EXPECT_EQ(cp932.FindLastSeparator("\\\x95"), 0u);

    // Into a fixed buffer: what fits with the terminator, whole characters.
    char buffer[4];
    std::memset(buffer, 'x', sizeof buffer);
    cp932.CopyToBuffer("ab" + kHyo, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "ab");
    cp932.CopyToBuffer("a" + kHyo + "b", buffer, sizeof buffer);
    EXPECT_STREQ(buffer, ("a" + kHyo).c_str());
    cp932.CopyToBuffer("", buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "");

    // Reading a caller's text stops one byte past what a cut needs.
    const char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(BoundedText(unterminated, 2), "abc");
    EXPECT_EQ(BoundedText("ab", 8), "ab");
    EXPECT_EQ(BoundedText(nullptr, 8), "");
}
}  // namespace
