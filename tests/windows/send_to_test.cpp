// /sendto when the Send To folder takes only part of the set. What a shortcut holds is seen in windows_test.cpp.
#include <gtest/gtest.h>
#include <objbase.h>

#include "command_line/win/send_to_shortcuts.h"

namespace {
// A folder in the way of the second shortcut's name: the first is already saved anew, the third is left from an
// earlier /sendto. A partial set would pass for the whole in the menu, so neither may stay.
TEST(SendToShortcutsTest, ASecondShortcutThatCannotBeSavedLeavesNoneOfTheSet) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring folder = SendToFolder().value_or(L"");
    ASSERT_TRUE(AddSendToShortcuts());
    const std::wstring second = SendToShortcutPath(folder, 2);
    ASSERT_TRUE(::DeleteFileW(second.c_str()));
    ASSERT_TRUE(::CreateDirectoryW(second.c_str(), nullptr));
    EXPECT_FALSE(AddSendToShortcuts());
    EXPECT_EQ(::GetFileAttributesW(SendToShortcutPath(folder, 1).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesW(SendToShortcutPath(folder, 3).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(::RemoveDirectoryW(second.c_str()));
    ::CoUninitialize();
}
}  // namespace
