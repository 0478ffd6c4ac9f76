// The tree a user timed Listora.exe with from outside: 1,000 folders d0000..d0999 right below the root, each with
// 100 files f000.txt..f099.txt of a few bytes. Made natively by make_tree, as the others are.
#pragma once

#include <cstdio>

#include "tests/support/tree_generator.h"

namespace bench {
inline constexpr TreeSpec kUserTree{"d1000x100", false, 100000};

inline void GenerateUserTree(TreeSink& sink) {
    char folder[8], file[24];
    for (int i = 0; i < 1000; ++i) {
        std::snprintf(folder, sizeof folder, "d%04d", i);
        sink.AddFolder(folder);
        for (int j = 0; j < 100; ++j) {
            std::snprintf(file, sizeof file, "%s\\f%03d.txt", folder, j);
            sink.AddFile(file, 5);
        }
    }
}
}  // namespace bench
