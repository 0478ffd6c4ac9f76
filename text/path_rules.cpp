#include "text/path_rules.h"

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

std::string HelpFilePath(std::string_view workingDirectory) {
    std::string path(workingDirectory);
    path += "\\help.hlp";
    return path;
}
