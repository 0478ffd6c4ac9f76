// The small rules' worked examples in tests/data/rules.txt (its head tells the format): the rows of each rule a test.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "browser/item_colors.h"
#include "browser/item_record.h"
#include "command_line/command_line.h"
#include "engine/natural_ordering.h"
#include "engine/sorted_path_list.h"
#include "presets/preset_page_enables.h"
#include "presets/preset_store.h"
#include "tests/fakes/case_insensitive_ordering.h"
#include "tests/support/data_file.h"
#include "text/extension_rule.h"
#include "text/path_rules.h"

namespace {
using Lines = std::vector<std::string>;
using support::DataError;

// A row's call: its arguments, and the text services of its code page.
struct Call {
    const support::DataLine& row;
    const TextServices& text;
    Lines a;

    int Int(std::size_t i) const { return static_cast<int>(support::Number(row, a[i])); }
    bool Flag(std::size_t i) const { return Int(i) != 0; }
    std::array<int, 3> Ints() const { return {Int(0), Int(1), Int(2)}; }
    // The first argument after `change` has run on it.
    std::string Changed(void (TextServices::*change)(std::string&) const) const {
        std::string changed = a[0];
        (text.*change)(changed);
        return changed;
    }
};

struct Rule {
    bool takesCodePage;
    std::size_t arguments;
    std::function<std::string(const Call&)> result;
};

std::string Position(std::size_t position) { return position == std::string::npos ? "none" : std::to_string(position); }

std::string Bracketed(const Lines& items) {
    std::string text;
    for (const std::string& item : items) text += "[" + item + "]";
    return text;
}

// What a command line asks for: the action and what goes with it, or the fault and the argument at fault.
std::string ParseCommandLine(const Call& c) {
    // In the order of their enumerations.
    static const char* const kActions[] = {"window", "transfer",         "add Send To",        "remove Send To",
                                           "usage",  "add context menu", "remove context menu"};
    static const char* const kErrors[] = {
        "",       "UnknownSwitch", "RepeatedSwitch", "NeedsPreset", "BadPreset", "EmptyArgument", "EmptyOutputFile",
        "NoPath", "TooManyPaths",  "NotAlone",       "PathNotFound"};
    const ParsedCommandLine parsed = ParseArguments(SplitArguments(c.a[0]));
    const CommandLine& line = parsed.line;
    const std::string quiet = line.quiet ? " quiet" : "";
    const bool fault = parsed.error != CommandLineError::None;
    if (fault) return kErrors[static_cast<int>(parsed.error)] + (" [" + parsed.argument + "]") + quiet;
    std::string text = kActions[static_cast<int>(line.action)];
    if (line.preset != 0) text += " " + std::to_string(line.preset);
    if (!line.extension.empty()) text += " ext=" + line.extension;
    if (!line.outputFile.empty()) text += " out=" + line.outputFile;
    if (line.utf8) text += " utf8";
    return text + quiet + (line.paths.empty() ? "" : " " + Bracketed(line.paths));
}

// Adds the paths (between blanks) in turn, then sorts from entry `first` with keys from byte `prefix` on.
std::string Sorted(const StringOrdering& ordering, const std::string& paths, std::size_t prefix, std::size_t first) {
    SortedPathList list(ordering);
    std::istringstream words(paths);
    for (std::string path; words >> path;) list.Add(path);
    list.Sort(prefix, first);
    std::string sorted;
    for (std::size_t i = 0; i < list.Count(); ++i) sorted += (i == 0 ? "" : " ") + std::string(list.At(i));
    return sorted;
}

std::string SortPaths(const Call& c) { return Sorted(CaseInsensitiveOrdering(c.text), c.a[2], c.Int(0), c.Int(1)); }

std::string SortNaturally(const Call& c) {
    const CaseInsensitiveOrdering locale(c.text);
    return Sorted(NaturalOrdering(locale), c.a[0], 0, 0);
}

// "entire", "selection" and "focus" ask to draw the item, its selection and its focus; "selected" and "focused" are
// its state; "-" is none.
std::string Colors(const Call& c) {
    using Flags = std::map<std::string, bool ItemDrawRequest::*>;
    const Flags actions = {{"entire", &ItemDrawRequest::drawEntire},
                           {"selection", &ItemDrawRequest::selectionChanged},
                           {"focus", &ItemDrawRequest::focusChanged}};
    const Flags states = {{"selected", &ItemDrawRequest::selected}, {"focused", &ItemDrawRequest::focused}};
    ItemDrawRequest request;
    for (const auto& [field, flags] : {std::pair(c.a[0], actions), std::pair(c.a[1], states)}) {
        std::istringstream words(field);
        for (std::string word; words >> word;) {
            if (word != "-" && !flags.contains(word)) throw DataError(c.row, "no \"" + word + "\" in this field");
            if (word != "-") request.*flags.at(word) = true;
        }
    }
    const ItemColors colors = ItemColorsFor(request);
    const auto name = [](SystemColor color) {
        static const char* const kNames[] = {"Window", "WindowText", "Highlight", "HighlightText", "CurrentBackground"};
        return std::string(kNames[static_cast<int>(color)]);
    };
    if (!colors.draw) return "left as it is";
    return "fill " + name(colors.fill) + ", " + name(colors.text) + " on " + name(colors.textBackground);
}

std::string Enables(const Call& c) {
    const PresetPageEnables e = PresetPageEnables::For(PresetPageStates{c.Flag(0), c.Int(1), c.Flag(2), c.Flag(3)});
    std::string enables;
    for (const bool on : {e.folderTypeList, e.subFolderBox, e.depthEdit, e.nextFolderBox, e.lineNumberOptions})
        enables += std::to_string(on);
    return enables;
}

std::string Bounded(const Call& c) {
    std::vector<char> bytes(c.a[0].begin(), c.a[0].end());
    // Terminated only where the reader may look for the terminator.
    if (c.a[0].size() <= static_cast<std::size_t>(c.Int(1))) bytes.push_back('\0');
    return std::string(BoundedText(c.a[0] == "(null)" ? nullptr : bytes.data(), c.Int(1)));
}

std::string Copied(const Call& c) {
    std::string buffer(c.Int(1), 'x');
    c.text.CopyToBuffer(c.a[0], buffer.data(), buffer.size());
    return buffer.c_str();
}

std::string Compared(const Call& c) {
    return std::to_string(CompareItemRecords(ItemRecord(c.a[0]), ItemRecord(c.a[1])));
}

const std::map<std::string, Rule> kRules = {
    {"FindLastSeparator", {true, 1, [](const Call& c) { return Position(c.text.FindLastSeparator(c.a[0])); }}},
    {"CountSeparators", {true, 1, [](const Call& c) { return std::to_string(c.text.CountSeparators(c.a[0])); }}},
    {"AddBackslash", {true, 1, [](const Call& c) { return c.Changed(&TextServices::AddBackslash); }}},
    {"RemoveBackslash", {true, 1, [](const Call& c) { return c.Changed(&TextServices::RemoveBackslash); }}},
    {"MakeLowerAscii", {true, 1, [](const Call& c) { return c.Changed(&TextServices::MakeLowerAscii); }}},
    {"CutToBytes", {true, 2, [](const Call& c) { return std::string(c.text.CutToBytes(c.a[0], c.Int(1))); }}},
    {"CopyToBuffer", {true, 2, Copied}},
    {"BoundedText", {false, 2, Bounded}},
    {"OpenFolder", {true, 2, [](const Call& c) { return OpenFolder(c.text, c.a[0], c.a[1]); }}},
    {"FolderOf", {true, 1, [](const Call& c) { return FolderOf(c.text, c.a[0]); }}},
    {"ExactFullPath", {false, 2, [](const Call& c) { return ExactFullPath(c.a[0], c.a[1]); }}},
    {"IsDeviceName", {false, 1, [](const Call& c) { return std::to_string(IsDeviceName(c.a[0])); }}},
    {"FolderPattern", {true, 1, [](const Call& c) { return FolderPattern(c.text, c.a[0]); }}},
    {"FilePattern", {true, 2, [](const Call& c) { return FilePattern(c.text, c.a[0], c.a[1]); }}},
    {"ExtensionFromEntry", {true, 1, [](const Call& c) { return ExtensionFromEntry(c.text, c.a[0]); }}},
    {"CutExtension", {true, 1, [](const Call& c) { return CutExtension(c.text, c.a[0]); }}},
    {"HasForbiddenExtensionCharacter",
     {false, 1, [](const Call& c) { return std::to_string(HasForbiddenExtensionCharacter(c.a[0])); }}},
    {"FlagAt", {false, 2, [](const Call& c) { return std::to_string(FlagAt(c.a[0], c.Int(1))); }}},
    {"DigitAt", {false, 2, [](const Call& c) { return std::to_string(DigitAt(c.a[0], c.Int(1))); }}},
    {"FlagString",
     {false, 3,
      [](const Call& c) {
          return FlagString(std::array{c.Flag(0), c.Flag(1), c.Flag(2)});
      }}},
    {"NeedsStoredDigits", {false, 3, [](const Call& c) { return std::to_string(NeedsStoredDigits(c.Ints())); }}},
    {"DigitString", {false, 4, [](const Call& c) { return DigitString(c.Ints(), c.a[3]); }}},
    {"ParsePresetNumber", {false, 1, [](const Call& c) { return std::to_string(ParsePresetNumber(c.a[0])); }}},
    {"PresetNumberText", {true, 1, [](const Call& c) { return PresetNumberText(c.a[0], c.text); }}},
    {"PresetPageEnables", {false, 4, Enables}},
    {"ItemColorsFor", {false, 2, Colors}},
    {"CompareItemRecords", {false, 2, Compared}},
    {"PresetIndexFromRadios",
     {false, 2, [](const Call& c) { return std::to_string(PresetIndexFromRadios(c.Flag(0), c.Flag(1))); }}},
    {"SortedPathList::Sort", {false, 3, SortPaths}},
    {"NaturalOrdering", {false, 1, SortNaturally}},
    {"SplitArguments", {false, 1, [](const Call& c) { return Bracketed(SplitArguments(c.a[0])); }}},
    {"ParseCommandLine", {false, 1, ParseCommandLine}},
    {"StartPath", {false, 1, [](const Call& c) { return StartPath(c.a[0]); }}},
};
const std::map<std::string, TextServices> kCodePages = {
    {"cp932", TextServices::Cp932()}, {"utf8", TextServices::Utf8()}, {"single", TextServices()}};

class RuleTest : public testing::TestWithParam<support::DataCase> {};

TEST_P(RuleTest, Rows) {
    const support::DataCase& rows = GetParam();
    ASSERT_EQ(rows.error, "");
    if (!rows.common.empty()) throw DataError(rows.common.front(), "a row before the first [rule]");
    if (!kRules.contains(rows.name)) throw DataError(rows.header, "no rule is called \"" + rows.name + "\"");
    if (rows.lines.empty()) throw DataError(rows.header, "checks nothing: a rule without rows");
    const Rule& rule = kRules.at(rows.name);
    for (const support::DataLine& row : rows.lines) {
        Lines a = support::Fields(row.text);
        const std::size_t fields = (rule.takesCodePage ? 1 : 0) + rule.arguments + 1;
        if (a.size() != fields)
            throw DataError(row, std::to_string(a.size()) + " fields, not " + std::to_string(fields));
        const std::string page = rule.takesCodePage ? a.front() : "single";
        if (!kCodePages.contains(page)) throw DataError(row, "no code page is called \"" + page + "\"");
        const std::string expected = a.back();
        a.pop_back();
        if (rule.takesCodePage) a.erase(a.begin());
        EXPECT_EQ(rule.result({row, kCodePages.at(page), a}), expected) << row.Where();
    }
}

INSTANTIATE_TEST_SUITE_P(Data, RuleTest, testing::ValuesIn(support::ReadCases({"rules.txt"}, "[rule ")),
                         [](const auto& info) { return support::TestName(info.param.name); });
}  // namespace
