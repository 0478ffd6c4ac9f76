#include "tests/support/tree_generator.h"

#include <cstdio>
#include <string>

namespace {
// Names in mixed case with several extensions, one without; sizes spread
// from empty files to a few megabytes.
void AddGeneratedFile(TreeSink& sink, const std::string& folder, std::size_t number) {
    static constexpr const char* kExtensions[] = {".txt", ".TXT", ".log", ".Data", ""};
    char name[48];
    std::snprintf(name, sizeof name, "%s_%06zu%s", number % 3 == 0 ? "Report" : "note", number,
                  kExtensions[number % 5]);
    const std::uint64_t size = number % 7 == 0 ? 0 : (number * 7919u) % 5000000u;
    sink.AddFile(folder.empty() ? std::string(name) : folder + "\\" + name, size);
}

std::string FolderName(std::size_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "Dir %02zu", index);
    return name;
}
}  // namespace

void GenerateDeepTree(std::size_t files, std::size_t filesPerFolder, TreeSink& sink) {
    if (filesPerFolder == 0) return;
    const std::size_t leaves = (files + filesPerFolder - 1) / filesPerFolder;
    std::size_t number = 0;
    for (std::size_t leaf = 0; leaf < leaves; ++leaf) {
        const std::string top = FolderName(leaf / 100);
        const std::string middle = top + "\\" + FolderName(leaf / 10 % 10);
        const std::string bottom = middle + "\\" + FolderName(leaf % 10);
        if (leaf % 100 == 0) sink.AddFolder(top);
        if (leaf % 10 == 0) sink.AddFolder(middle);
        sink.AddFolder(bottom);
        for (std::size_t i = 0; i < filesPerFolder && number < files; ++i) AddGeneratedFile(sink, bottom, number++);
    }
}

void GenerateWideTree(std::size_t files, TreeSink& sink) {
    constexpr std::size_t kFolders = 1000;
    for (std::size_t folder = 0; folder < kFolders; ++folder) {
        char name[32];
        std::snprintf(name, sizeof name, "Dir %03zu", folder);
        sink.AddFolder(name);
        for (std::size_t number = folder; number < files; number += kFolders) AddGeneratedFile(sink, name, number);
    }
}

std::vector<TreeSpec> BenchmarkTrees(bool smoke) {
    if (smoke) return {{"deep-300", true, 300}, {"wide-300", false, 300}};
    return {{"deep-100000", true, 100000},
            {"deep-200000", true, 200000},
            {"wide-100000", false, 100000},
            {"wide-200000", false, 200000}};
}

std::vector<TreeSpec> StressTrees(bool smoke) {
    if (smoke) return {{"stress-20000", true, 20000}};
    return {{"stress-100000", true, 100000}};
}

void GenerateTree(const TreeSpec& tree, TreeSink& sink) {
    if (tree.deep) {
        GenerateDeepTree(tree.files, 100, sink);
    } else {
        GenerateWideTree(tree.files, sink);
    }
}
