// make_tree BASE: writes the benchmark's trees below folder BASE (the Wine
// prefix's C:\listora-bench), each once. Made natively, because under Wine
// every new name costs a case-insensitive scan of its folder, and a folder of
// 200,000 files would take hours to fill.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/user_tree.h"
#include "tests/support/tree_generator.h"

namespace {
namespace fs = std::filesystem;

class FileTree : public TreeSink {
public:
    explicit FileTree(fs::path root) : m_root(std::move(root)) { fs::create_directories(m_root); }

    void AddFolder(std::string_view relative) override { fs::create_directory(Path(relative)); }
    void AddFile(std::string_view relative, std::uint64_t size) override {
        const fs::path path = Path(relative);
        std::ofstream{path};
        fs::resize_file(path, size);
    }

private:
    fs::path Path(std::string_view relative) const {
        std::string native(relative);
        for (char& c : native) {
            if (c == '\\') c = '/';
        }
        return m_root / native;
    }

    fs::path m_root;
};
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_tree BASE\n");
        return 2;
    }
    std::vector<TreeSpec> trees = BenchmarkTrees(false);
    trees.push_back(kMillionTree);
    for (const TreeSpec& stress : StressTrees(false)) trees.push_back(stress);
    trees.push_back(bench::kUserTree);
    for (const TreeSpec& tree : trees) {
        const fs::path root = fs::path(argv[1]) / tree.name;
        const fs::path done = fs::path(argv[1]) / (std::string(tree.name) + kTreeMadeMarker);
        if (fs::exists(done)) continue;
        std::printf("making %s (%zu files)\n", root.c_str(), tree.files);
        fs::remove_all(root);
        FileTree files(root);
        if (std::string_view(tree.name) == bench::kUserTree.name) {
            bench::GenerateUserTree(files);
        } else {
            GenerateTree(tree, files);
        }
        std::ofstream{done};
    }
    return 0;
}
