// Times a transfer as its user waits for it, in the two ways a user starts one: Listora.exe started at the tree
// (done when the main window takes input again), and started with no arguments and browsed to the tree from "c:\"
// (done when the progress window is no longer visible), both less the progress window's start delay. The baseline is
// a bare recursive FindFirstFileA walk of the same tree in this process, interleaved with the transfers; each figure
// is the median of five (six when browsed: two rounds of three), with the lowest and the highest. Also Listora.exe's
// peak working set and, in a run of its own (counting asks the window for its status text every millisecond), how often
// the status line changed per second.
//   program_bench              deep and wide trees of 100,000 and 200,000 files, two presets; the user's tree with
//                              the user's preset; a million files; targets checked
//   program_bench --tree NAME  that tree alone
//   program_bench --breakdown  where the time of three transfers of the user's tree goes, browsed there, as
//                              Listora.exe traces it
//   program_bench --smoke      two tiny trees once, nothing checked
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/disk_tree.h"
#include "bench/listora_session.h"
#include "bench/user_tree.h"

namespace {
using namespace bench;

// Targets of the speed issue.
constexpr double kMaxRatio = 1.0;
constexpr double kMaxGrowth = 2.1;
constexpr double kMemoryAllowance = 64.0 * 1024 * 1024;
constexpr int kListingMultiple = 4;
constexpr double kMinStatusChangesPerSecond = 20;

struct Spread {
    double median = 0, lowest = 0, highest = 0;
};
Spread Of(const std::vector<double>& values) {
    return {Median(values), *std::min_element(values.begin(), values.end()),
            *std::max_element(values.begin(), values.end())};
}

struct Figures {
    Spread seconds, walk;
    double peak = 0, listing = 0;
};

// Started at the tree: transfers through one Listora.exe, each after a walk. Browsed there, as the user timed it:
// rounds of a walk and then one Listora.exe browsed there with three transfers back to back, and a walk at the end.
std::optional<Figures> Measure(const std::string& root, const TreeSpec& tree, Preset preset, bool browse, int runs) {
    constexpr std::size_t kPerSession = 3;
    WritePreset(preset);
    std::vector<double> seconds, walks;
    Figures figures;
    const auto walk = [&] {
        const Clock::time_point start = Clock::now();
        const bool whole = BareWalk(root) == tree.files;
        walks.push_back(Since(start));
        return whole;
    };
    std::optional<Session> session;
    for (std::size_t i = 0; i < static_cast<std::size_t>(runs); ++i) {
        const bool round = browse && i % kPerSession == 0;
        if ((!browse || round) && !walk()) return std::nullopt;
        if (session && round) {
            figures.peak = std::max(figures.peak, static_cast<double>(session->program.Resources().peakWorkingSet));
            session.reset();
        }
        if (!session && !session.emplace(root, browse).main) return std::nullopt;
        const auto run = session->Transfer();
        if (!run) return std::nullopt;
        seconds.push_back(run->first);
        figures.listing = static_cast<double>(run->second);
    }
    if (browse && !walk()) return std::nullopt;
    figures.seconds = Of(seconds);
    figures.walk = Of(walks);
    figures.peak = std::max(figures.peak, static_cast<double>(session->program.Resources().peakWorkingSet));
    return figures;
}

int Driver(bool smoke, const std::string& only) {
    const std::string base = smoke ? "C:\\listora-bench-smoke" : "C:\\listora-bench";
    std::vector<TreeSpec> trees = BenchmarkTrees(smoke);
    const std::size_t pairs = trees.size();
    if (!smoke) trees.push_back(kUserTree);
    // The scale figure, after the pairs; its medians are of three.
    if (!smoke) trees.push_back(kMillionTree);
    std::erase_if(trees, [&](const TreeSpec& tree) { return !only.empty() && only != tree.name; });
    if (trees.empty()) return 2;
    bool ratios = true, growth = true, memory = true;
    // Seconds by tree, preset and way, for the growth.
    std::map<std::tuple<std::string, Preset, bool>, double> seconds;
    std::printf(
        "through Listora.exe, medians of %d, browsed %d (%d for a million files) [lowest-highest], seconds less the "
        "1 s start delay:\n",
        smoke ? 1 : 5, smoke ? 1 : 6, 3);
    std::printf("%-12s %7s %-5s %-8s %22s %22s %6s %8s %8s\n", "tree", "files", "preset", "way", "walk s", "transfer s",
                "ratio", "peak MB", "limit MB");
    CreateDirectoryA(base.c_str(), nullptr);
    for (const TreeSpec& tree : trees) {
        const bool user = std::string_view(tree.name) == kUserTree.name;
        // The user's tree is made by make_tree alone (`make bench`), as the issue names it.
        if (user ? GetFileAttributesA((base + "\\" + tree.name + kTreeMadeMarker).c_str()) == INVALID_FILE_ATTRIBUTES
                 : !EnsureTree(base, tree)) {
            std::printf("%s: the tree is not there (make_tree makes it)\n", tree.name);
            return 1;
        }
        const int runs = smoke ? 1 : tree.files >= kMillionTree.files ? 3 : 5;
        for (const Preset preset : user ? std::vector{Preset::User} : std::vector{Preset::Plain, Preset::Rich}) {
            for (const bool browse : {false, true}) {
                // Browsed, whole rounds of three.
                const int transfers = browse && !smoke ? (runs + 2) / 3 * 3 : runs;
                const auto figures = Measure(base + "\\" + tree.name, tree, preset, browse, transfers);
                if (!figures) {
                    std::printf("%s: a measurement failed\n", tree.name);
                    return 1;
                }
                const double mb = 1024.0 * 1024.0;
                const double limit = kMemoryAllowance + kListingMultiple * figures->listing;
                const double ratio = figures->seconds.median / figures->walk.median;
                const Spread &w = figures->walk, &t = figures->seconds;
                std::printf("%-12s %7zu %-6s %-8s %6.3f [%6.3f-%6.3f] %6.3f [%6.3f-%6.3f] %5.2fx %8.1f %8.1f\n",
                            tree.name, tree.files, Name(preset), browse ? "browsed" : "argument", w.median, w.lowest,
                            w.highest, t.median, t.lowest, t.highest, ratio, figures->peak / mb, limit / mb);
                std::fflush(stdout);
                seconds[{tree.name, preset, browse}] = t.median;
                ratios = ratios && ratio <= kMaxRatio;
                memory = memory && figures->peak <= limit;
            }
        }
    }
    for (std::size_t i = 0; i + 1 < pairs && !smoke && only.empty(); i += 2) {
        for (const bool browse : {false, true}) {
            const auto grown = [&](Preset preset) {
                return seconds[{trees[i + 1].name, preset, browse}] / seconds[{trees[i].name, preset, browse}];
            };
            std::printf("growth %s -> %s, %s: plain %.2fx, rich %.2fx\n", trees[i].name, trees[i + 1].name,
                        browse ? "browsed" : "argument", grown(Preset::Plain), grown(Preset::Rich));
            growth = growth && grown(Preset::Plain) <= kMaxGrowth && grown(Preset::Rich) <= kMaxGrowth;
        }
    }
    if (!only.empty()) return 0;
    // A run of its own: counting slows the window a little.
    WritePreset(Preset::Plain);
    Session session(base + "\\" + trees.front().name);
    const auto counted = session.main ? session.Transfer(true) : std::nullopt;
    const double changes = counted ? counted->first : -1;
    if (changes < 0) return 1;
    std::printf("status line of %s: %.0f changes a second\n", trees.front().name, changes);
    ForgetPresets();
    if (smoke) return 0;
    const auto said = [](bool met) { return met ? "met" : "not met"; };
    std::printf(
        "targets: transfer <= %.1fx walk %s; growth <= %.1fx %s; peak <= 64 MB + %dx listing %s; "
        "status >= %.0f changes/s %s\n",
        kMaxRatio, said(ratios), kMaxGrowth, said(growth), kListingMultiple, said(memory), kMinStatusChangesPerSecond,
        said(changes >= kMinStatusChangesPerSecond));
    return 0;
}
// A step of Listora.exe's trace: the first start and the last end of its occurrences, how many, their time in all.
struct Traced {
    std::string label;
    double first = 0, last = 0, total = 0;
    long count = 0;
};

std::vector<Traced> ReadTrace(const std::string& path) {
    std::vector<Traced> steps;
    FILE* file = std::fopen(path.c_str(), "r");
    if (!file) return steps;
    Traced step;
    char label[64];
    while (std::fscanf(file, "%lf %lf %ld %lf %63[^\n]", &step.first, &step.last, &step.count, &step.total, label) ==
           5) {
        step.label = label;
        steps.push_back(step);
    }
    std::fclose(file);
    return steps;
}

// Where the time of one transfer went, in milliseconds, in the rows' order; empty when the trace is not whole.
std::vector<double> Breakdown(const std::vector<Traced>& trace, double clicked, double seconds) {
    const auto all = [&](const char* label) {
        std::vector<Traced> found;
        for (const Traced& step : trace)
            if (step.label == label) found.push_back(step);
        return found;
    };
    const auto one = [&](const char* label) { return all(label).empty() ? Traced{} : all(label).front(); };
    const std::vector<Traced> opened = all("clipboard opened"), closed = all("clipboard closed");
    const Traced asked = one("transfer asked"), set = one("start timer set"), shown = one("dialog shown"),
                 timer = one("start timer"), search = one("folder searched"), item = one("item"),
                 returned = one("run returned");
    if (opened.size() < 2 || closed.size() != opened.size() || returned.count == 0 || item.count == 0) return {};
    // The first session empties the clipboard, the last publishes what is left; the others publish on the way.
    double between = 0, longest = 0;
    for (std::size_t i = 1; i + 1 < opened.size(); ++i) {
        between += closed[i].last - opened[i].first;
        longest = std::max(longest, closed[i].last - opened[i].first);
    }
    const double clearEnd = closed.front().last, last = opened.back().first, done = closed.back().last;
    const auto count = [](double n) { return n / 1000; };  // shown as it is
    std::vector<double> rows = {
        asked.first - clicked,
        set.first - asked.first,
        shown.first - set.first,
        timer.first - asked.first - kStartDelaySeconds,
        timer.first - clicked - kStartDelaySeconds,
        clearEnd - timer.first,
        search.first - clearEnd,
        item.first - search.first,
        count(static_cast<double>(search.count)),
        count(static_cast<double>(one("sort key").count)),
        one("sort key").total,
        last - item.first,
        count(static_cast<double>(opened.size() - 2)),
        between,
        longest,
        count(static_cast<double>(one("status text").count + one("status text, walk").count)),
        one("status text").total + one("status text, walk").total,
        one("messages pumped").total + one("messages pumped, walk").total,
        done - last,
        returned.first - done,
        clicked + kStartDelaySeconds + seconds - returned.first,
        seconds,
    };
    for (double& row : rows) row *= 1000;
    return rows;
}

// Three transfers of the user's tree through one Listora.exe started there, then three through one browsed there,
// each traced by Listora.exe; where their time went, side by side.
int Breakdown() {
    const std::string base = "C:\\listora-bench", root = base + "\\" + kUserTree.name, trace = root + ".trace";
    if (GetFileAttributesA((root + kTreeMadeMarker).c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("%s: the tree is not there (make_tree makes it)\n", root.c_str());
        return 1;
    }
    WritePreset(Preset::User);
    std::vector<std::vector<double>> transfers;
    for (const bool browse : {false, true}) {
        SetEnvironmentVariableA("LISTORA_TRACE", trace.c_str());
        Session session(root, browse);
        SetEnvironmentVariableA("LISTORA_TRACE", nullptr);
        for (int i = 0; session.main && i < 3; ++i) {
            DeleteFileA(trace.c_str());
            const auto run = session.Transfer();
            std::vector<Traced> steps;
            // Written once the dialog is gone; whole when its last line is there.
            const auto written = [&] {
                return !(steps = ReadTrace(trace)).empty() && steps.back().label == "transfer ended";
            };
            if (!run || !WaitUntil(written, milliseconds(10000))) break;
            const double clicked = std::chrono::duration<double>(session.clicked.time_since_epoch()).count();
            transfers.push_back(Breakdown(steps, clicked, run->first));
            if (transfers.back().empty()) transfers.pop_back();
        }
    }
    DeleteFileA(trace.c_str());
    ForgetPresets();
    if (transfers.size() != 6) {
        std::printf("a traced transfer failed\n");
        return 1;
    }
    static constexpr const char* kRows[] = {
        "click to the transfer's start",
        "preset read, dialog made, start timer set",
        "timer set to dialog shown",
        "start timer's lateness beyond 1 s after the start",
        "start timer's lateness beyond 1 s after the click",
        "clipboard emptied",
        "to the first search",
        "folders collected: first search to first item",
        "  folders searched (count)",
        "sort keys (count)",
        "sort keys",
        "composing, files read: to the last publication",
        "  publications on the way (count)",
        "  publications on the way",
        "  the longest of them",
        "status line changes (count)",
        "  status text set",
        "  messages pumped",
        "last publication",
        "its end to the run's return",
        "run's return to the window seen gone",
        "click to gone, less 1 s",
    };
    std::printf("%s, preset %s; ms of three transfers started at the tree, then three browsed there:\n", kUserTree.name,
                Name(Preset::User));
    std::printf("| %-50s | at tree |       2 |       3 | browsed |       2 |       3 |\n", "ms");
    std::printf("|%s|--------:|--------:|--------:|--------:|--------:|--------:|\n", std::string(52, '-').c_str());
    for (std::size_t row = 0; row < std::size(kRows); ++row) {
        const bool count = std::strstr(kRows[row], "(count)") != nullptr;
        std::printf("| %-50s |", kRows[row]);
        for (const auto& transfer : transfers) std::printf(count ? " %7.0f |" : " %7.1f |", transfer[row]);
        std::printf("\n");
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--smoke") == 0) return Driver(true, {});
    if (argc == 3 && std::strcmp(argv[1], "--tree") == 0) return Driver(false, argv[2]);
    if (argc == 2 && std::strcmp(argv[1], "--breakdown") == 0) return Breakdown();
    if (argc == 1) return Driver(false, {});
    std::fprintf(stderr, "usage: program_bench [--smoke | --tree NAME | --breakdown]\n");
    return 2;
}
