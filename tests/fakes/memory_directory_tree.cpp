#include "tests/fakes/memory_directory_tree.h"

namespace {
// The path split at its separators; empty parts (a trailing "\") are dropped.
std::vector<std::string> SplitPath(std::string_view path, const TextServices& text) {
    std::vector<std::string> parts(1);
    for (std::size_t pos = 0; pos < path.size();) {
        const std::size_t length = text.CharLength(path, pos);
        if (length == 1 && path[pos] == '\\') {
            parts.emplace_back();
        } else {
            parts.back().append(path.substr(pos, length));
        }
        pos += length;
    }
    std::erase_if(parts, [](const std::string& part) { return part.empty(); });
    return parts;
}

bool SameName(std::string a, std::string b, const TextServices& text) {
    text.MakeLowerAscii(a);
    text.MakeLowerAscii(b);
    return a == b;
}

bool Matches(std::string_view pattern, std::string_view name, const TextServices& text) {
    if (pattern.empty()) return name.empty();
    if (pattern[0] == '*') {
        for (std::size_t pos = 0;; pos += text.CharLength(name, pos)) {
            if (Matches(pattern.substr(1), name.substr(pos), text)) return true;
            if (pos >= name.size()) return false;
        }
    }
    if (name.empty()) return false;
    const std::size_t patternLength = text.CharLength(pattern, 0);
    const std::size_t nameLength = text.CharLength(name, 0);
    if (pattern[0] != '?' && !SameName(std::string(pattern.substr(0, patternLength)), std::string(name.substr(0, nameLength)), text)) {
        return false;
    }
    return Matches(pattern.substr(patternLength), name.substr(nameLength), text);
}
}  // namespace

bool MatchesSearchPattern(std::string_view pattern, std::string_view name, const TextServices& text) {
    return pattern == "*.*" || Matches(pattern, name, text);
}

struct MemoryDirectoryTree::Node {
    std::string name;
    bool directory = false;
    std::uint64_t size = 0;
    std::uint64_t index = 0;
    bool denied = false;
    Node* link = nullptr;  // the folder a link shows
    std::vector<std::unique_ptr<Node>> children;

    Node* Shown() { return link ? link : this; }
};

MemoryDirectoryTree::MemoryDirectoryTree() = default;
MemoryDirectoryTree::~MemoryDirectoryTree() = default;

MemoryDirectoryTree::Node* MemoryDirectoryTree::Find(std::string_view path) {
    const std::vector<std::string> parts = SplitPath(path, m_text);
    if (parts.empty()) return nullptr;
    Node* node = nullptr;
    for (const auto& drive : m_drives) {
        if (SameName(drive->name, parts[0], m_text)) node = drive.get();
    }
    for (std::size_t i = 1; node && i < parts.size(); ++i) {
        Node* parent = node->Shown();
        node = nullptr;
        for (const auto& child : parent->children) {
            if (SameName(child->name, parts[i], m_text)) node = child.get();
        }
    }
    return node;
}

MemoryDirectoryTree::Node* MemoryDirectoryTree::Make(std::string_view path, bool directory) {
    if (Node* existing = Find(path)) return existing;
    const std::size_t separator = m_text.FindLastSeparator(path);
    auto node = std::make_unique<Node>();
    node->directory = directory;
    node->index = m_nextIndex++;
    Node* made = node.get();
    if (separator == std::string_view::npos) {
        node->name = path;
        m_drives.push_back(std::move(node));
    } else {
        node->name = path.substr(separator + 1);
        Make(path.substr(0, separator), true)->Shown()->children.push_back(std::move(node));
    }
    return made;
}

void MemoryDirectoryTree::AddFolder(std::string_view path) { Make(path, true); }

void MemoryDirectoryTree::AddFile(std::string_view path, std::uint64_t size) { Make(path, false)->size = size; }

void MemoryDirectoryTree::AddLink(std::string_view path, std::string_view target) {
    Node* shown = Make(target, true);
    Make(path, true)->link = shown;
}

void MemoryDirectoryTree::DenyAccess(std::string_view folder) { Make(folder, true)->denied = true; }

bool MemoryDirectoryTree::Search(const std::string& pattern, const Visitor& found) {
    searches.push_back(pattern);
    const std::size_t separator = m_text.FindLastSeparator(pattern);
    if (separator == std::string::npos) return false;
    const std::string_view folderPath = std::string_view(pattern).substr(0, separator);
    const std::string_view namePattern = std::string_view(pattern).substr(separator + 1);
    Node* folder = Find(folderPath);
    if (!folder || !folder->directory || folder->Shown()->denied) return false;
    bool any = false;
    const auto report = [&](std::string_view name, const Node* node) {
        if (!MatchesSearchPattern(namePattern, name, m_text)) return;
        any = true;
        found({name, node->directory, node->link != nullptr, node->size});
    };
    const bool driveRoot = SplitPath(folderPath, m_text).size() == 1;
    if (!driveRoot) {
        report(".", folder);
        report("..", folder);
    }
    for (const auto& child : folder->Shown()->children) report(child->name, child.get());
    return any;
}

std::optional<FolderIdentity> MemoryDirectoryTree::IdentifyFolder(const std::string& path) {
    Node* node = Find(path);
    if (!node || !node->directory) return std::nullopt;
    return FolderIdentity{1, node->Shown()->index};
}
