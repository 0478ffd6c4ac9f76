#pragma once

#include "engine/directory_search.h"

// Folder search with the wide FindFirstFileExW / FindNextFileW: names as
// UTF-8, exactly as the file system keeps them, under paths of any length.
// Folder identity from the volume serial number and file index of an opened
// folder handle.
class FindFileSearch : public DirectorySearch {
public:
    SearchResult Search(const std::string& pattern, const Visitor& found) override;
    std::optional<FolderIdentity> IdentifyFolder(const std::string& path) override;
};
