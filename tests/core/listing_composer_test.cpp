#include "engine/listing_composer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "bench/tree_generator.h"
#include "engine/clipboard_accumulator.h"
#include "engine/folder_collector.h"
#include "engine/progress_sink.h"
#include "tests/fakes/case_insensitive_ordering.h"
#include "tests/fakes/memory_clipboard.h"
#include "tests/fakes/memory_directory_tree.h"

namespace {
// Records the status line; each item moves the clock on, so the clipboard
// is published in the middle of longer runs.
struct RecordingProgress : ProgressSink {
    explicit RecordingProgress(ManualClock& clock) : clock(clock) {}
    void ShowItem(std::string_view path) override {
        shown.emplace_back(path);
        clock.now += std::chrono::milliseconds(3);
    }
    void ShowSearch(std::string_view folder) override { searched.emplace_back(folder); }
    ManualClock& clock;
    std::vector<std::string> shown;
    std::vector<std::string> searched;
};

struct ListingComposerTest : ::testing::Test {
    // The tree of the worked examples.
    ListingComposerTest() {
        tree.AddFile("C:\\Work\\B.TXT", 56);
        tree.AddFolder("C:\\Work\\Sub\\Deep");
        tree.AddFile("C:\\Work\\a.txt", 1234);
        tree.AddFile("C:\\Work\\Empty\\notes.doc", 10);
        tree.AddFile("C:\\Work\\Sub\\c.txt", 7);
    }

    std::string Listing(std::string_view start, const std::function<void(ListingOptions&)>& set = {},
                        std::string_view extension = "txt") {
        ListingOptions options;
        if (set) set(options);
        clipboard.WriteByAnotherProgram("old text");
        composer.ComposeListing(start, extension, options);
        return clipboard.text.value_or("(no text)");
    }

    TextServices text = TextServices::Cp932();
    CaseInsensitiveOrdering ordering{text};
    MemoryDirectoryTree tree;
    FolderCollector collector{tree, ordering, text};
    MemoryClipboard clipboard;
    ManualClock clock;
    ClipboardAccumulator accumulator{clipboard, clock};
    RecordingProgress progress{clock};
    ListingComposer composer{collector, accumulator, progress, text};
};

struct Example {
    const char* name;
    std::function<void(ListingOptions&)> set;
    std::string lines;
};

TEST_F(ListingComposerTest, WorkedExamples) {
    const auto numbered = [](ListingOptions& o) {
        o.subFolders = 1, o.subFolderDepth = 1, o.folderNameOutput = 1, o.folderOutputType = 0;
        o.lineNumbers = 1, o.numberWidth = 3, o.zeroPad = 1, o.separatorType = 1, o.spacesAfter = 1;
    };
    const auto headers = [](int type) {
        return [type](ListingOptions& o) { o.subFolders = 1, o.subFolderDepth = 1, o.folderNameOutput = 1, o.folderOutputType = type; };
    };
    const std::vector<Example> examples = {
        {"all off", {}, "C:\\Work\\a.txt\r\nC:\\Work\\B.TXT\r\n\r\n"},
        {"type 0 numbered", numbered, "C:\\Work\r\n001: a.txt\r\n002: B.TXT\r\n\r\n\r\n\r\n003: Sub\\c.txt\r\n\r\n"},
        {"type 1", headers(1), "C:\\Work\r\na.txt\r\nB.TXT\r\n\r\n\r\nC:\\Work\\Empty\r\nC:\\Work\\Sub\r\nc.txt\r\n\r\n"},
        {"type 2", headers(2), "C:\\Work\r\n\r\na.txt\r\nB.TXT\r\n\r\n\r\nEmpty\r\n\\Sub\r\nc.txt\r\n\r\n"},
        {"type 3", headers(3), "C:\\Work\r\nEmpty\r\nSub\r\n"},
        {"type 3 without sub-folders", [](ListingOptions& o) { o.folderNameOutput = 1, o.folderOutputType = 3; },
         "C:\\Work\r\nEmpty\r\nSub\r\n"},
        {"next folder",
         [](ListingOptions& o) { o.folderNameOutput = 1, o.nextFolder = 1, o.subFolders = 1, o.subFolderDepth = 1; },
         "C:\\Work\r\na.txt\r\nB.TXT\r\n\r\n\r\n\r\nSub\\Deep\r\nSub\\c.txt\r\n\r\n"},
        {"sizes reversed",
         [](ListingOptions& o) { o.folderNameOutput = 1, o.folderOutputType = 1, o.fileSize = 1, o.reverse = 1; },
         "C:\\Work\r\n56Byte\t\tB.TXT\r\n1,234Byte\t\ta.txt\r\n\r\n"},
        {"blanks around a double bar",
         [](ListingOptions& o) { o.lineNumbers = 1, o.numberWidth = 2, o.separatorType = 5, o.spacesBefore = 1, o.spacesAfter = 2; },
         " 1 ||  C:\\Work\\a.txt\r\n 2 ||  C:\\Work\\B.TXT\r\n\r\n"},
        {"lower case without extension",
         [](ListingOptions& o) { o.folderNameOutput = 1, o.folderOutputType = 1, o.lowerCase = 1, o.noExtension = 1; },
         "c:\\work\r\na\r\nb\r\n\r\n"},
    };
    for (const Example& example : examples) {
        EXPECT_EQ(Listing("C:\\Work", example.set), example.lines) << example.name;
        EXPECT_EQ(Listing("C:\\Work\\", example.set), example.lines) << example.name << ", start with separator";
    }
}

TEST_F(ListingComposerTest, SizeTexts) {
    const std::vector<std::pair<std::uint64_t, std::string>> sizes = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {123456, "123,456"}, {1048576, "1,048,576"},
        {4294967296, "4,294,967,296"}, {18446744073709551615u, "18,446,744,073,709,551,615"}};
    for (const auto& [size, grouped] : sizes) {
        tree.AddFile("D:\\S\\f.txt", size);
        EXPECT_EQ(Listing("D:\\S", [](ListingOptions& o) { o.fileSize = 1; }), grouped + "Byte\t\tD:\\S\\f.txt\r\n\r\n");
    }
}

TEST_F(ListingComposerTest, LineNumberPrefixes) {
    for (int i = 1; i <= 100; ++i) tree.AddFile("D:\\Many\\f" + std::to_string(1000 + i) + ".txt");
    const auto line = [&](int number, const std::function<void(ListingOptions&)>& set) {
        const std::string listing = Listing("D:\\Many", [&](ListingOptions& o) {
            o.lineNumbers = 1;
            set(o);
        });
        std::size_t begin = 0;
        for (int i = 1; i < number; ++i) begin = listing.find("\r\n", begin) + 2;
        return listing.substr(begin, listing.find("\r\n", begin) - begin);
    };
    EXPECT_EQ(line(100, [](ListingOptions& o) { o.numberWidth = 2, o.separatorType = 5, o.spacesBefore = 1, o.spacesAfter = 2; }),
              "100 ||  D:\\Many\\f1100.txt");
    EXPECT_EQ(line(7, [](ListingOptions&) {}), "7D:\\Many\\f1007.txt");
    EXPECT_EQ(line(7, [](ListingOptions& o) { o.separatorType = 0, o.spacesBefore = 2, o.spacesAfter = 1; }), "7   D:\\Many\\f1007.txt");
    EXPECT_EQ(line(7, [](ListingOptions& o) { o.numberWidth = 4, o.zeroPad = 1, o.separatorType = 6; }), "0007-D:\\Many\\f1007.txt");
    EXPECT_EQ(line(8, [](ListingOptions& o) { o.separatorType = 2, o.folderNameOutput = 1; }), "7,f1007.txt");  // after the start line
    EXPECT_EQ(line(7, [](ListingOptions& o) { o.separatorType = 3; }), "7.D:\\Many\\f1007.txt");
    EXPECT_EQ(line(7, [](ListingOptions& o) { o.separatorType = 4; }), "7|D:\\Many\\f1007.txt");
    // Out of range: no separator; negative counts act as 0.
    EXPECT_EQ(line(7, [](ListingOptions& o) { o.separatorType = 7, o.spacesBefore = -5, o.numberWidth = -1; }), "7D:\\Many\\f1007.txt");
    EXPECT_EQ(line(7, [](ListingOptions& o) { o.separatorType = -1; }), "7D:\\Many\\f1007.txt");
    // Counts up to nine digits are held to the bound; nothing is cut.
    const std::string huge = line(7, [](ListingOptions& o) {
        o.numberWidth = 999999999, o.spacesBefore = 999999999, o.spacesAfter = 999999999, o.separatorType = 1;
    });
    const std::size_t bound = ListingComposer::kMaxCount;
    EXPECT_EQ(huge, std::string(bound - 1, ' ') + "7" + std::string(bound, ' ') + ":" + std::string(bound, ' ') + "D:\\Many\\f1007.txt");
}

TEST_F(ListingComposerTest, NumbersRunOnAcrossFoldersAndReverseOrder) {
    const std::string listing = Listing("C:\\Work", [](ListingOptions& o) {
        o.subFolders = 1, o.subFolderDepth = 1, o.lineNumbers = 1, o.reverse = 1, o.separatorType = 1;
    });
    EXPECT_EQ(listing, "1:C:\\Work\\B.TXT\r\n2:C:\\Work\\a.txt\r\n\r\n\r\n\r\n3:C:\\Work\\Sub\\c.txt\r\n\r\n");
}

TEST_F(ListingComposerTest, DriveRootAsStartFolder) {
    tree.AddFile("C:\\top.txt", 1);
    const auto type = [](int t) { return [t](ListingOptions& o) { o.folderNameOutput = 1, o.folderOutputType = t; }; };
    for (const char* start : {"C:", "C:\\"}) {
        EXPECT_EQ(Listing(start, type(0)), "C:\r\ntop.txt\r\n\r\n");
        EXPECT_EQ(Listing(start, type(1)), "C:\r\ntop.txt\r\n\r\n");
        EXPECT_EQ(Listing(start, type(2)), "C:\r\n\r\ntop.txt\r\n\r\n");
        EXPECT_EQ(Listing(start, [](ListingOptions& o) {
                      o.folderNameOutput = 1, o.folderOutputType = 2, o.subFolders = 1, o.subFolderDepth = 2;
                  }),
                  "C:\r\n\r\ntop.txt\r\n\r\n\\Work\r\na.txt\r\nB.TXT\r\n\r\n\r\nWork\\Empty\r\n\\Work\\Sub\r\nc.txt\r\n\r\n");
        EXPECT_EQ(Listing(start, [](ListingOptions& o) {
                      o.folderNameOutput = 1, o.folderOutputType = 2, o.nextFolder = 1;
                  }),
                  "C:\r\n\\Work\r\n\r\ntop.txt\r\n\r\n");
    }
}

TEST_F(ListingComposerTest, TextsThatAreNeverChanged) {
    // Without folder names the type is not looked at; an unknown type writes
    // the start line and full paths.
    EXPECT_EQ(Listing("C:\\Work", [](ListingOptions& o) { o.folderOutputType = 3; }), "C:\\Work\\a.txt\r\nC:\\Work\\B.TXT\r\n\r\n");
    EXPECT_EQ(Listing("C:\\Work", [](ListingOptions& o) { o.folderNameOutput = 1, o.folderOutputType = 9; }),
              "C:\\Work\r\nC:\\Work\\a.txt\r\nC:\\Work\\B.TXT\r\n\r\n");
    EXPECT_EQ(Listing("C:\\Work\\Sub\\Deep", [](ListingOptions& o) { o.folderNameOutput = 1, o.folderOutputType = 3; }),
              "C:\\Work\\Sub\\Deep\r\n");
    // The start line and next-folder lines keep their case; a double-byte
    // name keeps its bytes, a leading-dot name loses all of it.
    tree.AddFile("C:\\Work\\\x83\x41\x82\x60.TXT");
    tree.AddFile("C:\\Work\\.hidden");
    tree.AddFile("C:\\Work\\NoDot");
    EXPECT_EQ(Listing("C:\\Work", [](ListingOptions& o) {
                  o.folderNameOutput = 1, o.lowerCase = 1, o.noExtension = 1, o.nextFolder = 1;
              }, "*"),
              "C:\\Work\r\nEmpty\r\nSub\r\n\r\na\r\nb\r\nnodot\r\n\x83\x41\x82\x60\r\n\r\n");
}

TEST_F(ListingComposerTest, ProgressShowsEveryWrittenItemOnce) {
    Listing("C:\\Work", [](ListingOptions& o) { o.subFolders = 1, o.subFolderDepth = 5, o.nextFolder = 1, o.folderNameOutput = 1; });
    EXPECT_EQ(progress.shown, (std::vector<std::string>{"C:\\Work\\a.txt", "C:\\Work\\B.TXT", "C:\\Work\\Sub\\c.txt"}));
    progress.shown.clear();
    Listing("C:\\Work", [](ListingOptions& o) { o.folderNameOutput = 1, o.folderOutputType = 3; });
    EXPECT_EQ(progress.shown, (std::vector<std::string>{"C:\\Work\\Empty", "C:\\Work\\Sub"}));
}

TEST_F(ListingComposerTest, CollectionShowsEveryFolderItSearchesAndNothingElse) {
    FolderCollector reporting{tree, ordering, text, &progress};
    reporting.CollectFolders("C:\\Work\\", true, 2, "txt");
    std::sort(progress.searched.begin(), progress.searched.end());
    // Sub\Deep is collected, but nothing below it could be: it is not searched.
    EXPECT_EQ(progress.searched, (std::vector<std::string>{"C:\\Work", "C:\\Work\\Empty", "C:\\Work\\Sub"}));
    EXPECT_TRUE(progress.shown.empty());
    EXPECT_EQ(reporting.CollectedFolders().Count(), 4u);
}

// A generated tree: the plain listing names every generated file once, gives
// each folder block its closing empty line (two for a folder without files),
// and reaches the clipboard through prefixes of itself.
struct TreeRecorder : TreeSink {
    explicit TreeRecorder(MemoryDirectoryTree& tree) : tree(tree) {}
    void AddFolder(std::string_view relative) override {
        tree.AddFolder("E:\\T\\" + std::string(relative));
        ++folders;
    }
    void AddFile(std::string_view relative, std::uint64_t size) override {
        tree.AddFile("E:\\T\\" + std::string(relative), size);
        files.insert("E:\\T\\" + std::string(relative));
        foldersWithFiles.insert(std::string(relative.substr(0, relative.rfind('\\'))));
    }
    MemoryDirectoryTree& tree;
    std::multiset<std::string> files;
    std::set<std::string> foldersWithFiles;
    std::size_t folders = 1;  // the root
};

TEST_F(ListingComposerTest, GeneratedTreesAreListedWholeThroughGrowingPrefixes) {
    TreeRecorder recorder(tree);
    GenerateDeepTree(1200, 40, recorder);
    ASSERT_EQ(recorder.files.size(), 1200u);
    clipboard.published.clear();
    const std::string listing = Listing("E:\\T", [](ListingOptions& o) { o.subFolders = 1, o.subFolderDepth = 9; }, "*");

    std::multiset<std::string> lines;
    std::size_t emptyLines = 0;
    for (std::size_t begin = 0; begin < listing.size();) {
        const std::size_t end = listing.find("\r\n", begin);
        ASSERT_NE(end, std::string::npos);
        if (end == begin) {
            ++emptyLines;
        } else {
            lines.insert(listing.substr(begin, end - begin));
        }
        begin = end + 2;
    }
    EXPECT_EQ(lines, recorder.files);
    EXPECT_EQ(emptyLines, 2 * recorder.folders - recorder.foldersWithFiles.size());
    ASSERT_GE(clipboard.published.size(), 3u);
    for (const std::string& text : clipboard.published) EXPECT_EQ(listing.compare(0, text.size(), text), 0);
}
}  // namespace
