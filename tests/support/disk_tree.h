#pragma once

#include <cstddef>
#include <string>

#include "tests/support/tree_generator.h"

// Writes a generated tree below a root folder: folders, and files of the
// generated sizes (sparse, so large trees cost little disk). Paths are UTF-8,
// of any length.
class DiskTree : public TreeSink {
public:
    // The folder above `root` must exist.
    explicit DiskTree(std::string root);

    void AddFolder(std::string_view relative) override;
    void AddFile(std::string_view relative, std::uint64_t size) override;

    // Files or folders that could not be made.
    int failures = 0;

private:
    std::string Path(std::string_view relative) const;

    std::string m_root;
};

// Makes `tree` below `base` unless it was made before (`make bench` makes the
// large ones from Linux, which is far quicker). False when it cannot be made.
bool EnsureTree(const std::string& base, const TreeSpec& tree);

// The least a listing can cost, and the benchmarks' baseline: a recursive
// FindFirstFileA walk of `folder` that looks at every entry. Counts the files.
std::size_t BareWalk(const std::string& folder);
