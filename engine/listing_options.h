#pragma once

#include <cstdint>

// The forms of the folder names, while folder names are on. The fourth lists
// only the start folder's child folders: the sub-folder options play no part
// in it.
enum FolderOutputType : std::int32_t { kRelativePaths = 0, kFullHeaders = 1, kRelativeHeaders = 2, kFoldersOnly = 3 };

// The formatting options of one transfer, read from one preset right before
// the transfer runs (presets/ reads them). Flags hold 0 or 1; counts are stored as read (the
// composition bounds them).
struct ListingOptions {
    std::int32_t noExtension = 0;
    std::int32_t lowerCase = 0;
    std::int32_t reverse = 0;
    std::int32_t subFolders = 0;
    std::int32_t subFolderDepth = 0;
    std::int32_t folderNameOutput = 0;
    std::int32_t folderOutputType = 0;
    std::int32_t lineNumbers = 0;
    std::int32_t separatorType = 0;
    std::int32_t spacesBefore = 0;
    std::int32_t spacesAfter = 0;
    std::int32_t numberWidth = 0;
    std::int32_t zeroPad = 0;
    std::int32_t nextFolder = 0;
    std::int32_t fileSize = 0;
    // Each file's last-write time, local, at the start of its line.
    std::int32_t fileDate = 0;
    // Numbers in names by their value, as Explorer orders them.
    std::int32_t naturalOrder = 0;
    // Hidden and system files and folders left out, with all below them.
    std::int32_t skipHidden = 0;

    bool operator==(const ListingOptions&) const = default;
};

// The preset chosen by the main window's first two preset radio buttons
// (checked states as queried); the third button is never asked.
int PresetIndexFromRadios(bool firstChecked, bool secondChecked);
