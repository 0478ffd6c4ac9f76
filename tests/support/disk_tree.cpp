#include "tests/support/disk_tree.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <cstring>

#include "platform/win/wide_text.h"
#include "platform/win/win_handles.h"

namespace {
bool MakeFolder(const std::string& path) {
    return CreateDirectoryW(FileSystemPath(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}
}  // namespace

DiskTree::DiskTree(std::string root) : m_root(std::move(root)) {
    if (!MakeFolder(m_root)) ++failures;
}

std::string DiskTree::Path(std::string_view relative) const { return m_root + "\\" + std::string(relative); }

void DiskTree::AddFolder(std::string_view relative) {
    if (!MakeFolder(Path(relative))) ++failures;
}

void DiskTree::AddFile(std::string_view relative, std::uint64_t size) {
    const UniqueFile file(CreateFileW(FileSystemPath(Path(relative)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    if (!file || !SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get())) ++failures;
}

bool EnsureTree(const std::string& base, const TreeSpec& tree) {
    const std::string root = base + "\\" + tree.name;
    const std::string made = root + kTreeMadeMarker;
    if (GetFileAttributesA(made.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    std::printf("making %s (%zu files)...\n", root.c_str(), tree.files);
    std::fflush(stdout);
    // Whatever an unfinished run left there goes first.
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    DiskTree disk(root);
    GenerateTree(tree, disk);
    if (disk.failures != 0) return false;
    const UniqueKernelHandle marker(
        CreateFileA(made.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return true;
}

std::size_t BareWalk(const std::string& folder) {
    WIN32_FIND_DATAA data;
    const UniqueFind search(FindFirstFileA((folder + "\\*.*").c_str(), &data));
    if (!search) return 0;
    std::size_t files = 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ++files;
        } else if (std::strcmp(data.cFileName, ".") != 0 && std::strcmp(data.cFileName, "..") != 0) {
            files += BareWalk(folder + "\\" + data.cFileName);
        }
    } while (FindNextFileA(search.get(), &data));
    return files;
}
