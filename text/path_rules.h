#pragma once

#include <string>
#include <string_view>

class TextServices;

// How the browser and the command line turn paths into search patterns,
// folders and start paths. The current folder comes in four forms, all accepted here: "c:\"
// at start-up, a drive root such as "D:\", a folder without a trailing
// backslash, and a bare drive such as "c:" after going up from a first-level
// folder.

// The item of the folder list that stands for the parent folder.
inline constexpr std::string_view kParentItem = "..";

// path + "*.*", with a backslash between when path does not end in one.
std::string FolderPattern(const TextServices& text, std::string_view path);

// path + "*." + extension, with a backslash between when path does not end
// in one. Wildcards in the extension reach the search as typed; "*" lists
// every file.
std::string FilePattern(const TextServices& text, std::string_view path, std::string_view extension);

// The folder reached from `path` by choosing `item` in the folder list: the
// item's folder inside path, or for ".." the parent. Going up from a
// first-level folder leaves the bare drive ("c:"); at a root, or at the share
// of a network path ("\\server\share"), there is nothing above, and the path
// stays. Paths are UTF-8, of any length.
std::string OpenFolder(const TextServices& text, std::string_view path, std::string_view item);

// The folder that holds the file at `path`, as the browser opens it: a drive
// root keeps its backslash ("C:\").
std::string FolderOf(const TextServices& text, std::string_view path);

// A to Z in either case.
bool IsDriveLetter(char c);

// A full path as the browser and the listing start from it: an upper-case
// drive letter, no "\\?\" prefix, no trailing backslash except at a drive
// root ("C:\").
std::string StartPath(std::string_view fullPath);

// The name after the last "\", "/" or ":" of `path`: the whole of it without one.
std::string_view LastName(std::string_view path);

// Whether the last name of `path` is a device's (NUL, CON, PRN, AUX, COM1 to
// COM9, LPT1 to LPT9, CONIN$, CONOUT$), whatever its extension, case or
// trailing dots and blanks: the system opens the device, in any folder.
bool IsDeviceName(std::string_view path);

// `path` made full against `currentFolder` (a full path) exactly as written:
// "/" read as "\", empty names and "." dropped, ".." taking the name before
// it away (never the root: "C:", "\\server\share"), every other name kept
// as it is, trailing dots and blanks too. Empty for what it does not take:
// a drive-relative path ("C:x"), a "\\?\" or "\\.\" path, or a network
// path without its share.
std::string ExactFullPath(std::string_view path, std::string_view currentFolder);

// The help file in the working directory. The backslash is added even when
// the directory ends in one (a drive root).
std::string HelpFilePath(std::string_view workingDirectory);
