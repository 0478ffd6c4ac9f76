// The golden listings of tests/data/listings (README.md there tells the format): each case a test, its transfers
// made over a tree in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <set>
#include <span>

#include "engine/clipboard_accumulator.h"
#include "engine/folder_collector.h"
#include "engine/listing_composer.h"
#include "engine/natural_ordering.h"
#include "engine/prefetching_search.h"
#include "engine/progress_sink.h"
#include "tests/fakes/case_insensitive_ordering.h"
#include "tests/fakes/fixed_offset_zone.h"
#include "tests/fakes/memory_clipboard.h"
#include "tests/fakes/memory_directory_tree.h"
#include "tests/fakes/memory_preset_storage.h"
#include "tests/support/data_file.h"

namespace {
using Lines = std::vector<std::string>;
using support::DataError;
using support::DataLine;

constexpr unsigned kReaders = 2;

// The read-ahead, with what the walk announces to it written down.
struct Announced : PrefetchingSearch {
    using PrefetchingSearch::PrefetchingSearch;
    void Prefetch(const Lines& patterns) override {
        announced.insert(announced.end(), patterns.begin(), patterns.end());
        PrefetchingSearch::Prefetch(patterns);
    }
    Lines announced;
};

// One transfer over a tree in memory. Every item shown moves the clock on, so longer listings reach the clipboard in
// pieces: each a prefix of the whole.
struct Transfer : ProgressSink {
    // `readers`: threads that read folders ahead.
    Transfer(unsigned readers, const ListingOptions& options)
        : prefetching(tree, readers), options(options), collector{prefetching, Ordering(), text, this} {}
    const StringOrdering& Ordering() const {
        return options.naturalOrder ? natural : static_cast<const StringOrdering&>(ordering);
    }
    void ShowItem(std::string_view path) override {
        seen["shown"].emplace_back(path);
        clock.now += std::chrono::milliseconds(3);
    }
    void ShowSearch(std::string_view folder) override { seen["searched"].emplace_back(folder); }

    // Lists `starts` over the "old text" another program left; returns what the composition reports.
    bool Run(const Lines& starts, std::string_view extension) {
        clipboard.WriteByAnotherProgram("old text");
        const bool delivered = composer.ComposeListing(starts, extension, options);
        seen["searches"] = tree.searches;
        seen["unreadable"] = collector.UnreadableFolders();
        std::ranges::sort(seen["searches"]);  // read ahead, they come in any order
        seen["announced"] = prefetching.announced;
        const std::string text = clipboard.text.value_or("(no text)");
        for (const std::string& published : clipboard.published) EXPECT_TRUE(text.starts_with(published)) << published;
        // Each line must end in CR LF; a last line without is marked.
        for (std::size_t begin = 0; begin < text.size();) {
            const std::size_t end = std::min(text.find("\r\n", begin), text.size());
            seen["listing"].push_back(text.substr(begin, end - begin) + (end == text.size() ? "(no line end)" : ""));
            begin = end + 2;
        }
        return delivered;
    }

    MemoryDirectoryTree tree;
    Announced prefetching;
    std::map<std::string, Lines> seen;
    TextServices text = TextServices::Utf8();
    CaseInsensitiveOrdering ordering{text};
    NaturalOrdering natural{ordering};
    ListingOptions options;
    MemoryClipboard clipboard;
    ManualClock clock;
    ClipboardAccumulator accumulator{clipboard, clock};
    FixedOffsetZone zone;
    FolderCollector collector;
    ListingComposer composer{collector, accumulator, *this, text, zone};
};

// The options by the names of their members.
#define OPTION(member) \
    { #member, &ListingOptions::member }
const std::map<std::string, std::int32_t ListingOptions::*> kOptions = {
    OPTION(noExtension),    OPTION(lowerCase),        OPTION(reverse),          OPTION(subFolders),
    OPTION(subFolderDepth), OPTION(folderNameOutput), OPTION(folderOutputType), OPTION(lineNumbers),
    OPTION(separatorType),  OPTION(spacesBefore),     OPTION(spacesAfter),      OPTION(numberWidth),
    OPTION(zeroPad),        OPTION(nextFolder),       OPTION(fileSize),         OPTION(fileDate),
    OPTION(naturalOrder),   OPTION(skipHidden)};
#undef OPTION
const std::set<std::string> kSettings = {"start", "extension", "preset", "other program holds the clipboard",
                                         "delivered"};
const std::set<std::string> kChecks = {"listing", "shown", "searched", "searches", "announced", "unreadable"};

// A case of a listing file: its settings (its own over those for every case), its tree, what it expects.
struct ListingCase {
    // The fields after " = " of a setting; when it is not given, `otherwise` or a fault.
    Lines Values(const std::string& name, const char* otherwise = nullptr) const {
        const auto setting = settings.find(name);
        if (setting == settings.end() && !otherwise) throw DataError(header, "no " + name + " = ... for this case");
        if (setting == settings.end()) return {otherwise};
        return support::Fields(setting->second.text.substr(name.size() + 3));
    }
    long long Number(const std::string& name, const char* otherwise = nullptr) const {
        return support::Number(settings.contains(name) ? settings.at(name) : header, Values(name, otherwise)[0]);
    }

    DataLine header;
    std::map<std::string, DataLine> settings;
    std::vector<DataLine> tree;
    std::map<std::string, Lines> expected;
};

ListingCase ReadCase(const support::DataCase& dataCase) {
    ListingCase c;
    c.header = dataCase.header;
    std::vector<DataLine> lines = dataCase.common;
    lines.insert(lines.end(), dataCase.lines.begin(), dataCase.lines.end());
    std::string section;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const DataLine& line = lines[i];
        const bool common = i < dataCase.common.size();
        if (i == dataCase.common.size()) section = "every case";  // the case's own settings come first
        if (line.text.starts_with("[") && line.text.ends_with("]")) {
            section = line.text.substr(1, line.text.size() - 2);
            const bool known = common ? section == "tree" || section == "every case" : kChecks.contains(section);
            if (!known) throw DataError(line, "no section " + line.text + " here");
            if (!common) c.expected.try_emplace(section);
        } else if (section == "tree") {
            c.tree.push_back(line);
        } else if (section == "every case" && line.text.find(" = ") != std::string::npos) {
            c.settings.insert_or_assign(line.text.substr(0, line.text.find(" = ")), line);
        } else if (kChecks.contains(section)) {
            c.expected[section].push_back(line.text == "-" ? "" : support::Decode(line.text));
        } else {
            throw DataError(line, "neither in a section nor a setting \"name = value\"");
        }
    }
    if (c.expected.empty())
        throw DataError(c.header, "checks nothing: no [listing] nor any other section of what it expects");
    return c;
}

// The options by name, or as the stored values of a preset give them.
ListingOptions Options(const ListingCase& c) {
    const bool preset = c.settings.contains("preset");
    ListingOptions options;
    MemoryPresetStorage storage;
    for (const auto& [name, line] : c.settings) {
        if (kOptions.contains(name) && !preset) {
            options.*kOptions.at(name) = static_cast<std::int32_t>(c.Number(name));
        } else if (name.starts_with("DEF_") && preset) {
            storage.values[name] = c.Values(name)[0];
        } else if (!kSettings.contains(name)) {
            throw DataError(line, "no setting " + name + " here: options come by name, or stored with a preset");
        }
    }
    if (preset) options = LoadFromPreset(PresetStore(storage), static_cast<int>(c.Number("preset")) - 1);
    for (const auto& [name, value] : storage.values) {
        if (std::ranges::count(storage.reads, name) == 0)
            throw DataError(c.settings.at(name), "the preset never reads it");
    }
    return options;
}

// A size or a time, up to 2^64 - 1, as a tree line writes it.
std::uint64_t Unsigned(const DataLine& line, std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw DataError(
            line, "\"" + std::string(text) + "\" is none of: SIZE, hidden, system, written TIME, no access, -> PATH");
    return value;
}

// A line of a [tree]: a path, then what it is beyond a plain folder or an empty file.
void AddToTree(MemoryDirectoryTree& tree, const DataLine& line) {
    const Lines f = support::Fields(line.text);
    const std::string& path = f.front();
    const auto entry = [&] { return &tree.entries.at(tree.Key(path)); };
    if (f.size() < 2 || !f[1].starts_with("-> ")) path.ends_with('\\') ? tree.AddFolder(path) : tree.AddFile(path);
    for (const std::string& what : std::span(f).subspan(1)) {
        if (what == "no access") {
            tree.DenyAccess(path);
        } else if (what.starts_with("-> ") && f.size() == 2) {
            tree.AddLink(path, what.substr(3));
        } else if (what == "hidden" || what == "system") {
            (what == "hidden" ? entry()->hidden : entry()->system) = true;
        } else if (what.starts_with("written ")) {
            entry()->lastWrite = Unsigned(line, what.substr(8));
        } else {
            entry()->size = Unsigned(line, what);
        }
    }
}

class ListingTest : public testing::TestWithParam<support::DataCase> {};

TEST_P(ListingTest, Transfer) {
    ASSERT_EQ(GetParam().error, "");
    const ListingCase c = ReadCase(GetParam());
    // Every form of a start path lists the same: as written and with a "\" added, read ahead or not.
    const Lines starts = c.Values("start");
    Lines withBackslashes = starts;
    for (std::string& start : withBackslashes) start += '\\';
    for (const auto& [paths, readers] : {std::pair(starts, 0u), std::pair(withBackslashes, kReaders)}) {
        SCOPED_TRACE(testing::Message() << "start " << paths.front() << ", " << readers << " readers");
        Transfer transfer(readers, Options(c));
        for (const DataLine& line : c.tree) AddToTree(transfer.tree, line);
        transfer.clipboard.heldForAttempts = static_cast<int>(c.Number("other program holds the clipboard", "0"));
        const bool delivered = transfer.Run(paths, c.Values("extension")[0]);
        EXPECT_EQ(delivered, c.Number("delivered", "1"));
        for (const auto& [check, expected] : c.expected) EXPECT_EQ(transfer.seen[check], expected) << check;
    }
}

Lines ListingFiles() {
    Lines names;
    for (const auto& file : std::filesystem::directory_iterator(LISTORA_TEST_DATA "/listings")) {
        if (file.path().extension() == ".txt") names.push_back("listings/" + file.path().filename().string());
    }
    std::ranges::sort(names);
    return names;
}

INSTANTIATE_TEST_SUITE_P(Data, ListingTest, testing::ValuesIn(support::ReadCases(ListingFiles(), "[case ")),
                         [](const auto& info) { return support::TestName(info.param.name); });
}  // namespace
