#pragma once

#include <string_view>

#include "command_line/command_line.h"

// What the command line asks of the program, done with the system's services.

// The exit codes of Listora.exe.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;  // the listing (or Send To, or the context menu) could not be written
inline constexpr int kExitBadArguments = 2;
inline constexpr int kExitIncomplete = 3;  // written, but some folders could not be read

// This process's command line (GetCommandLineW), read and checked before
// anything runs: each path made full (GetFullPathNameW, then as StartPath
// gives it) and found on disk, /out:'s file made full.
ParsedCommandLine ReadCommandLine(std::wstring_view commandLine);

// The usage, after the fault when there is one (no box with /quiet); the
// exit code.
int ShowUsage(const ParsedCommandLine& parsed);

// /1 to /3: one transfer, in one progress window, of each folder named (a
// file stands for its folder; a folder named twice is listed once, at its
// first place), to the clipboard or /out:'s file; the exit code. Folders
// that could not be read are said unless /quiet.
int RunOneShotTransfer(const CommandLine& line);

// /sendto and /sendto:remove; the exit code. A failure is said unless
// /quiet.
int ChangeSendTo(const CommandLine& line);

// /contextmenu and /contextmenu:remove; the exit code. A failure is said
// unless /quiet.
int ChangeContextMenu(const CommandLine& line);
