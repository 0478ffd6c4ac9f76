#include "engine/folder_collector.h"

#include <algorithm>
#include <limits>

#include "engine/progress_sink.h"
#include "text/text_services.h"

FolderCollector::FolderCollector(DirectorySearch& search, const StringOrdering& ordering, const TextServices& text,
                                 ProgressSink* searchProgress)
    : m_search(search), m_searchProgress(searchProgress), m_text(text), m_collected(ordering), m_files(ordering),
      m_children(ordering), m_seen(ordering) {}

void FolderCollector::AddBackslash(std::string& path) const { m_text.AddBackslash(path); }

void FolderCollector::RemoveBackslash(std::string& path) const { m_text.RemoveBackslash(path); }

int FolderCollector::CountDepth(std::string_view path) const {
    const std::size_t separators = m_text.CountSeparators(path) - (m_text.EndsWithSeparator(path) ? 1 : 0);
    return static_cast<int>(std::min<std::size_t>(separators, std::numeric_limits<int>::max()));
}

void FolderCollector::WalkFolders(SortedPathList& target, std::string_view folder, int maximum, int baseDepth) {
    // One frame a level, on the heap: a tree thousands of levels deep must
    // not overflow the thread's stack.
    struct Frame {
        std::size_t length;  // of its path, with the separator
        int depth;
        std::vector<Child> below;
        std::size_t next = 0;
    };
    std::string path(folder);
    AddBackslash(path);
    std::vector<Ancestor> ancestors{{path.size(), std::nullopt, false}};
    std::vector<Frame> frames;
    const int depth = CountDepth(path);
    frames.push_back({path.size(), depth, SearchFolder(target, path, depth, maximum, baseDepth)});
    while (!frames.empty()) {
        Frame& frame = frames.back();
        if (frame.next == frame.below.size()) {
            frames.pop_back();
            ancestors.pop_back();
            continue;
        }
        const Child& child = frame.below[frame.next++];
        path.resize(frame.length);
        path += child.name;
        path += '\\';
        if (child.isLink && LeadsBack(path, ancestors)) continue;
        ancestors.push_back({path.size(), std::nullopt, false});
        const int childDepth = frame.depth + 1;
        std::vector<Child> below = SearchFolder(target, path, childDepth, maximum, baseDepth);
        frames.push_back({path.size(), childDepth, std::move(below)});
    }
    target.Sort();
}

std::vector<FolderCollector::Child> FolderCollector::SearchFolder(SortedPathList& target, std::string& folder,
                                                                  int folderDepth, int maximum, int baseDepth) {
    const int childLevel = folderDepth + 1 - baseDepth;
    // Nothing below this folder can be taken: spare the search.
    if (childLevel > maximum) return {};
    const bool descend = childLevel < maximum;
    const std::size_t length = folder.size();
    const std::size_t firstFile = m_seen.Count();
    // Sub-folders are walked after the search has ended, so that a folder's
    // kept files stay together and only one search is open at a time.
    std::vector<Child> below;
    if (m_searchProgress) m_searchProgress->ShowSearch(std::string_view(folder).substr(0, length - 1));
    const SearchResult result = m_search.Search(folder + "*.*", [&](const FoundEntry& entry) {
        if (Skipped(entry)) return;
        if (!entry.isDirectory) {
            if (m_keepFiles) {
                m_seenName.resize(1);
                m_seenName += entry.name;
                m_seen.Add(m_seenName, entry.size, entry.lastWrite);
            }
            return;
        }
        if (entry.name == "." || entry.name == "..") return;
        folder.resize(length);
        folder += entry.name;
        target.Add(folder);
        if (descend) below.push_back({std::string(entry.name), entry.isLink});
    });
    folder.resize(length);
    NoteResult(result, folder);
    if (m_keepFiles && result == SearchResult::Found) {
        std::string key = folder;
        RemoveBackslash(key);
        // Keyed from the "\" on, as FillFileList would key them.
        m_seen.Sort(0, firstFile);
        m_seenFolders[key] = {firstFile, m_seen.Count() - firstFile};
    }
    // The sub-folders are searched next, each before the folders below it:
    // announced, they may be read meanwhile. A link may turn out to lead
    // back, and is not announced.
    std::vector<std::string> next;
    for (const Child& child : below) {
        if (!child.isLink) next.push_back(folder + child.name + "\\*.*");
    }
    if (!next.empty()) m_search.Prefetch(next);
    return below;
}

bool FolderCollector::LeadsBack(const std::string& link, std::vector<Ancestor>& ancestors) {
    const std::optional<FolderIdentity> identity = m_search.IdentifyFolder(link);
    // A link whose target cannot be told might close a circle: not entered.
    if (!identity) return true;
    for (Ancestor& ancestor : ancestors) {
        if (!ancestor.identified) {
            ancestor.identity = m_search.IdentifyFolder(link.substr(0, ancestor.length));
            ancestor.identified = true;
        }
        if (ancestor.identity == identity) return true;
    }
    return false;
}

void FolderCollector::NoteResult(SearchResult result, std::string_view folder) {
    if (result != SearchResult::Unreadable) return;
    std::string path(folder);
    RemoveBackslash(path);
    if (m_unreadableSet.insert(path).second) m_unreadable.push_back(std::move(path));
}

StartFolder FolderCollector::CollectFolders(std::string_view startPath, bool subFolders, std::int32_t subFolderDepth,
                                            std::string_view extension) {
    StartFolder start;
    start.depth = CountDepth(startPath);
    start.normalised = startPath;
    AddBackslash(start.normalised);
    start.text = start.normalised;
    RemoveBackslash(start.text);
    m_collected.Reset();
    m_collected.Add(start.text);
    m_seen.Reset();
    m_seenFolders.clear();
    m_keepFiles = extension == "*";
    WalkFolders(m_collected, start.normalised, subFolders ? std::max(subFolderDepth, 0) : 0, start.depth);
    m_keepFiles = false;
    // Each folder's files are searched next, in this order, unless the walk
    // kept them.
    std::vector<std::string> next;
    for (std::size_t i = 0; i < m_collected.Count() && !extension.empty(); ++i) {
        const std::string_view folder = m_collected.At(i);
        if (extension != "*" || !m_seenFolders.contains(std::string(folder)))
            next.push_back(FilePattern(folder, extension));
    }
    if (!next.empty()) m_search.Prefetch(next);
    return start;
}

void FolderCollector::ListChildFolders(std::string_view folder) {
    m_children.Reset();
    WalkFolders(m_children, folder, 1, CountDepth(folder));
}

void FolderCollector::FillFileList(std::size_t index, std::string_view extension) {
    if (index >= m_collected.Count()) return;
    std::string path(m_collected.At(index));
    const auto seen = extension == "*" ? m_seenFolders.find(path) : m_seenFolders.end();
    const std::string pattern = FilePattern(path, extension);
    path += '\\';
    const std::size_t length = path.size();
    const bool alone = m_files.Count() == 0;
    if (seen != m_seenFolders.end()) {
        for (std::size_t i = seen->second.first; i < seen->second.first + seen->second.count; ++i) {
            path.resize(length);
            path += m_seen.At(i).substr(1);
            m_files.Add(path, m_seen.SizeAt(i), m_seen.LastWriteAt(i));
        }
        // The walk sorted them.
        if (alone) return;
    } else {
        const SearchResult result = m_search.Search(pattern, [&](const FoundEntry& entry) {
            if (entry.isDirectory || Skipped(entry)) return;
            path.resize(length);
            path += entry.name;
            m_files.Add(path, entry.size, entry.lastWrite);
        });
        NoteResult(result, m_collected.At(index));
    }
    // The files of one folder share its path, which their keys can leave out.
    m_files.Sort(alone ? length - 1 : 0);
}

std::string FolderCollector::FilePattern(std::string_view folder, std::string_view extension) {
    std::string pattern(folder);
    pattern += "\\*.";
    pattern += extension;
    return pattern;
}
