#include "text/path_rules.h"

#include <algorithm>
#include <vector>

#include "text/text_services.h"

namespace {
std::string WithSeparator(const TextServices& text, std::string_view path) {
    std::string joined(path);
    text.AddBackslash(joined);
    return joined;
}
}  // namespace

std::string FolderPattern(const TextServices& text, std::string_view path) { return WithSeparator(text, path) + "*.*"; }

std::string FilePattern(const TextServices& text, std::string_view path, std::string_view extension) {
    std::string pattern = WithSeparator(text, path) + "*.";
    pattern += extension;
    return pattern;
}

std::string OpenFolder(const TextServices& text, std::string_view path, std::string_view item) {
    std::string next = WithSeparator(text, path);
    if (item == kParentItem) {
        // A share ("\\server\share\") is the root of its network path.
        if (next.starts_with("\\\\") && text.CountSeparators(next) <= 4) return std::string(path);
        // The separator before the trailing one ends the parent; with none
        // (a root) the path keeps its trailing backslash.
        const std::size_t parentEnd = text.FindLastSeparator(std::string_view(next).substr(0, next.size() - 1));
        if (parentEnd != std::string::npos) next.resize(parentEnd);
    } else {
        next += item;
    }
    return next;
}

std::string FolderOf(const TextServices& text, std::string_view path) {
    std::string folder(path);
    text.RemoveBackslash(folder);
    const std::size_t separator = text.FindLastSeparator(folder);
    if (separator != std::string::npos) folder.resize(separator);
    if (text.FindLastSeparator(folder) == std::string::npos) text.AddBackslash(folder);
    return folder;
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string StartPath(std::string_view fullPath) {
    // "\\?\UNC\server\share" is "\\server\share"; "\\?\C:\x" is "C:\x".
    const bool network = fullPath.starts_with("\\\\?\\UNC\\");
    std::string path(network ? 1 : 0, '\\');
    path += fullPath.substr(network ? 7 : fullPath.starts_with("\\\\?\\") ? 4 : 0);
    const bool drive = path.size() >= 2 && path[1] == ':' && IsDriveLetter(path[0]);
    if (drive && path[0] >= 'a') path[0] = static_cast<char>(path[0] - 'a' + 'A');
    // UTF-8 keeps every byte of a longer character at 0x80 and above, so a
    // last "\" is always a separator.
    while (path.ends_with('\\') && path.size() > (drive ? 3u : 1u)) path.pop_back();
    return path;
}

std::string_view LastName(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/:");
    return path.substr(separator == std::string_view::npos ? 0 : separator + 1);
}

bool IsDeviceName(std::string_view path) {
    std::string name(LastName(path));
    name = name.substr(0, name.find('.'));
    while (name.ends_with(' ')) name.pop_back();
    for (char& c : name) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (name == "NUL" || name == "CON" || name == "PRN" || name == "AUX" || name == "CONIN$" || name == "CONOUT$")
        return true;
    return name.size() == 4 && (name.starts_with("COM") || name.starts_with("LPT")) && name[3] >= '1' && name[3] <= '9';
}

namespace {
// The length of a full path's root: 2 for "C:", the whole "\\\\server\\share" of a
// network path; 0 for anything else.
std::size_t RootLength(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':' && IsDriveLetter(path[0])) return 2;
    if (!path.starts_with("\\\\") || path.size() < 3 || path[2] == '?' || path[2] == '.' || path[2] == '\\') return 0;
    const std::size_t server = path.find('\\', 2);
    if (server == std::string_view::npos || server + 1 == path.size() || path[server + 1] == '\\') return 0;
    return std::min(path.find('\\', server + 1), path.size());
}
}  // namespace

std::string ExactFullPath(std::string_view path, std::string_view currentFolder) {
    std::string text(path);
    std::replace(text.begin(), text.end(), '/', '\\');
    std::size_t root = RootLength(text);
    if (root == 0) {
        // Relative to the current folder, or with a leading "\\" to its root.
        const std::size_t currentRoot = RootLength(currentFolder);
        if (currentRoot == 0 || text.starts_with("\\\\")) return {};
        const bool fromRoot = text.starts_with('\\');
        text.insert(0,
                    fromRoot ? std::string(currentFolder.substr(0, currentRoot)) : std::string(currentFolder) + "\\");
        root = currentRoot;
    } else if (root == 2 && text.size() > 2 && text[2] != '\\') {
        return {};
    }
    std::vector<std::string_view> names;
    const std::string_view rest = std::string_view(text).substr(root);
    for (std::size_t at = 0; at <= rest.size();) {
        const std::size_t end = std::min(rest.find('\\', at), rest.size());
        const std::string_view name = rest.substr(at, end - at);
        if (name == "..") {
            if (!names.empty()) names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        at = end + 1;
    }
    std::string full = text.substr(0, root);
    for (const std::string_view name : names) {
        full += '\\';
        full += name;
    }
    if (names.empty()) full += '\\';
    return full;
}

std::string HelpFilePath(std::string_view workingDirectory) {
    std::string path(workingDirectory);
    path += "\\help.hlp";
    return path;
}
