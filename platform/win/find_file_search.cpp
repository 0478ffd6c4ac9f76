#include "platform/win/find_file_search.h"

#include <windows.h>

#include <cstring>

#include "platform/win/win_handles.h"

bool FindFileSearch::Search(const std::string& pattern, const Visitor& found) {
    WIN32_FIND_DATAA data;
    const UniqueFind search(FindFirstFileA(pattern.c_str(), &data));
    if (!search) return false;
    do {
        found({std::string_view(data.cFileName, strnlen(data.cFileName, sizeof data.cFileName)),
               (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
               (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0,
               (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow});
    } while (FindNextFileA(search.get(), &data));
    return true;
}

std::optional<FolderIdentity> FindFileSearch::IdentifyFolder(const std::string& path) {
    // Opening a folder needs backup semantics; no access right is asked for.
    const UniqueFile folder(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!folder || !GetFileInformationByHandle(folder.get(), &info)) return std::nullopt;
    return FolderIdentity{info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}
