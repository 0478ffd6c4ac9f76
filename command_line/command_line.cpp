#include "command_line/command_line.h"

#include <algorithm>
#include <map>

#include "presets/preset_store.h"
#include "text/path_rules.h"
#include "text/text_services.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Switches are matched without regard to case; the text is UTF-8.
std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    TextServices::Utf8().MakeLowerAscii(lower);
    return lower;
}

// The switches that take a value after them.
constexpr std::string_view kExtension = "/ext:";
constexpr std::string_view kOutput = "/out:";

// The switches that change the user's Explorer, each with ":remove" to undo
// it; they take nothing else but /quiet.
struct ExplorerSwitch {
    std::string_view name;
    CommandLine::Action add;
    CommandLine::Action remove;
};
constexpr ExplorerSwitch kExplorerSwitches[] = {
    {"/sendto", CommandLine::Action::AddSendTo, CommandLine::Action::RemoveSendTo},
    {"/contextmenu", CommandLine::Action::AddContextMenu, CommandLine::Action::RemoveContextMenu},
};

const ExplorerSwitch* FindExplorerSwitch(std::string_view lower) {
    for (const ExplorerSwitch& known : kExplorerSwitches) {
        if (lower.starts_with(known.name) &&
            (lower.size() == known.name.size() || lower.substr(known.name.size()) == ":remove"))
            return &known;
    }
    return nullptr;
}
}  // namespace

std::vector<std::string> SplitArguments(std::string_view commandLine) {
    std::size_t i = 0;
    // The program's name: quotes group, backslashes are plain.
    for (bool quoted = false; i < commandLine.size() && (quoted || !IsBlank(commandLine[i])); ++i) {
        if (commandLine[i] == '"') quoted = !quoted;
    }
    std::vector<std::string> arguments;
    for (;;) {
        while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
        if (i == commandLine.size()) return arguments;
        std::string& argument = arguments.emplace_back();
        bool quoted = false;
        while (i < commandLine.size() && (quoted || !IsBlank(commandLine[i]))) {
            std::size_t backslashes = 0;
            while (i < commandLine.size() && commandLine[i] == '\\') ++backslashes, ++i;
            if (i < commandLine.size() && commandLine[i] == '"') {
                argument.append(backslashes / 2, '\\');
                // "C:\dir\" /quiet: batch files ("%~dp0") and Explorer quote a
                // folder so. A quote is never part of a name: the quote closes
                // the path, whose last "\" it would otherwise swallow.
                const bool endsPath =
                    quoted && backslashes == 1 && (i + 1 == commandLine.size() || IsBlank(commandLine[i + 1]));
                if (endsPath) {
                    argument += '\\';
                    quoted = false;
                } else if (backslashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && i + 1 < commandLine.size() && commandLine[i + 1] == '"') {
                    argument += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, '\\');
                if (backslashes == 0) argument += commandLine[i++];
            }
        }
    }
}

ParsedCommandLine ParseArguments(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed;
    CommandLine& line = parsed.line;
    // Known first: a quiet run shows no box, not even the usage or a fault
    // before it.
    line.quiet =
        std::ranges::any_of(arguments, [](const std::string& argument) { return AsciiLower(argument) == "/quiet"; });
    if (std::ranges::find(arguments, "/?") != arguments.end()) {
        line.action = CommandLine::Action::Usage;
        return parsed;
    }
    const auto fail = [&](CommandLineError error, std::string_view argument) {
        parsed.error = error;
        parsed.argument = argument;
        return parsed;
    };
    // Each switch once, under one name: the presets, the two forms of /sendto
    // and those of /contextmenu share theirs. The first given is kept for the
    // messages.
    std::map<std::string, std::string> given;
    for (const std::string& argument : arguments) {
        if (argument.empty()) return fail(CommandLineError::EmptyArgument, argument);
        if (argument[0] != '/') {
            line.paths.push_back(PathArgument(argument));
            continue;
        }
        const std::string lower = AsciiLower(argument);
        std::string name = lower;
        if (lower.size() == 2 && lower[1] >= '1' && lower[1] < '1' + kPresetCount) {
            name = "preset";
            line.action = CommandLine::Action::Transfer;
            line.preset = lower[1] - '0';
        } else if (lower.size() > 1 &&
                   std::all_of(lower.begin() + 1, lower.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            return fail(CommandLineError::BadPreset, argument);
        } else if (lower.starts_with(kExtension)) {
            name = kExtension;
            line.extension = argument.substr(kExtension.size());
        } else if (lower.starts_with(kOutput)) {
            name = kOutput;
            line.outputFile = argument.substr(kOutput.size());
            if (line.outputFile.empty()) return fail(CommandLineError::EmptyOutputFile, argument);
        } else if (lower == "/utf8") {
            line.utf8 = true;
        } else if (const ExplorerSwitch* explorer = FindExplorerSwitch(lower)) {
            name = explorer->name;
        } else if (lower != "/quiet") {  // which was read before
            return fail(CommandLineError::UnknownSwitch, argument);
        }
        if (!given.emplace(name, argument).second) return fail(CommandLineError::RepeatedSwitch, argument);
    }
    const auto explorer = std::ranges::find_if(
        kExplorerSwitches, [&](const ExplorerSwitch& known) { return given.contains(std::string(known.name)); });
    if (explorer != std::end(kExplorerSwitches)) {
        const std::string& switchGiven = given[std::string(explorer->name)];
        if (given.size() > 1 + given.count("/quiet") || !line.paths.empty())
            return fail(CommandLineError::NotAlone, switchGiven);
        line.action = AsciiLower(switchGiven) == explorer->name ? explorer->add : explorer->remove;
    } else if (line.action == CommandLine::Action::Transfer) {
        if (line.paths.empty()) return fail(CommandLineError::NoPath, given["preset"]);
    } else {
        for (const std::string_view name : {kExtension, kOutput, std::string_view("/utf8")}) {
            if (given.contains(std::string(name))) return fail(CommandLineError::NeedsPreset, given[std::string(name)]);
        }
        if (line.paths.size() > 1) return fail(CommandLineError::TooManyPaths, line.paths[1]);
    }
    return parsed;
}

std::string PathArgument(std::string_view argument) {
    std::string path(argument);
    if (path.ends_with('"')) path.back() = '\\';
    if (path.size() == 2 && path[1] == ':' && IsDriveLetter(path[0])) path += '\\';
    return path;
}
