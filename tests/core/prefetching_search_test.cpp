// The read-ahead search over the plain search below it: the same answers, never read too far ahead.
#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <thread>

#include "engine/prefetching_search.h"
#include "tests/fakes/memory_directory_tree.h"

namespace {
using Lines = std::vector<std::string>;
using namespace std::chrono_literals;

constexpr unsigned kReaders = 2;
constexpr auto kSettle = 20ms;  // time enough for a reader to start a search it may start
constexpr auto kPatience = 10s;
constexpr auto kQuiet = 250ms;  // a count that does not change for so long has stopped, even on a busy machine
constexpr std::size_t kNameBytes = 64;
constexpr std::string_view kThrowing = "Throws\\*.*";

// Every folder holds `files` files, each name kNameBytes long; the search of kThrowing throws as an allocation that
// fails does.
struct ManyNames : DirectorySearch {
    explicit ManyNames(std::size_t count) : files(count) {}
    SearchResult Search(const std::string& pattern, const Visitor& found) override {
        ++searches;
        if (pattern == kThrowing) throw std::bad_alloc();
        const std::size_t together = ++atOnce;
        for (std::size_t most = mostAtOnce; most < together && !mostAtOnce.compare_exchange_weak(most, together);) {
        }
        std::this_thread::sleep_for(pause);
        --atOnce;
        const std::string name(kNameBytes, 'n');
        for (std::size_t i = 0; i < files; ++i) {
            found({name});
            reported += name.size();
        }
        return SearchResult::Found;
    }
    std::optional<FolderIdentity> IdentifyFolder(const std::string&) override { return std::nullopt; }
    const std::size_t files;
    std::atomic<std::size_t> searches = 0;  // begun, from any thread
    std::atomic<std::size_t> reported = 0;  // bytes of the names the visitors took
    std::chrono::milliseconds pause{};      // how long each search takes
    std::atomic<std::size_t> atOnce = 0;    // searches going on
    std::atomic<std::size_t> mostAtOnce = 0;
};

// `count` once it has reached `least` (or after a long wait) and stopped changing.
std::size_t Settled(const std::atomic<std::size_t>& count, std::size_t least) {
    for (auto waited = 0ms; count < least && waited < kPatience; waited += kSettle)
        std::this_thread::sleep_for(kSettle);
    std::size_t seen = 0;
    do {
        seen = count;
        std::this_thread::sleep_for(kQuiet);
    } while (seen != count);
    return seen;
}

std::size_t EntriesOf(DirectorySearch& search, const std::string& pattern) {
    std::size_t entries = 0;
    search.Search(pattern, [&](const FoundEntry&) { ++entries; });
    return entries;
}

// The searches made in `tree` once there are `count` (or after a long wait) and have settled.
std::size_t SearchesMade(MemoryDirectoryTree& tree, std::size_t count) {
    for (auto waited = 0ms; waited < kPatience; waited += kSettle) {
        std::this_thread::sleep_for(kSettle);
        const std::lock_guard lock(tree.searchesMutex);
        if (tree.searches.size() >= count) break;
    }
    std::this_thread::sleep_for(kSettle);
    const std::lock_guard lock(tree.searchesMutex);
    return tree.searches.size();
}

// One search's answer: each entry as reported, in order, then the search's result.
std::string Answer(DirectorySearch& search, const std::string& pattern) {
    std::string answer;
    const SearchResult result = search.Search(pattern, [&](const FoundEntry& entry) {
        answer += std::string(entry.name) + (entry.isDirectory ? " folder" : "") + (entry.isLink ? " link" : "");
        answer += " " + std::to_string(entry.size) + "\n";
    });
    return answer + "result " + std::to_string(static_cast<int>(result));
}

TEST(PrefetchingSearchTest, AnswersAsThePlainSearchFromWhatItReadAhead) {
    MemoryDirectoryTree tree;
    tree.AddFile("C:\\W\\b.txt", 7);
    tree.AddFile("C:\\W\\a.doc", 12);
    tree.AddFile("C:\\W\\Sub\\c.txt", 3);
    tree.AddLink("C:\\W\\up", "C:\\");
    tree.DenyAccess("C:\\W\\Locked");
    const Lines patterns = {"C:\\W\\*.*",         "C:\\W\\*.txt",  "C:\\W\\Sub\\*.*",
                            "C:\\W\\Locked\\*.*", "C:\\None\\*.*", "C:\\W\\*.none"};
    Lines plain;
    for (const std::string& pattern : patterns) plain.push_back(Answer(tree, pattern));
    tree.searches.clear();
    PrefetchingSearch prefetching(tree, kReaders);
    prefetching.Prefetch(patterns);
    prefetching.Prefetch(patterns);  // announced again, read once
    ASSERT_EQ(SearchesMade(tree, patterns.size()), patterns.size());
    Lines answers;
    for (const std::string& pattern : patterns) answers.push_back(Answer(prefetching, pattern));
    EXPECT_EQ(answers, plain);
    EXPECT_EQ(SearchesMade(tree, patterns.size()), patterns.size());  // none searched again
}

// Each reader takes a folder of its own while the others read theirs.
TEST(PrefetchingSearchTest, ReadsOnEveryReaderAtOnce) {
    ManyNames search(1);
    search.pause = kQuiet;
    PrefetchingSearch prefetching(search, kReaders);
    prefetching.Prefetch({"A\\*.*", "B\\*.*", "C\\*.*"});
    Settled(search.searches, kReaders);
    EXPECT_EQ(search.mostAtOnce, kReaders);
}

// Names read ahead and not yet asked for stay within 8 MiB with their records, also in the middle of a folder: its
// reader waits there until the walk asks for what was read, and the folder is then answered whole.
TEST(PrefetchingSearchTest, HoldsAtMostEightMiBAhead) {
    constexpr std::size_t kEightMiB = std::size_t{8} << 20;
    constexpr std::size_t kFolderBytes = std::size_t{5} << 20;  // of names: two folders are more than the bound
    ManyNames search(kFolderBytes / kNameBytes);
    PrefetchingSearch prefetching(search, kReaders);
    const Lines patterns = {"A\\*.*", "B\\*.*", "C\\*.*"};
    prefetching.Prefetch(patterns);
    const std::size_t ahead = Settled(search.reported, kFolderBytes);
    EXPECT_GE(ahead, kFolderBytes);
    EXPECT_LE(ahead, kEightMiB);
    EXPECT_EQ(EntriesOf(prefetching, patterns[0]), search.files);
    EXPECT_GT(Settled(search.reported, ahead + 1), ahead);  // room made by the answer taken
    EXPECT_EQ(EntriesOf(prefetching, patterns[1]), search.files);
}

// What a finished folder did not use goes back to the bound when it is taken: the next folder announced is read
// ahead again.
TEST(PrefetchingSearchTest, ReadsAheadAgainOnceWhatWasReadIsTaken) {
    ManyNames search(1);
    PrefetchingSearch prefetching(search, kReaders);
    prefetching.Prefetch({"A\\*.*"});
    ASSERT_EQ(Settled(search.searches, 1), 1u);
    EXPECT_EQ(EntriesOf(prefetching, "A\\*.*"), search.files);
    prefetching.Prefetch({"B\\*.*"});
    EXPECT_EQ(Settled(search.searches, 2), 2u);
}

// A search that throws on a reader's thread throws on the walk's when the walk asks for it; the rest are answered.
TEST(PrefetchingSearchTest, AReadersExceptionIsThrownWhereItsSearchIsAskedFor) {
    ManyNames search(1);
    PrefetchingSearch prefetching(search, kReaders);
    const Lines patterns = {"A\\*.*", std::string(kThrowing), "C\\*.*"};
    prefetching.Prefetch(patterns);
    // All made by the readers.
    ASSERT_EQ(Settled(search.searches, patterns.size()), patterns.size());
    EXPECT_EQ(EntriesOf(prefetching, patterns[0]), search.files);
    EXPECT_THROW(EntriesOf(prefetching, patterns[1]), std::bad_alloc);
    EXPECT_EQ(EntriesOf(prefetching, patterns[2]), search.files);
}
}  // namespace
