// The forms in which the file system is given a path: exact (the plain form's parser drops a trailing "." or " "
// from every name), a device by its plain name.
#include <gtest/gtest.h>

#include "platform/win/wide_text.h"

namespace {
TEST(FileSystemPathTest, FullPathsTakeTheExactFormDevicesAndOtherFormsStayPlain) {
    EXPECT_EQ(FileSystemPath("C:\\t1\\dir.\\*.*"), L"\\\\?\\C:\\t1\\dir.\\*.*");
    EXPECT_EQ(FileSystemPath("c:\\sp "), L"\\\\?\\c:\\sp ");
    EXPECT_EQ(FileSystemPath("\\\\srv\\share\\dir."), L"\\\\?\\UNC\\srv\\share\\dir.");
    EXPECT_EQ(FileSystemPath("\\\\?\\C:\\x"), L"\\\\?\\C:\\x");
    EXPECT_EQ(FileSystemPath("\\\\.\\pipe\\p"), L"\\\\.\\pipe\\p");
    EXPECT_EQ(FileSystemPath("C:\\t1\\NUL"), L"C:\\t1\\NUL");
    EXPECT_EQ(FileSystemPath("C:\\t1\\com1.txt"), L"C:\\t1\\com1.txt");
    EXPECT_EQ(FileSystemPath("C:"), L"C:");
}

TEST(FitsCodePageTest, OnlyTextTheCodePageHoldsExactlyFits) {
    EXPECT_TRUE(FitsCodePage(L"txt"));
    EXPECT_TRUE(FitsCodePage(L"\u8868"));   // 表
    EXPECT_FALSE(FitsCodePage(L"\u00E9"));  // é, which best fit would make "e"
    EXPECT_FALSE(FitsCodePage(L"\U00020BB7"));
}
}  // namespace
