#pragma once

#include <string>

#include "bench/tree_generator.h"

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
