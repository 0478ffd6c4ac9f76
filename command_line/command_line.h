#pragma once

#include <string>
#include <string_view>
#include <vector>

// What Listora is asked to do when it starts. Without arguments it opens its
// window at "c:\" as always; the rest serves Explorer (a folder to open, the
// items of Send To and of its context menu) and scripts.
struct CommandLine {
    enum class Action {
        Window,             // the main window, at the path when one is given
        Transfer,           // /1 to /3: one transfer of the paths, no window
        AddSendTo,          // /sendto
        RemoveSendTo,       // /sendto:remove
        Usage,              // /?
        AddContextMenu,     // /contextmenu
        RemoveContextMenu,  // /contextmenu:remove
    };
    Action action = Action::Window;
    int preset = 0;  // 1 to 3 with Transfer
    // After /ext:, as given; empty for all files.
    std::string extension;
    // After /out:; empty for the clipboard.
    std::string outputFile;
    bool utf8 = false;
    // Read even when another argument is at fault.
    bool quiet = false;
    // The folders and files named, each mended by PathArgument.
    std::vector<std::string> paths;
};

// What is wrong with a command line; the argument at fault goes with it.
enum class CommandLineError {
    None,
    UnknownSwitch,
    RepeatedSwitch,  // a switch (or a second preset) given twice
    NeedsPreset,     // /ext:, /out: or /utf8 without /1 to /3
    BadPreset,       // a preset other than 1 to 3
    EmptyArgument,
    EmptyOutputFile,  // /out: with nothing after it
    NoPath,           // /1 to /3 with nothing to list
    TooManyPaths,     // the window opens at one path only
    NotAlone,         // /sendto or /contextmenu with something else
    // Found by the caller, which can look and knows the code page:
    PathNotFound,
    BadExtension,      // a character outside the code page or one of \ / : " < > |
    ExtensionTooLong,  // more than 8 bytes in the code page
};

struct ParsedCommandLine {
    CommandLine line;
    CommandLineError error = CommandLineError::None;
    std::string argument;
};

// The arguments after the program's name, split as the C runtime splits a
// command line: white space between arguments, double quotes around blanks,
// backslashes literal except before a double quote (2n backslashes and a
// quote give n and open or close a quoted part; 2n+1 give n and a quote),
// and "" inside quotes a quote. One exception: inside quotes, a single
// backslash before a quote that a blank or the end follows is a folder's
// last "\" and the quote closes it ("C:\dir\" /quiet is two arguments).
// Text is UTF-8.
std::vector<std::string> SplitArguments(std::string_view commandLine);

// Reads the switches (case-insensitive, starting with "/") and paths, and
// checks them all before anything runs: the first fault found is the answer.
// "/?" asks for the usage, whatever else is given.
ParsedCommandLine ParseArguments(const std::vector<std::string>& arguments);

// A path argument as the user meant it. Explorer quotes a root as "C:\",
// which the splitting above turns into C:" (a quote is never part of a
// name): a closing quote stands for the backslash. A bare drive ("C:") is
// its root, not the drive's current folder.
std::string PathArgument(std::string_view argument);
