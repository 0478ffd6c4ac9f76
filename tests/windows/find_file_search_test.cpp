#include "platform/win/find_file_search.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "bench/disk_tree.h"
#include "engine/folder_collector.h"
#include "platform/win/list_box_ordering.h"
#include "platform/win/system_text_services.h"
#include "tests/fakes/memory_directory_tree.h"

namespace {
// cp932 names whose second byte is 0x5C, the value of '\\'.
const std::string kHyo = "\x95\x5C";  // U+8868 (hyo)
const std::string kSo = "\x83\x5C";   // U+30BD (katakana so)
const std::string kNo = "\x94\x5C";   // U+80FD (no)
const std::string kRoot = "C:\\listora-search";

std::vector<std::string> Strings(const SortedPathList& list) {
    std::vector<std::string> strings;
    for (std::size_t i = 0; i < list.Count(); ++i) strings.emplace_back(list.At(i));
    return strings;
}

struct FindFileSearchTest : ::testing::Test {
    static void SetUpTestSuite() {
        DiskTree disk(kRoot);
        disk.AddFolder("x.txt");
        disk.AddFolder(kHyo);
        disk.AddFolder(kHyo + "\\" + kNo);
        for (const std::string& file : {std::string("a.txt"), std::string("B.TXT"), std::string("c.log"), std::string("README"),
                                        kSo + ".txt", std::string("ab.txt"), kHyo + "\\" + kNo + ".txt"}) {
            disk.AddFile(file, 10);
        }
        // Past 4 GiB, sparse.
        disk.AddFile("big.dat", 5'000'000'000);
        ASSERT_EQ(disk.failures, 0);
    }

    std::map<std::string, FoundEntry> Found(const std::string& pattern, bool* started = nullptr) {
        std::map<std::string, FoundEntry> entries;
        const bool ok = search.Search(pattern, [&](const FoundEntry& entry) {
            FoundEntry copy = entry;
            copy.name = {};
            entries[std::string(entry.name)] = copy;
        });
        if (started) *started = ok;
        return entries;
    }

    FindFileSearch search;
};

TEST_F(FindFileSearchTest, ReportsLongNamesDirectoriesAndFullSizes) {
    bool started = false;
    auto entries = Found(kRoot + "\\*.*", &started);
    EXPECT_TRUE(started);
    EXPECT_TRUE(entries.count(".") && entries.count(".."));
    ASSERT_TRUE(entries.count(kHyo));
    EXPECT_TRUE(entries[kHyo].isDirectory);
    EXPECT_FALSE(entries[kHyo].isLink);
    EXPECT_TRUE(entries["x.txt"].isDirectory);
    EXPECT_FALSE(entries["a.txt"].isDirectory);
    EXPECT_EQ(entries["a.txt"].size, 10u);
    EXPECT_EQ(entries["big.dat"].size, 5'000'000'000u);

    // A drive root has no "." and "..".
    entries = Found("C:\\*.*", &started);
    EXPECT_TRUE(started);
    EXPECT_FALSE(entries.count(".") || entries.count(".."));
    EXPECT_TRUE(entries.count("listora-search"));

    Found(kRoot + "\\missing\\*.*", &started);
    EXPECT_FALSE(started);
    Found(kRoot + "\\*.none", &started);
    EXPECT_FALSE(started);
}

// The in-memory tree of the core tests matches names as the real search does.
TEST_F(FindFileSearchTest, PatternsMatchAsTheInMemoryTreeAssumes) {
    std::set<std::string> names;
    for (const auto& [name, entry] : Found(kRoot + "\\*.*")) names.insert(name);
    const TextServices& text = SystemTextServices();
    for (const std::string& pattern :
         std::vector<std::string>{"*.*", "*", "*.txt", "*.TXT", "?.txt", "??.txt", "*" + kHyo, "b*", "*E", "*.l?g"}) {
        std::set<std::string> real;
        for (const auto& [name, entry] : Found(kRoot + "\\" + pattern)) real.insert(name);
        std::set<std::string> assumed;
        for (const std::string& name : names) {
            if (MatchesSearchPattern(pattern, name, text)) assumed.insert(name);
        }
        EXPECT_EQ(real, assumed) << pattern;
    }
}

TEST_F(FindFileSearchTest, CollectsFoldersWithDoubleByteNames) {
    const ListBoxOrdering ordering;
    FolderCollector collector(search, ordering, SystemTextServices());
    collector.CollectFolders(kRoot, true, 2);
    EXPECT_EQ(Strings(collector.CollectedFolders()),
              (std::vector<std::string>{kRoot, kRoot + "\\x.txt", kRoot + "\\" + kHyo, kRoot + "\\" + kHyo + "\\" + kNo}));
    collector.FolderFiles().Reset();
    collector.FillFileList(2, "txt");
    EXPECT_EQ(Strings(collector.FolderFiles()), std::vector<std::string>{kRoot + "\\" + kHyo + "\\" + kNo + ".txt"});
    collector.FolderFiles().Reset();
    collector.FillFileList(0, "txt");
    EXPECT_EQ(Strings(collector.FolderFiles()),
              (std::vector<std::string>{kRoot + "\\a.txt", kRoot + "\\ab.txt", kRoot + "\\B.TXT", kRoot + "\\" + kSo + ".txt"}));
}

// C:\listora-links\loop\inner\up leads back to loop. Wine cannot make links,
// so the build makes this one beside the prefix before the tests run.
TEST_F(FindFileSearchTest, LinksBackUpAreRecognisedAndNotWalkedAgain) {
    const std::string loop = "C:\\listora-links\\loop";
    auto entries = Found(loop + "\\inner\\*.*");
    if (!entries.count("up")) GTEST_SKIP() << "no link tree";
    EXPECT_TRUE(entries["up"].isDirectory);
    EXPECT_TRUE(entries["up"].isLink);
    const auto target = search.IdentifyFolder(loop + "\\inner\\up\\");
    ASSERT_TRUE(target);
    EXPECT_EQ(target, search.IdentifyFolder(loop + "\\"));
    EXPECT_NE(target, search.IdentifyFolder(loop + "\\inner"));
    EXPECT_FALSE(search.IdentifyFolder(loop + "\\missing"));

    const ListBoxOrdering ordering;
    FolderCollector collector(search, ordering, SystemTextServices());
    collector.CollectFolders(loop, true, 999999999);
    EXPECT_EQ(Strings(collector.CollectedFolders()), (std::vector<std::string>{loop, loop + "\\inner", loop + "\\inner\\up"}));
}
}  // namespace
