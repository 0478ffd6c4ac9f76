#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/directory_search.h"
#include "engine/sorted_path_list.h"

class ProgressSink;
class StringOrdering;
class TextServices;

// The start folder of a run as CollectFolders saw it.
struct StartFolder {
    int depth = 0;           // separators in the start path, less a trailing one
    std::string text;        // without trailing separator ("C:" for a drive root)
    std::string normalised;  // with exactly one trailing separator
};

// Decides which folders and files a transfer covers: the sorted folders of
// the run, the sorted files of one folder, the sorted children of one folder.
class FolderCollector {
public:
    // Paths are UTF-8 and may be of any length; `text` is the UTF-8 services.
    // `searchProgress`, when given, hears of every folder a walk searches.
    FolderCollector(DirectorySearch& search, const StringOrdering& ordering, const TextServices& text,
                    ProgressSink* searchProgress = nullptr);

    void AddBackslash(std::string& path) const;
    void RemoveBackslash(std::string& path) const;
    // C: and C:\ have depth 0, C:\Work and C:\Work\ depth 1.
    int CountDepth(std::string_view path) const;

    // Adds to `target` every folder below `folder` whose depth less
    // `baseDepth` is at most `maximum`, descending only into folders it adds,
    // then sorts `target`. A link that leads back to a folder of the walk is
    // listed but not entered again.
    void WalkFolders(SortedPathList& target, std::string_view folder, int maximum, int baseDepth);
    // Resets CollectedFolders to the start folder and, with `subFolders`, the
    // folders down to `subFolderDepth` levels below it. With `extension` "*"
    // the walk's search of a folder ("*.*") is exactly the search FillFileList
    // would make, so the files it sees are kept for FillFileList instead of
    // reading every folder twice.
    StartFolder CollectFolders(std::string_view startPath, bool subFolders, std::int32_t subFolderDepth,
                               std::string_view extension = {});
    // From now on hidden and system files and folders are left out, and so
    // is everything below such a folder; a start folder is never left out.
    void SkipHidden(bool skip) { m_skipHidden = skip; }
    // Resets ChildFolders to the folders directly below `folder`.
    void ListChildFolders(std::string_view folder);
    // Adds the files of CollectedFolders[index] that match "*." + extension to
    // FolderFiles, with their sizes; FolderFiles is not reset first.
    void FillFileList(std::size_t index, std::string_view extension);

    const SortedPathList& CollectedFolders() const { return m_collected; }
    SortedPathList& FolderFiles() { return m_files; }
    const SortedPathList& ChildFolders() const { return m_children; }
    // Every folder a search could not read since this collector was made,
    // once each, in the order met (no trailing separator): the listing lacks
    // what they hold.
    const std::vector<std::string>& UnreadableFolders() const { return m_unreadable; }

private:
    // A folder on the way down from where a walk started; its identity is
    // asked for only when a link turns up below it.
    struct Ancestor {
        std::size_t length;  // of its path, a prefix of the walk's path buffer
        std::optional<FolderIdentity> identity;
        bool identified;
    };

    // Files seen by the collecting walk: one range of m_seen per folder.
    struct SeenRange {
        std::size_t first;
        std::size_t count;
    };

    // A sub-folder a search found, to be walked after it.
    struct Child {
        std::string name;
        bool isLink;
    };
    // Adds the sub-folders of `folder` (with its trailing separator) to
    // `target` and gives those to walk next; keeps its files when asked to.
    std::vector<Child> SearchFolder(SortedPathList& target, std::string& folder, int folderDepth, int maximum,
                                    int baseDepth);
    bool Skipped(const FoundEntry& entry) const { return m_skipHidden && (entry.isHidden || entry.isSystem); }
    // The search for the files of a collected folder (no trailing separator).
    static std::string FilePattern(std::string_view folder, std::string_view extension);
    bool LeadsBack(const std::string& link, std::vector<Ancestor>& ancestors);
    // Notes `folder` (with or without its trailing separator) when `result`
    // says it could not be read.
    void NoteResult(SearchResult result, std::string_view folder);

    DirectorySearch& m_search;
    ProgressSink* m_searchProgress;
    const TextServices& m_text;
    SortedPathList m_collected;
    SortedPathList m_files;
    SortedPathList m_children;
    bool m_keepFiles = false;
    bool m_skipHidden = false;
    // Each file the walk kept, as "\" and its name, sorted folder by folder
    // as soon as the folder is read: while the readers still read ahead.
    SortedPathList m_seen;
    std::string m_seenName = "\\";
    std::unordered_map<std::string, SeenRange> m_seenFolders;  // by folder path, no trailing separator
    std::vector<std::string> m_unreadable;
    std::unordered_set<std::string> m_unreadableSet;  // the same, to look up
};
