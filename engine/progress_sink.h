#pragma once

#include <string_view>

// Where a run shows its progress. The run calls ShowItem once for every item
// it writes, with the item's full path, before the item's text.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Shows `path` in the status line and lets pending window messages through.
    virtual void ShowItem(std::string_view path) = 0;
    // Shows `folder` while the folders are collected, one call per folder
    // searched; a long collection must not freeze the window. The listing's
    // own progress is ShowItem alone, so by default this shows nothing.
    virtual void ShowSearch(std::string_view /*folder*/) {}
};
