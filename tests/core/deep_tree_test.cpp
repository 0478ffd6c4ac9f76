// A tree far deeper than a thread's stack would hold at a frame a level is collected whole. Names one letter long
// keep the paths' text (the sum of every folder's path) at 25 MB.
#include <gtest/gtest.h>
#include <pthread.h>

#include <algorithm>

#include "engine/folder_collector.h"
#include "tests/fakes/case_insensitive_ordering.h"

namespace {
constexpr int kLevels = 5000;
constexpr std::size_t kStackBytes = 256 * 1024;

// E:\T with one folder "d" in it, and in that, down to kLevels levels below E:\T.
struct Chain : DirectorySearch {
    SearchResult Search(const std::string& pattern, const Visitor& found) override {
        const auto level = std::ranges::count(pattern, '\\') - 2;
        if (level >= kLevels) return SearchResult::NoMatch;
        found({.name = "d", .isDirectory = true});
        return SearchResult::Found;
    }
    std::optional<FolderIdentity> IdentifyFolder(const std::string&) override { return std::nullopt; }
};

struct DeepWalk {
    static void* Run(void* self) {
        static_cast<DeepWalk*>(self)->collector.CollectFolders("E:\\T", true, kLevels);
        return nullptr;
    }

    Chain tree;
    TextServices text = TextServices::Utf8();
    CaseInsensitiveOrdering ordering{text};
    FolderCollector collector{tree, ordering, text};
};

TEST(DeepTreeTest, EveryLevelIsCollectedOnAQuarterMegabyteStack) {
    DeepWalk walk;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, kStackBytes);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attributes, DeepWalk::Run, &walk), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    std::string bottom = "E:\\T";
    for (int level = 0; level < kLevels; ++level) bottom += "\\d";
    const SortedPathList& collected = walk.collector.CollectedFolders();
    ASSERT_EQ(collected.Count(), static_cast<std::size_t>(kLevels + 1));
    EXPECT_EQ(collected.At(kLevels), bottom);
}
}  // namespace
