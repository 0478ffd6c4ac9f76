// The read-ahead search over the plain search below it: the same answers, never read too far ahead.
#include <gtest/gtest.h>

#include <thread>

#include "engine/prefetching_search.h"
#include "tests/fakes/memory_directory_tree.h"

namespace {
using Lines = std::vector<std::string>;
using namespace std::chrono_literals;

constexpr unsigned kReaders = 2;
constexpr auto kSettle = 20ms;  // time enough for a reader to start a search it may start
constexpr auto kPatience = 10s;

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
    const bool searched = search.Search(pattern, [&](const FoundEntry& entry) {
        answer += std::string(entry.name) + (entry.isDirectory ? " folder" : "") + (entry.isLink ? " link" : "");
        answer += " " + std::to_string(entry.size) + "\n";
    });
    return answer + (searched ? "searched" : "not searched");
}

TEST(PrefetchingSearchTest, AnswersAsThePlainSearchFromWhatItReadAhead) {
    MemoryDirectoryTree tree;
    tree.AddFile("C:\\W\\b.txt", 7);
    tree.AddFile("C:\\W\\a.doc", 12);
    tree.AddFile("C:\\W\\Sub\\c.txt", 3);
    tree.AddLink("C:\\W\\up", "C:\\");
    tree.DenyAccess("C:\\W\\Locked");
    const Lines patterns = {"C:\\W\\*.*", "C:\\W\\*.txt", "C:\\W\\Sub\\*.*", "C:\\W\\Locked\\*.*", "C:\\None\\*.*"};
    Lines plain;
    for (const std::string& pattern : patterns) plain.push_back(Answer(tree, pattern));
    tree.searches.clear();
    PrefetchingSearch prefetching(tree, kReaders);
    prefetching.Prefetch(patterns);
    ASSERT_EQ(SearchesMade(tree, patterns.size()), patterns.size());
    Lines answers;
    for (const std::string& pattern : patterns) answers.push_back(Answer(prefetching, pattern));
    EXPECT_EQ(answers, plain);
    EXPECT_EQ(SearchesMade(tree, patterns.size()), patterns.size());  // none searched again
}

TEST(PrefetchingSearchTest, ReadsNoFurtherAheadThanItsBound) {
    constexpr std::size_t kBound = 2;
    MemoryDirectoryTree tree;
    const Lines patterns = {"A\\*.*", "B\\*.*", "C\\*.*", "D\\*.*"};
    // More readers than the bound: only the bound holds them back.
    PrefetchingSearch prefetching(tree, kReaders + kBound, kBound);
    prefetching.Prefetch(patterns);
    EXPECT_EQ(SearchesMade(tree, kBound), kBound);
    // An answer taken makes room for one more.
    Answer(prefetching, patterns.front());
    EXPECT_EQ(SearchesMade(tree, kBound + 1), kBound + 1);
}
}  // namespace
