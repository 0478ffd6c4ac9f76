#pragma once

#include <map>
#include <mutex>
#include <vector>

#include "engine/directory_search.h"
#include "text/text_services.h"

// Drives, folders, files and links in memory, searched with the platform's
// pattern rules. A folder's entries come back in reverse order of their
// names, so only a caller that sorts lists them in order. Paths are UTF-8.
struct MemoryDirectoryTree : DirectorySearch {
    // Each adds the missing folders above it.
    void AddFolder(std::string_view path) { Key(path, true); }
    void AddFile(std::string_view path, std::uint64_t size = 0) { entries[Key(path, false)].size = size; }
    // A link at `path` that shows the folder `target`.
    void AddLink(std::string_view path, std::string_view target) { entries[Key(path, true)].link = Key(target, true); }
    // Searches inside the folder fail from now on.
    void DenyAccess(std::string_view folder) { entries[Key(folder, true)].denied = true; }

    SearchResult Search(const std::string& pattern, const Visitor& found) override;
    std::optional<FolderIdentity> IdentifyFolder(const std::string& path) override;
    // The key of the entry at `path`, links followed. With `directory` given
    // a missing entry is made, and the folders above it; else "" means none.
    std::string Key(std::string_view path, std::optional<bool> directory = std::nullopt);

    struct Entry {
        std::string name, link;  // a link's: the key of the folder it shows
        bool directory = false, denied = false, hidden = false, system = false;
        std::uint64_t size = 0, lastWrite = 0;
    };
    std::map<std::string, Entry> entries;  // by path, lower-cased
    std::vector<std::string> searches;     // every pattern searched, in order
    std::mutex searchesMutex;              // searches may come from several threads
    TextServices text = TextServices::Utf8();
};

// Whether `name` matches the search pattern `pattern` as the platform decides.
bool MatchesSearchPattern(std::string_view pattern, std::string_view name, const TextServices& text);
