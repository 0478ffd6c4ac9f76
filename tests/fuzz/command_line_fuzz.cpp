// The command line over any bytes: split and read without fault, each argument
// without a quote, quoted as a program would quote it, splits back to itself, and what is read
// keeps its promises.
#include <algorithm>

#include "command_line/command_line.h"
#include "presets/preset_store.h"
#include "text/path_rules.h"
#include "tests/fuzz/fuzz_support.h"

namespace {
// As CreateProcess callers quote: backslashes doubled before a quote and at
// the end, quotes escaped.
std::string Quoted(std::string_view argument) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '"') quoted.append(backslashes + 1, '\\');
        backslashes = c == '\\' ? backslashes + 1 : 0;
        quoted += c;
    }
    return quoted.append(backslashes, '\\') + "\"";
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> arguments = SplitArguments(Bytes(data, size));
    // A quote in an argument may meet the rule for a folder's last "\"
    // before a closing quote; no name has one.
    if (std::ranges::none_of(arguments, [](const std::string& a) { return a.find('"') != std::string::npos; })) {
        std::string again = "Listora.exe";
        for (const std::string& argument : arguments) again += " " + Quoted(argument);
        FUZZ_REQUIRE(SplitArguments(again) == arguments);
    }

    const ParsedCommandLine parsed = ParseArguments(arguments);
    const CommandLine& line = parsed.line;
    FUZZ_REQUIRE(line.quiet == std::ranges::any_of(arguments, [](const std::string& a) {
                     return a.size() == 6 && std::equal(a.begin(), a.end(), "/quiet", [](char x, char y) {
                                return x == y || (y >= 'a' && x == y - 32);
                            });
                 }));
    if (parsed.error != CommandLineError::None) {
        FUZZ_REQUIRE(parsed.error == CommandLineError::NoPath || parsed.error == CommandLineError::NotAlone ||
                     parsed.error == CommandLineError::TooManyPaths ||
                     std::ranges::count(arguments, parsed.argument) > 0);
    } else if (line.action == CommandLine::Action::Transfer) {
        FUZZ_REQUIRE(line.preset >= 1);
        FUZZ_REQUIRE(line.preset <= kPresetCount);
        FUZZ_REQUIRE(!line.paths.empty());
    } else if (line.action != CommandLine::Action::Usage) {
        FUZZ_REQUIRE(line.extension.empty());
        FUZZ_REQUIRE(line.outputFile.empty());
        FUZZ_REQUIRE(!line.utf8);
        FUZZ_REQUIRE(line.paths.size() <= 1);
    }
    for (const std::string& path : line.paths) {
        FUZZ_REQUIRE(!path.empty());
        FUZZ_REQUIRE(StartPath(path).size() <= path.size());
    }
    return 0;
}
