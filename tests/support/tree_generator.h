#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Receives a generated tree, parents before children; paths are relative to
// the tree's root folder.
class TreeSink {
public:
    virtual ~TreeSink() = default;
    virtual void AddFolder(std::string_view relative) = 0;
    virtual void AddFile(std::string_view relative, std::uint64_t size) = 0;
};

// `files` files in folders of `filesPerFolder`, ten folders to a level, three
// levels deep (100,000 files make 1,000 folders of files in 1,110 folders).
void GenerateDeepTree(std::size_t files, std::size_t filesPerFolder, TreeSink& sink);
// `files` files spread over 1,000 folders right below the root.
void GenerateWideTree(std::size_t files, TreeSink& sink);

// Beside a tree's folder, a file of its name with this ending says the tree
// is whole.
inline constexpr char kTreeMadeMarker[] = ".made";

// A tree the benchmark times, made below one base folder under `name`.
struct TreeSpec {
    const char* name;
    bool deep;
    std::size_t files;
};

// Deep and wide trees of 100,000 and 200,000 files, each pair in that order;
// with `smoke`, two tiny ones.
std::vector<TreeSpec> BenchmarkTrees(bool smoke);
// The scale figure's tree: 1,000 folders of 1,000 files.
inline constexpr TreeSpec kMillionTree{"wide-1000000", false, 1000000};
// The trees the stress runs contest and change; with `smoke`, a small one.
std::vector<TreeSpec> StressTrees(bool smoke);
void GenerateTree(const TreeSpec& tree, TreeSink& sink);
