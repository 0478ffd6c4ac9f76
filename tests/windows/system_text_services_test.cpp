#include "platform/win/system_text_services.h"

#include <windows.h>

#include <gtest/gtest.h>

// The tests run with the Japanese locale: the program must see code page 932
// and its lead bytes, or every path with a 0x5C second byte would break.
TEST(SystemTextServicesTest, FollowsTheActiveCodePage) {
    ASSERT_EQ(GetACP(), 932u);
    const TextServices& text = SystemTextServices();
    EXPECT_TRUE(text.IsLeadByte(0x81));
    EXPECT_TRUE(text.IsLeadByte(0x95));
    EXPECT_TRUE(text.IsLeadByte(0xFC));
    EXPECT_FALSE(text.IsLeadByte(0x80));
    EXPECT_FALSE(text.IsLeadByte(0xA0));
    EXPECT_FALSE(text.IsLeadByte('\\'));
    EXPECT_EQ(text.FindLastSeparator("C:\\\x95\x5C"), 2u);
}
