#include "engine/folder_collector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/fakes/case_insensitive_ordering.h"
#include "tests/fakes/memory_directory_tree.h"

namespace {
const std::string kHyo = "\x95\x5C";  // cp932 U+8868 (hyo): its second byte is '\\'

std::vector<std::string> Entries(const SortedPathList& list) {
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < list.Count(); ++i) entries.emplace_back(list.At(i));
    return entries;
}

struct FolderCollectorTest : ::testing::Test {
    std::vector<std::string> Collect(std::string_view start, bool subFolders, int depth) {
        collector.CollectFolders(start, subFolders, depth);
        return Entries(collector.CollectedFolders());
    }
    std::vector<std::string> Files(std::string_view start, std::string_view extension) {
        collector.CollectFolders(start, false, 0);
        collector.FolderFiles().Reset();
        collector.FillFileList(0, extension);
        return Entries(collector.FolderFiles());
    }

    TextServices text = TextServices::Cp932();
    CaseInsensitiveOrdering ordering{text};
    MemoryDirectoryTree tree;
    FolderCollector collector{tree, ordering, text};
};

TEST_F(FolderCollectorTest, DepthCountsSeparatorsLessATrailingOne) {
    EXPECT_EQ(collector.CountDepth("C:"), 0);
    EXPECT_EQ(collector.CountDepth("C:\\"), 0);
    EXPECT_EQ(collector.CountDepth("C:\\Work"), 1);
    EXPECT_EQ(collector.CountDepth("C:\\Work\\"), 1);
    EXPECT_EQ(collector.CountDepth("C:\\Work\\Sub"), 2);
    EXPECT_EQ(collector.CountDepth("C:\\" + kHyo), 1);
    EXPECT_EQ(collector.CountDepth("C:\\" + kHyo + "\\"), 1);
}

TEST_F(FolderCollectorTest, EveryFormOfTheStartPathGivesTheSameCollection) {
    tree.AddFolder("C:\\Work\\Sub");
    tree.AddFile("C:\\top.txt");
    EXPECT_EQ(Collect("C:\\", false, 5), std::vector<std::string>{"C:"});
    EXPECT_EQ(Collect("C:", false, 5), std::vector<std::string>{"C:"});
    EXPECT_EQ(Collect("C:", true, 1), (std::vector<std::string>{"C:", "C:\\Work"}));
    EXPECT_EQ(Collect("C:\\", true, 1), (std::vector<std::string>{"C:", "C:\\Work"}));
    EXPECT_EQ(Collect("C:\\Work\\", false, 1), std::vector<std::string>{"C:\\Work"});
    EXPECT_EQ(Collect("C:\\Work", true, 1), (std::vector<std::string>{"C:\\Work", "C:\\Work\\Sub"}));
    const StartFolder root = collector.CollectFolders("C:", false, 0);
    EXPECT_EQ(root.depth, 0);
    EXPECT_EQ(root.normalised, "C:\\");
    EXPECT_EQ(root.text, "C:");
    // The drive root has no "." or "..": the file search finds the file only.
    EXPECT_EQ(Files("C:\\", "*"), std::vector<std::string>{"C:\\top.txt"});
}

TEST_F(FolderCollectorTest, DepthLimitsWhatIsCollectedAndSearched) {
    tree.AddFolder("C:\\W\\A\\B\\C\\D");
    EXPECT_EQ(Collect("C:\\W", true, 0), std::vector<std::string>{"C:\\W"});
    EXPECT_EQ(Collect("C:\\W", true, 1), (std::vector<std::string>{"C:\\W", "C:\\W\\A"}));
    tree.searches.clear();
    EXPECT_EQ(Collect("C:\\W", true, 2), (std::vector<std::string>{"C:\\W", "C:\\W\\A", "C:\\W\\A\\B"}));
    // The grandchildren's own sub-folders are neither collected nor searched.
    EXPECT_EQ(tree.searches, (std::vector<std::string>{"C:\\W\\*.*", "C:\\W\\A\\*.*"}));
    EXPECT_EQ(Collect("C:\\W", true, 999999999).size(), 5u);
    EXPECT_EQ(Collect("C:\\W", true, -3), std::vector<std::string>{"C:\\W"});
    EXPECT_EQ(Collect("C:\\W", false, 3), std::vector<std::string>{"C:\\W"});
    collector.ListChildFolders("C:\\W\\A");
    EXPECT_EQ(Entries(collector.ChildFolders()), std::vector<std::string>{"C:\\W\\A\\B"});
}

TEST_F(FolderCollectorTest, ListsKeepTheSortedPathOrder) {
    // Added out of order; the blank sorts before the separator.
    tree.AddFolder("C:\\Data\\Work\\Sub");
    tree.AddFolder("C:\\Data\\Work A");
    tree.AddFolder("C:\\Data\\work_b");
    tree.AddFolder("C:\\Data\\Work");
    EXPECT_EQ(Collect("C:\\Data", true, 2),
              (std::vector<std::string>{"C:\\Data", "C:\\Data\\Work", "C:\\Data\\Work A", "C:\\Data\\Work\\Sub",
                                        "C:\\Data\\work_b"}));
    tree.AddFile("C:\\Data\\c.txt");
    tree.AddFile("C:\\Data\\B.TXT");
    tree.AddFile("C:\\Data\\a.txt");
    EXPECT_EQ(Files("C:\\Data", "txt"), (std::vector<std::string>{"C:\\Data\\a.txt", "C:\\Data\\B.TXT", "C:\\Data\\c.txt"}));
}

TEST_F(FolderCollectorTest, FilesMatchTheExtensionAndSkipFolders) {
    tree.AddFolder("C:\\W\\x.txt");
    tree.AddFile("C:\\W\\a.TXT", 5'000'000'000);
    tree.AddFile("C:\\W\\b.txt.bak");
    tree.AddFile("C:\\W\\README");
    tree.searches.clear();
    EXPECT_EQ(Files("C:\\W", "txt"), std::vector<std::string>{"C:\\W\\a.TXT"});
    EXPECT_EQ(tree.searches.back(), "C:\\W\\*.txt");
    EXPECT_EQ(collector.FolderFiles().SizeAt(0), 5'000'000'000u);
    EXPECT_EQ(Files("C:\\W", "*"), (std::vector<std::string>{"C:\\W\\a.TXT", "C:\\W\\b.txt.bak", "C:\\W\\README"}));
    // FillFileList adds to what is there.
    collector.FillFileList(0, "txt");
    EXPECT_EQ(collector.FolderFiles().Count(), 4u);
    collector.FillFileList(7, "txt");
    EXPECT_EQ(collector.FolderFiles().Count(), 4u);
}

TEST_F(FolderCollectorTest, AllFilesAreTakenFromTheCollectingWalk) {
    tree.AddFile("C:\\W\\b.txt", 2);
    tree.AddFile("C:\\W\\Sub\\a", 1);
    tree.AddFile("C:\\W\\Sub\\Deeper\\c.txt", 3);
    tree.AddFile("C:\\W\\A.txt", 4);
    std::vector<std::vector<std::string>> searched;
    for (const std::string_view extension : {"txt", "*"}) {
        collector.CollectFolders("C:\\W", true, 2, extension);
        const std::size_t searches = tree.searches.size();
        searched.emplace_back();
        for (std::size_t i = 0; i < collector.CollectedFolders().Count(); ++i) {
            collector.FolderFiles().Reset();
            collector.FillFileList(i, "*");
            for (const std::string& file : Entries(collector.FolderFiles())) searched.back().push_back(file);
        }
        // Deeper lies at the last level: the walk did not search it.
        EXPECT_EQ(tree.searches.size() - searches, extension == "*" ? 1u : 3u) << extension;
    }
    EXPECT_EQ(searched[0], searched[1]);
    EXPECT_EQ(searched[1], (std::vector<std::string>{"C:\\W\\A.txt", "C:\\W\\b.txt", "C:\\W\\Sub\\a", "C:\\W\\Sub\\Deeper\\c.txt"}));
    EXPECT_EQ(collector.FolderFiles().SizeAt(0), 3u);
}

TEST_F(FolderCollectorTest, DoubleByteNamesEndingInTheSeparatorByteAreOneLevel) {
    tree.AddFile("C:\\" + kHyo + "\\" + kHyo + ".txt");
    tree.AddFolder("C:\\" + kHyo + "\\" + kHyo);
    EXPECT_EQ(Collect("C:\\" + kHyo, true, 1),
              (std::vector<std::string>{"C:\\" + kHyo, "C:\\" + kHyo + "\\" + kHyo}));
    EXPECT_EQ(tree.searches.back(), "C:\\" + kHyo + "\\*.*");
    collector.FolderFiles().Reset();
    collector.FillFileList(0, "txt");
    EXPECT_EQ(Entries(collector.FolderFiles()), std::vector<std::string>{"C:\\" + kHyo + "\\" + kHyo + ".txt"});
}

TEST_F(FolderCollectorTest, UnreadableFoldersContributeNothing) {
    tree.AddFolder("C:\\W\\Locked\\Inside");
    tree.AddFile("C:\\W\\Locked\\secret.txt");
    tree.DenyAccess("C:\\W\\Locked");
    EXPECT_EQ(Collect("C:\\W", true, 5), (std::vector<std::string>{"C:\\W", "C:\\W\\Locked"}));
    collector.FolderFiles().Reset();
    collector.FillFileList(1, "*");
    EXPECT_EQ(collector.FolderFiles().Count(), 0u);
    EXPECT_EQ(Collect("C:\\Missing", true, 5), std::vector<std::string>{"C:\\Missing"});
}

TEST_F(FolderCollectorTest, PathsBeyondTheLimitAreSkippedWithTheirSubtree) {
    const std::string base = "C:\\W\\";
    const std::string longest = base + std::string(FolderCollector::kMaxFolderBytes - base.size(), 'f');
    const std::string tooLong = base + std::string(FolderCollector::kMaxFolderBytes - base.size() + 1, 'g');
    tree.AddFolder(longest);
    tree.AddFolder(tooLong + "\\x");
    tree.AddFile(longest + "\\" + std::string(kMaxPathBytes - longest.size() - 1, 'n'));
    tree.AddFile(longest + "\\" + std::string(kMaxPathBytes - longest.size(), 'm'));
    EXPECT_EQ(Collect("C:\\W", true, 5), (std::vector<std::string>{"C:\\W", longest}));
    collector.FolderFiles().Reset();
    collector.FillFileList(1, "*");
    ASSERT_EQ(collector.FolderFiles().Count(), 1u);
    EXPECT_EQ(collector.FolderFiles().At(0).size(), kMaxPathBytes);
}

TEST_F(FolderCollectorTest, LinksAreWalkedButNeverRoundACircle) {
    tree.AddFolder("C:\\W\\A\\B");
    tree.AddFolder("D:\\Shared\\Deep");
    tree.AddLink("C:\\W\\A\\B\\up1", "C:\\W\\A");
    tree.AddLink("C:\\W\\A\\B\\up2", "C:\\W");
    tree.AddLink("C:\\W\\shared", "D:\\Shared");
    tree.AddLink("C:\\W\\A\\root", "C:\\");
    const std::vector<std::string> folders = Collect("C:\\W", true, 999);
    // A link that leads elsewhere is walked like a folder of its own.
    EXPECT_NE(std::find(folders.begin(), folders.end(), "C:\\W\\shared\\Deep"), folders.end());
    // A link back up is listed, but not entered.
    EXPECT_NE(std::find(folders.begin(), folders.end(), "C:\\W\\A\\B\\up1"), folders.end());
    EXPECT_EQ(std::find(folders.begin(), folders.end(), "C:\\W\\A\\B\\up1\\B"), folders.end());
    // The drive root lies above the walk: entered once, the way back ends at
    // the next link that closes the circle.
    EXPECT_NE(std::find(folders.begin(), folders.end(), "C:\\W\\A\\root\\W"), folders.end());
    EXPECT_LT(folders.size(), 30u);
}
}  // namespace
