#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One entry that a folder search reports.
struct FoundEntry {
    std::string_view name;  // the long name
    bool isDirectory = false;
    // A link or junction: the folder it shows may lie elsewhere, even above it.
    bool isLink = false;
    std::uint64_t size = 0;
    bool isHidden = false;
    bool isSystem = false;
    // In 100-nanosecond steps since 1601-01-01 UTC, as the file system keeps it.
    std::uint64_t lastWrite = 0;
};

// Tells two folders apart even when they are reached under different paths.
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FolderIdentity&) const = default;
};

// How a search of one folder ended.
enum class SearchResult {
    Found,       // entries matched, and were reported
    NoMatch,     // the folder was read, and nothing in it matches
    Unreadable,  // the folder could not be read (no access, gone, a name the system refuses)
};

// The platform's pattern search in one folder: "*" matches any run of
// characters and "?" one, without regard to case, and "*.*" every name;
// "." and ".." come in every folder but a drive root.
class DirectorySearch {
public:
    using Visitor = std::function<void(const FoundEntry&)>;

    virtual ~DirectorySearch() = default;
    // Reports every entry that matches `pattern` (a folder path, "\", a name
    // pattern).
    virtual SearchResult Search(const std::string& pattern, const Visitor& found) = 0;
    // The identity of the folder at `path` (which may end with "\"), or none
    // when it cannot be told.
    virtual std::optional<FolderIdentity> IdentifyFolder(const std::string& path) = 0;
    // Announces searches that will come next, in the order they will come;
    // a search may use the time to read them ahead. Later announcements come
    // before earlier ones, as in a depth-first walk.
    virtual void Prefetch(const std::vector<std::string>& /*patterns*/) {}
};
