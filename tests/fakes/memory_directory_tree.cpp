#include "tests/fakes/memory_directory_tree.h"

#include <functional>

namespace {
std::string Lower(std::string_view text, const TextServices& services) {
    std::string lowered(text);
    services.MakeLowerAscii(lowered);
    return lowered;
}
}  // namespace

bool MatchesSearchPattern(std::string_view pattern, std::string_view name, const TextServices& text) {
    if (pattern == "*.*") return true;  // every name, with a dot or without
    if (pattern.empty()) return name.empty();
    // "*" takes nothing, or one more character of the name.
    if (pattern[0] == '*') {
        return MatchesSearchPattern(pattern.substr(1), name, text) ||
               (!name.empty() && MatchesSearchPattern(pattern, name.substr(text.CharLength(name, 0)), text));
    }
    if (name.empty()) return false;
    const std::size_t n = text.CharLength(name, 0);
    // "?" takes one UTF-16 unit: a character beyond the basic plane (four UTF-8 bytes) takes "??".
    const std::size_t p = pattern[0] != '?' || n < 4 ? text.CharLength(pattern, 0) : pattern.starts_with("??") ? 2 : 0;
    return p > 0 && (pattern[0] == '?' || Lower(pattern.substr(0, p), text) == Lower(name.substr(0, n), text)) &&
           MatchesSearchPattern(pattern.substr(p), name.substr(n), text);
}

std::string MemoryDirectoryTree::Key(std::string_view path, std::optional<bool> directory) {
    std::string clean(path);
    text.RemoveBackslash(clean);
    const std::size_t cut = text.FindLastSeparator(clean);
    const std::string name = clean.substr(cut + 1);
    std::string key = Lower(name, text);
    if (cut != std::string::npos)
        key.insert(0, Key(clean.substr(0, cut), directory ? std::optional(true) : std::nullopt) + "\\");
    if (directory) entries.try_emplace(key, Entry{name, "", *directory, false, 0});
    const auto found = entries.find(key);
    return found == entries.end() ? "" : found->second.link.empty() ? key : found->second.link;
}

SearchResult MemoryDirectoryTree::Search(const std::string& pattern, const Visitor& found) {
    {
        const std::lock_guard lock(searchesMutex);
        searches.push_back(pattern);
    }
    const std::size_t cut = text.FindLastSeparator(pattern);
    const auto folder = entries.find(cut == std::string::npos ? "" : Key(pattern.substr(0, cut)));
    if (folder == entries.end() || !folder->second.directory || folder->second.denied) return SearchResult::Unreadable;
    bool any = false;
    const auto report = [&](const std::string& name, const Entry& entry) {
        if (!MatchesSearchPattern(std::string_view(pattern).substr(cut + 1), name, text)) return;
        any = true,
        found({name, entry.directory, !entry.link.empty(), entry.size, entry.hidden, entry.system, entry.lastWrite});
    };
    // A drive root has no "." and "..".
    if (text.FindLastSeparator(folder->first) != std::string::npos)
        report(".", folder->second), report("..", folder->second);
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (entry->first.starts_with(folder->first + "\\") &&
            text.FindLastSeparator(entry->first) == folder->first.size()) {
            report(entry->second.name, entry->second);
        }
    }
    return any ? SearchResult::Found : SearchResult::NoMatch;
}

std::optional<FolderIdentity> MemoryDirectoryTree::IdentifyFolder(const std::string& path) {
    const std::string key = Key(path);
    return key.empty() || !entries.at(key).directory ? std::nullopt
                                                     : std::optional(FolderIdentity{1, std::hash<std::string>{}(key)});
}
