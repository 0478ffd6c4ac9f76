#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/directory_search.h"
#include "text/text_services.h"

// Drives, folders, files and links in memory, searched with the platform's
// pattern rules. Entries come back in the order they were added, so tests
// see whether the caller sorts. Paths are cp932 bytes.
class MemoryDirectoryTree : public DirectorySearch {
public:
    MemoryDirectoryTree();
    ~MemoryDirectoryTree() override;

    // Each adds the missing folders above it.
    void AddFolder(std::string_view path);
    void AddFile(std::string_view path, std::uint64_t size = 0);
    // A link at `path` that shows the folder `target`.
    void AddLink(std::string_view path, std::string_view target);
    // Searches inside the folder fail from now on.
    void DenyAccess(std::string_view folder);

    bool Search(const std::string& pattern, const Visitor& found) override;
    std::optional<FolderIdentity> IdentifyFolder(const std::string& path) override;

    // Every pattern searched, in order.
    std::vector<std::string> searches;

private:
    struct Node;
    Node* Find(std::string_view path);
    Node* Make(std::string_view path, bool directory);

    TextServices m_text = TextServices::Cp932();
    std::vector<std::unique_ptr<Node>> m_drives;
    std::uint64_t m_nextIndex = 1;
};

// Whether `name` matches the search pattern `pattern` as the platform decides.
bool MatchesSearchPattern(std::string_view pattern, std::string_view name, const TextServices& text);
