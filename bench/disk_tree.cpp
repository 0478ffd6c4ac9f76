#include "bench/disk_tree.h"

#include <windows.h>

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
