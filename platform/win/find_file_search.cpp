#include "platform/win/find_file_search.h"

#include <windows.h>

#include <cwchar>

#include "platform/win/wide_text.h"
#include "platform/win/win_handles.h"

SearchResult FindFileSearch::Search(const std::string& pattern, const Visitor& found) {
    WIN32_FIND_DATAW data;
    // The basic level leaves out the short names, which nothing here uses;
    // the large fetch reads a folder in fewer, bigger requests.
    const UniqueFind search(FindFirstFileExW(FileSystemPath(pattern).c_str(), FindExInfoBasic, &data,
                                             FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!search) {
        // Any other failure leaves the folder unread: no access, gone, or a
        // name the system refuses.
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES ? SearchResult::NoMatch
                                                                             : SearchResult::Unreadable;
    }
    std::string name;
    do {
        AssignUtf8FromUtf16(name, std::wstring_view(data.cFileName, wcsnlen(data.cFileName, MAX_PATH)));
        const DWORD attributes = data.dwFileAttributes;
        found({name, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0, (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0,
               (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow, (attributes & FILE_ATTRIBUTE_HIDDEN) != 0,
               (attributes & FILE_ATTRIBUTE_SYSTEM) != 0,
               (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime});
    } while (FindNextFileW(search.get(), &data));
    // A folder that fails part way (removed meanwhile) was not read whole.
    return GetLastError() == ERROR_NO_MORE_FILES ? SearchResult::Found : SearchResult::Unreadable;
}

std::optional<FolderIdentity> FindFileSearch::IdentifyFolder(const std::string& path) {
    // Opening a folder needs backup semantics; no access right is asked for.
    const UniqueFile folder(CreateFileW(FileSystemPath(path).c_str(), 0,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!folder || !GetFileInformationByHandle(folder.get(), &info)) return std::nullopt;
    return FolderIdentity{info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}
