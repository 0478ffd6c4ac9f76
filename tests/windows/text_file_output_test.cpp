// The file a one-shot transfer writes, at the edges of names: how the listing is encoded and that a file held open
// stays as it was are seen in e2e_command_line.txt.
#include "platform/win/text_file_output.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/win/find_file_search.h"
#include "platform/win/wide_text.h"
#include "tests/support/driver.h"

namespace {
const std::string kListing = "C:\\A\r\n1: a.txt\r\n";

bool Write(const std::string& path, const std::string& text = kListing) {
    TextFileOutput output(path, false);
    output.Append(text);
    return output.Finish();
}

std::string Contents(const std::string& path) {
    const UniqueFile file(
        ::CreateFileW(FileSystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes(4096, '\0');
    DWORD read = 0;
    ::ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &read, nullptr);
    return bytes.substr(0, read);
}

std::set<std::string> Names(const support::TestTree& tree) {
    std::set<std::string> names;
    FindFileSearch().Search(tree.PathOf("*"), [&](const FoundEntry& e) { names.emplace(e.name); });
    names.erase(".");
    names.erase("..");
    return names;
}

std::wstring FinalPath(const std::string& path) {
    const UniqueFile file(
        ::CreateFileW(FileSystemPath(path).c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::wstring final(MAX_PATH, L'\0');
    final.resize(::GetFinalPathNameByHandleW(file.get(), final.data(), MAX_PATH, VOLUME_NAME_DOS));
    return final;
}

// A name may have 255 characters: no room for the old temporary, the target's name with a suffix.
TEST(TextFileOutputTest, ReplacesAFileOfTheLongestNameAndLeavesNoTemporaryWhetherItSucceedsOrNot) {
    const support::TestTree tree("listora-out");
    const std::string longest = std::string(251, 'n') + ".txt";
    tree.AddFile(longest, 3);
    tree.AddFolder("folder");
    ASSERT_TRUE(Write(tree.PathOf(longest)));
    EXPECT_EQ(Contents(tree.PathOf(longest)), kListing);
    EXPECT_FALSE(Write(tree.PathOf("folder")));
    EXPECT_EQ(Names(tree), (std::set<std::string>{longest, "folder"}));
}

// With a console of the test's own (the one it inherits may not open), so that the refusal is the writer's.
TEST(TextFileOutputTest, WritesToNulInAnyFolderAndRefusesTheConsole) {
    const support::TestTree tree("listora-out");
    ::FreeConsole();
    ASSERT_TRUE(::AllocConsole());
    EXPECT_TRUE(Write(tree.PathOf("NUL")));
    EXPECT_TRUE(Write(tree.PathOf("nul.txt")));
    EXPECT_FALSE(Write(tree.PathOf("CON")));
    EXPECT_FALSE(Write(tree.PathOf("conout$")));
    ::FreeConsole();
}

// The windows_link_tree fixture made listora-links\file\listing.txt a link to target.txt beside it.
TEST(TextFileOutputTest, ReplacesTheFileALinkLeadsToAndKeepsTheLink) {
    const std::string link = "C:\\listora-links\\file\\listing.txt", target = "C:\\listora-links\\file\\target.txt";
    ASSERT_TRUE(Write(target, "old"));
    ASSERT_TRUE(Write(link));
    EXPECT_EQ(Contents(target), kListing);
    EXPECT_EQ(FinalPath(link), FinalPath(target));
}
}  // namespace
