// A transfer with options read from any stored values, over a tree in memory
// built from the input: names of any bytes a file system gives, any depth,
// any size. Every file within the depth comes out whole in exactly one line,
// and the listing stays within a budget linear in the tree.
#include <algorithm>
#include <set>

#include "engine/clipboard_accumulator.h"
#include "engine/folder_collector.h"
#include "engine/listing_composer.h"
#include "engine/progress_sink.h"
#include "tests/fakes/case_insensitive_ordering.h"
#include "tests/fakes/fixed_offset_zone.h"
#include "tests/fakes/memory_clipboard.h"
#include "tests/fakes/memory_directory_tree.h"
#include "tests/fakes/memory_preset_storage.h"
#include "tests/fuzz/fuzz_support.h"

namespace {
// A file's line besides its path at most: size, number, blanks, separator, CR LF.
constexpr std::size_t kLineMost = 32 + 20 + 3 * ListingComposer::kMaxCount + 2 + 2;

// Every item shown lets a publication through: the listing reaches the clipboard in pieces.
struct Progress : ProgressSink {
    void ShowItem(std::string_view) override { clock.now += ClipboardAccumulator::kPublishInterval; }
    ManualClock clock;
};
}  // namespace

// Byte 0 the preset; byte 1 the start folders (one, or with bit 2 two); byte 2
// the extension. Then fields cut at NUL: the stored values, then the tree's
// entries, each a byte (bit 0 a file, bits 1-2 folders to go up first, all of
// it the file's size) and a name.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    GTEST_FLAG_SET(throw_on_failure, true);  // a fake that sees misuse ends the run
    const std::vector<std::string_view> fields = Fields(Bytes(data + 3, size - 3));
    // The stored values in the order the preset reads them, learnt from a first reading.
    MemoryPresetStorage storage;
    const int preset = data[0] % kPresetCount;
    LoadFromPreset(PresetStore(storage), preset);
    const std::size_t values = storage.reads.size();
    for (std::size_t i = 0; i < values && i < fields.size(); ++i) storage.values[storage.reads[i]] = fields[i];
    const ListingOptions options = LoadFromPreset(PresetStore(storage), preset);
    constexpr std::string_view kStarts[] = {"E:", "E:\\", "E:\\T", "E:\\T\\"};
    std::vector<std::string> starts{std::string(kStarts[data[1] % 4])};
    if (data[1] & 4) starts.emplace_back(kStarts[(data[1] >> 3) % 4]);
    const std::string extension = data[2] % 2 ? "*" : "txt";

    MemoryDirectoryTree tree;
    std::vector<std::string> folders{"E:\\T"};  // the way down to where entries go
    tree.AddFolder(folders.back());
    for (std::size_t i = values; i < std::min(fields.size(), values + 64); ++i) {
        const auto op = static_cast<std::uint8_t>(fields[i].empty() ? 0 : fields[i][0]);
        // No separator or line break, as a file system gives names; byte 1 tags the files.
        std::string name(fields[i].substr(fields[i].empty() ? 0 : 1));
        std::erase_if(name, [](char c) { return c == '\\' || c == '\n' || c == '\1'; });
        folders.resize(folders.size() - std::min<std::size_t>(folders.size() - 1, (op >> 1) & 3));
        if (op & 1)
            tree.AddFile(folders.back() + "\\\1" + std::to_string(i) + "\1" + name, std::uint64_t{op} << (op & 63));
        else if (!name.empty() && name != "." && name != "..")
            tree.AddFolder(folders.emplace_back(folders.back() + "\\" + name));
    }

    // The files each start covers, as their lines end; the budget: every
    // entry's path and line ends, every file's widest line, once per start.
    const int depth = options.subFolders ? std::max(options.subFolderDepth, 0) : 0;
    std::size_t budget = 0;
    std::multiset<std::string> expected;
    for (const std::string& start : starts) {
        const std::string below = tree.Key(start) + "\\";
        budget += start.size() + 8;
        for (const auto& [key, entry] : tree.entries) {
            budget += key.size() + (entry.directory ? 8 : kLineMost);
            if (entry.directory || (options.folderNameOutput && options.folderOutputType == kFoldersOnly) ||
                !key.starts_with(below) || std::count(key.begin() + below.size(), key.end(), '\\') > depth ||
                !MatchesSearchPattern("*." + extension, entry.name, tree.text))
                continue;
            std::string line = entry.name;
            if (options.lowerCase)
                for (char& c : line) c = c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
            if (options.noExtension && line.find('.') != std::string::npos) line.erase(line.rfind('.'));
            expected.insert(line);
        }
    }

    Progress progress;
    MemoryClipboard clipboard;
    ClipboardAccumulator accumulator(clipboard, progress.clock);
    const CaseInsensitiveOrdering ordering(tree.text);
    FolderCollector collector(tree, ordering, tree.text);
    const FixedOffsetZone zone;
    ListingComposer composer(collector, accumulator, progress, tree.text, zone);
    FUZZ_REQUIRE(composer.ComposeListing(starts, extension, options));
    const std::string text = clipboard.text.value_or("");
    FUZZ_REQUIRE(text.size() <= budget);
    FUZZ_REQUIRE(text.empty() || text.ends_with("\r\n"));
    std::multiset<std::string> listed;  // each line from its tag on
    for (std::size_t begin = 0, end = 0; begin < text.size(); begin = end + 2) {
        end = text.find("\r\n", begin);
        if (const std::size_t tag = text.find('\1', begin); tag < end) listed.insert(text.substr(tag, end - tag));
    }
    FUZZ_REQUIRE(listed == expected);
    return 0;
}
