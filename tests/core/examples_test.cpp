// The worked examples in tests/data: listings, calls of the rules, clipboard scenarios.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "about/link_area.h"
#include "bench/tree_generator.h"
#include "browser/extension_rule.h"
#include "browser/item_colors.h"
#include "browser/item_record.h"
#include "browser/path_rules.h"
#include "command_line/command_line.h"
#include "engine/clipboard_accumulator.h"
#include "engine/folder_collector.h"
#include "engine/listing_composer.h"
#include "engine/prefetching_search.h"
#include "engine/progress_sink.h"
#include "presets/preset_page_enables.h"
#include "tests/fakes/case_insensitive_ordering.h"
#include "tests/fakes/memory_clipboard.h"
#include "tests/fakes/memory_directory_tree.h"
#include "tests/fakes/memory_preset_storage.h"

namespace {
using Lines = std::vector<std::string>;
using std::chrono::milliseconds;

// \xNN is the byte NN, {tab} a tab, {c*N} the character c N times.
std::string Decode(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == "\\x") {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 2, 2)), nullptr, 16)), i += 3;
        } else if (text[i] == '{') {
            const std::string inner(text.substr(i + 1, text.find('}', i) - i - 1));
            out += inner == "tab" ? std::string("\t") : std::string(std::stoul(inner.substr(2)), inner[0]),
                i += inner.size() + 1;
        } else {
            out += text[i];
        }
    }
    return out;
}

Lines Rows(const std::filesystem::path& file) {
    Lines rows;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') rows.push_back(line);
    EXPECT_FALSE(rows.empty()) << file;
    return rows;
}

// A row "a | b | c": each field trimmed (double quotes keep blanks) and decoded.
Lines Fields(const std::string& row) {
    Lines fields;
    for (std::size_t begin = 0, end = 0; end != std::string::npos; begin = end + 3) {
        std::string field = row.substr(begin, (end = row.find(" | ", begin)) - begin);
        field.erase(field.find_last_not_of(' ') + 1).erase(0, field.find_first_not_of(' '));
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
        fields.push_back(Decode(field));
    }
    return fields;
}

using O = ListingOptions;
const std::map<std::string, std::int32_t O::*> kOptions = {{"noExtension", &O::noExtension},
                                                           {"lowerCase", &O::lowerCase},
                                                           {"reverse", &O::reverse},
                                                           {"subFolders", &O::subFolders},
                                                           {"subFolderDepth", &O::subFolderDepth},
                                                           {"folderNameOutput", &O::folderNameOutput},
                                                           {"folderOutputType", &O::folderOutputType},
                                                           {"lineNumbers", &O::lineNumbers},
                                                           {"separatorType", &O::separatorType},
                                                           {"spacesBefore", &O::spacesBefore},
                                                           {"spacesAfter", &O::spacesAfter},
                                                           {"numberWidth", &O::numberWidth},
                                                           {"zeroPad", &O::zeroPad},
                                                           {"nextFolder", &O::nextFolder},
                                                           {"fileSize", &O::fileSize}};

// One transfer over a tree in memory. Every item shown moves the clock on, so
// longer listings reach the clipboard in pieces: each a prefix of the whole.
struct Transfer : ProgressSink, TreeSink {
    // With `readers`, the folders are read ahead on that many threads.
    explicit Transfer(unsigned readers = 0) : prefetching(tree, readers) {}
    void ShowItem(std::string_view path) override { seen["shown"].emplace_back(path), clock.now += milliseconds(3); }
    void ShowSearch(std::string_view folder) override { seen["searched"].emplace_back(folder); }
    void AddFolder(std::string_view path) override { tree.AddFolder("E:\\T\\" + std::string(path)); }
    void AddFile(std::string_view path, std::uint64_t size) override {
        tree.AddFile(files.emplace_back("E:\\T\\" + std::string(path)), size);
    }

    // `starts`: one start folder, or several between " | ".
    Lines& Run(const std::string& starts, std::string_view extension, const ListingOptions& options) {
        clipboard.WriteByAnotherProgram("old text");
        Lines paths;
        for (std::size_t begin = 0, end = 0; end != std::string::npos; begin = end + 3) {
            paths.push_back(starts.substr(begin, (end = starts.find(" | ", begin)) - begin));
        }
        composer.ComposeListing(paths, extension, options);
        const std::multiset<std::string> searches(tree.searches.begin(), tree.searches.end());  // in any order
        seen["searches"] = Lines(searches.begin(), searches.end());
        const std::string text = clipboard.text.value_or("(no text)");
        for (const std::string& published : clipboard.published) EXPECT_TRUE(text.starts_with(published)) << published;
        // Each line must end in CR LF; a last line without is marked.
        for (std::size_t begin = 0, end = 0; begin < text.size(); begin = end + 2) {
            end = std::min(text.find("\r\n", begin), text.size());
            seen["listing"].push_back(text.substr(begin, end - begin) + (end == text.size() ? "(no line end)" : ""));
        }
        return seen["listing"];
    }

    MemoryDirectoryTree tree;
    PrefetchingSearch prefetching;  // without readers, every search is made at once
    std::map<std::string, Lines> seen;
    Lines files;  // generated
    TextServices text = TextServices::Utf8();
    CaseInsensitiveOrdering ordering{text};
    MemoryClipboard clipboard;
    ManualClock clock;
    ClipboardAccumulator accumulator{clipboard, clock};
    FolderCollector collector{prefetching, ordering, text, this};
    ListingComposer composer{collector, accumulator, *this, text};
};

// A line of a [tree]; tests/data/listings/README.md tells the format.
void AddToTree(MemoryDirectoryTree& tree, const std::string& line) {
    const Lines f = Fields(line);
    if (f.back().starts_with("-> ")) return tree.AddLink(f[0], f.back().substr(3));
    if (f.back() == "no access") return tree.DenyAccess(f[0]);
    if (line.ends_with("\\")) return tree.AddFolder(f[0]);
    tree.AddFile(f[0], f.size() > 1 ? std::stoull(f[1]) : 0);
}

TEST(ExamplesTest, Listings) {
    for (const auto& file : std::filesystem::directory_iterator(LISTORA_TEST_DATA "/listings")) {
        if (file.path().extension() != ".txt") continue;
        // Settings and sections of each case; the first holds [tree] and [every case] for the rest.
        std::vector<std::map<std::string, Lines>> cases(1);
        std::string section;
        for (const std::string& line : Rows(file.path())) {
            if (line[0] == '[') {
                section = line.substr(1, line.find(']') - 1);
                if (section.starts_with("case ")) cases.push_back(cases[0]), cases.back()["name"] = {section};
            } else if (section == "tree") {
                cases[0][section].push_back(line);
            } else if (section == "every case" || section.starts_with("case ")) {
                cases.back()[line.substr(0, line.find(" = "))] = {Decode(line.substr(line.find(" = ") + 3))};
            } else {
                cases.back()[section].push_back(line == "-" ? "" : Decode(line));
            }
        }
        for (std::map<std::string, Lines>& c : std::vector(cases.begin() + 1, cases.end())) {
            ListingOptions options;
            for (const auto& [name, member] : kOptions) options.*member = c.contains(name) ? std::stoi(c[name][0]) : 0;
            // Every form of a start path lists the same: as written and with a "\" added, read ahead or not.
            const std::string& written = c["start"][0];
            std::string withBackslashes = written + "\\";
            for (std::size_t at = 0; (at = withBackslashes.find(" | ", at)) != std::string::npos; at += 4)
                withBackslashes.insert(at, "\\");
            for (const auto& [start, readers] : {std::pair(written, 0u), std::pair(withBackslashes, 2u)}) {
                SCOPED_TRACE(file.path().filename().string() + ", " + c["name"][0] + ", start " + start);
                Transfer transfer(readers);
                for (const std::string& line : c["tree"]) AddToTree(transfer.tree, line);
                transfer.Run(start, c["extension"][0], options);
                for (const std::string what : {"listing", "shown", "searched", "searches"}) {
                    EXPECT_EQ(transfer.seen[what], c.contains(what) ? c[what] : transfer.seen[what]) << what;
                }
            }
        }
    }
}

// A generated tree is listed whole, published in pieces: every file once, and
// each folder block closed by an empty line (two where a folder has no files).
TEST(ExamplesTest, GeneratedTreeIsListedWhole) {
    Transfer transfer(2);
    GenerateDeepTree(1200, 40, transfer);
    const Lines& listed = transfer.Run("E:\\T", "*", {.subFolders = 1, .subFolderDepth = 9});
    std::multiset<std::string> expected(transfer.files.begin(), transfer.files.end());
    // The generator puts 40 files into each folder at the bottom, none elsewhere.
    for (std::size_t i = 1200 / 40; i < 2 * transfer.collector.CollectedFolders().Count(); ++i) expected.insert("");
    EXPECT_EQ(std::multiset<std::string>(listed.begin(), listed.end()), expected);
    EXPECT_GE(transfer.clipboard.published.size(), 3u);
}

std::string Text(std::size_t position) { return position == std::string::npos ? "none" : std::to_string(position); }
std::string Text(bool value) { return value ? "1" : "0"; }

// Preset a[0] read from the values a[1]... ("name = text"): the options not 0, or the names read.
std::string LoadFromPreset(const Lines& a, bool namesRead) {
    MemoryPresetStorage storage;
    for (const std::string& v : Lines(a.begin() + 1, a.end()))
        storage.values[v.substr(0, v.find(" = "))] = v.substr(v.find(" = ") + 3);
    ListingOptions options;
    options.LoadFromPreset(PresetStore(storage), std::stoi(a[0]));
    std::string text;
    for (const auto& [name, m] : kOptions)
        text += options.*m && !namesRead ? ", " + name + " = " + std::to_string(options.*m) : "";
    for (const std::string& name : storage.reads) text += namesRead ? ", " + name : "";
    return text.erase(0, 2);
}

std::string Bracketed(const Lines& items) {
    std::string text;
    for (const std::string& item : items) text += "[" + item + "]";
    return text;
}

std::string ParseCommandLine(const std::string& commandLine) {
    static const char* const kActions[] = {"window", "transfer", "add Send To", "remove Send To", "usage"};
    static const char* const kErrors[] = {
        "",       "UnknownSwitch", "RepeatedSwitch", "NeedsPreset", "BadPreset", "EmptyArgument", "EmptyOutputFile",
        "NoPath", "TooManyPaths",  "SendToAlone"};
    const ParsedCommandLine parsed = ParseArguments(SplitArguments(commandLine));
    const CommandLine& c = parsed.line;
    if (parsed.error != CommandLineError::None) {
        return kErrors[static_cast<int>(parsed.error)] + (" [" + parsed.argument + "]") + (c.quiet ? " quiet" : "");
    }
    std::string text = kActions[static_cast<int>(c.action)];
    if (c.preset) text += " " + std::to_string(c.preset);
    if (!c.extension.empty()) text += " ext=" + c.extension;
    if (!c.outputFile.empty()) text += " out=" + c.outputFile;
    return text + (c.utf8 ? " utf8" : "") + (c.quiet ? " quiet" : "") +
           (c.paths.empty() ? "" : " " + Bracketed(c.paths));
}

const std::map<std::string, std::function<std::string(const TextServices&, const Lines&)>> kRules = {
    {"FindLastSeparator", [](auto& text, auto& a) { return Text(text.FindLastSeparator(a[0])); }},
    {"CountSeparators", [](auto& text, auto& a) { return Text(text.CountSeparators(a[0])); }},
    {"AddBackslash",
     [](auto& text, auto& a) {
         std::string path = a[0];
         return text.AddBackslash(path), path;
     }},
    {"RemoveBackslash",
     [](auto& text, auto& a) {
         std::string path = a[0];
         return text.RemoveBackslash(path), path;
     }},
    {"MakeLowerAscii",
     [](auto& text, auto& a) {
         std::string lowered = a[0];
         return text.MakeLowerAscii(lowered), lowered;
     }},
    {"CutToBytes", [](auto& text, auto& a) { return std::string(text.CutToBytes(a[0], std::stoul(a[1]))); }},
    {"CopyToBuffer",
     [](auto& text, auto& a) {
         std::string buffer(std::stoul(a[1]), 'x');
         return text.CopyToBuffer(a[0], buffer.data(), buffer.size()), std::string(buffer.c_str());
     }},
    {"BoundedText",
     [](auto&, auto& a) {
         std::vector<char> bytes(a[0].begin(), a[0].end());
         if (a[0].size() <= std::stoul(a[1])) bytes.push_back('\0');
         return std::string(BoundedText(a[0] == "(null)" ? nullptr : bytes.data(), std::stoul(a[1])));
     }},
    {"OpenFolder", [](auto& text, auto& a) { return OpenFolder(text, a[0], a[1]); }},
    {"FolderPattern", [](auto& text, auto& a) { return FolderPattern(text, a[0]); }},
    {"FilePattern", [](auto& text, auto& a) { return FilePattern(text, a[0], a[1]); }},
    {"SplitArguments", [](auto&, auto& a) { return Bracketed(SplitArguments(a[0])); }},
    {"ParseCommandLine", [](auto&, auto& a) { return ParseCommandLine(a[0]); }},
    {"StartPath", [](auto&, auto& a) { return StartPath(a[0]); }},
    {"FolderOf", [](auto& text, auto& a) { return FolderOf(text, a[0]); }},
    {"HelpFilePath", [](auto&, auto& a) { return HelpFilePath(a[0]); }},
    {"ExtensionFromEntry", [](auto& text, auto& a) { return ExtensionFromEntry(text, a[0]); }},
    {"ExtensionFromButton", [](auto& text, auto& a) { return ExtensionFromButton(text, a[0]); }},
    {"FlagAt", [](auto&, auto& a) { return Text(FlagAt(a[0], std::stoi(a[1]))); }},
    {"DigitAt", [](auto&, auto& a) { return std::to_string(DigitAt(a[0], std::stoi(a[1]))); }},
    {"FlagString",
     [](auto&, auto& a) {
         return FlagString({a[0] == "1", a[1] == "1", a[2] == "1"});
     }},
    {"NeedsStoredDigits",
     [](auto&, auto& a) {
         return Text(NeedsStoredDigits({std::stoi(a[0]), std::stoi(a[1]), std::stoi(a[2])}));
     }},
    {"DigitString",
     [](auto&, auto& a) {
         return DigitString({std::stoi(a[0]), std::stoi(a[1]), std::stoi(a[2])}, a[3]);
     }},
    {"NumberValueName", [](auto&, auto& a) { return NumberValueName(a[0], std::stoi(a[1])); }},
    {"ParsePresetNumber", [](auto&, auto& a) { return std::to_string(ParsePresetNumber(a[0])); }},
    {"PresetNumberText", [](auto& text, auto& a) { return PresetNumberText(a[0], text); }},
    {"LoadFromPreset", [](auto&, auto& a) { return LoadFromPreset(a, false); }},
    {"PresetReads", [](auto&, auto& a) { return LoadFromPreset(a, true); }},
    {"PresetPageEnables",
     [](auto&, auto& a) {
         const PresetPageEnables e = PresetPageEnables::For({a[0] == "1", std::stoi(a[1]), a[2] == "1", a[3] == "1"});
         return Text(e.folderTypeList) + Text(e.subFolderBox) + Text(e.depthEdit) + Text(e.nextFolderBox) +
                Text(e.lineNumberOptions);
     }},
    {"IsInsideLinkArea",
     [](auto&, auto& a) {
         const LinkArea area{std::stol(a[0]), std::stol(a[1]), std::stol(a[2]), std::stol(a[3])};
         return Text(IsInsideLinkArea(area, std::stol(a[4]), std::stol(a[5])));
     }},
    {"ItemColorsFor",
     [](auto&, auto& a) {
         const ItemColors c = ItemColorsFor(std::stoul(a[0]), std::stoul(a[1]));
         return !c.draw                                    ? "left as it is"
                : c.fill == SystemColor::CurrentBackground ? "background"
                : c.text == SystemColor::HighlightText     ? "highlighted"
                                                           : "plain";
     }},
    {"CompareItemRecords",
     [](auto&, auto& a) { return std::to_string(CompareItemRecords(ItemRecord(a[0]), ItemRecord(a[1]))); }},
};

TEST(ExamplesTest, Rules) {
    const TextServices cp932 = TextServices::Cp932(), utf8 = TextServices::Utf8(), single;
    for (const std::string& row : Rows(LISTORA_TEST_DATA "/rules.txt")) {
        const Lines f = Fields(row);
        const TextServices& text = f[0] == "single" ? single : f[0] == "utf8" ? utf8 : cp932;
        EXPECT_EQ(kRules.at(f[1])(text, Lines(f.begin() + 2, f.end() - 1)), f.back()) << row;
    }
}

TEST(ExamplesTest, ClipboardScenarios) {
    struct Scenario {
        MemoryClipboard clipboard;
        ManualClock clock;
        ClipboardAccumulator accumulator{clipboard, clock};
    };
    std::optional<Scenario> s;
    const std::map<std::string, std::function<void(const Lines&)>> steps = {
        {"wait", [&](auto& a) { s->clock.now += milliseconds(std::stoi(a[0])); }},
        {"append", [&](auto& a) { s->accumulator.Append(a[0]); }},
        {"append one a millisecond",
         [&](auto& a) {
             for (int i = std::stoi(a[0]); i > 0; --i) s->clock.now += milliseconds(1), s->accumulator.Append(";");
         }},
        {"clear", [&](auto& a) { EXPECT_EQ(Text(s->accumulator.Clear()), a[0]); }},
        {"finish", [&](auto& a) { EXPECT_EQ(Text(s->accumulator.Finish()), a[0]); }},
        {"other program writes", [&](auto& a) { s->clipboard.WriteByAnotherProgram(a[0]); }},
        {"other program writes a picture", [&](auto&) { s->clipboard.WriteByAnotherProgram(std::nullopt); }},
        {"other program holds it", [&](auto& a) { s->clipboard.heldForAttempts = std::stoi(a[0]); }},
        {"no memory", [&](auto& a) { s->clipboard.failingAllocations = std::stoi(a[0]); }},
        {"set fails after emptying", [&](auto& a) { s->clipboard.failingSets = std::stoi(a[0]); }},
        {"writes take",
         [&](auto& a) { s->clipboard.clock = &s->clock, s->clipboard.writeTakes = milliseconds(std::stoi(a[0])); }},
        {"clipboard",
         [&](auto& a) { EXPECT_EQ(s->clipboard.text.value_or(s->clipboard.picture ? "(picture)" : "(empty)"), a[0]); }},
        {"published", [&](auto& a) { EXPECT_EQ(s->clipboard.published, a); }},
        {"time", [&](auto& a) { EXPECT_EQ(s->clock.now.count(), std::stoi(a[0])); }},
    };
    std::string name;
    for (const std::string& row : Rows(LISTORA_TEST_DATA "/clipboard.txt")) {
        SCOPED_TRACE(name + " " + row);
        const Lines f = Fields(row);
        if (row.starts_with("[scenario "))
            s.emplace(), name = row;
        else
            steps.at(f[0])(Lines(f.begin() + 1, f.end()));
    }
}
}  // namespace
