// Times a transfer as its user waits for it. Listora.exe is started as a user starts it and worked from this
// process: started at the tree, the transfer button clicked, done when the progress window is gone (the
// listing is then on the clipboard), less the progress window's start delay. The baseline is a bare recursive
// FindFirstFileA walk of the same tree in this process, interleaved with the transfers; each figure is the median of
// five. Also Listora.exe's peak working set and, in a run of its own (counting asks the window for its status text
// every millisecond), how often the status line changed per second.
//   program_bench           deep and wide trees of 100,000 and 200,000 files and one of a million, two presets,
//                           targets checked
//   program_bench --smoke   one tiny tree once, nothing checked
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/disk_tree.h"
#include "bench/listora_session.h"

namespace {
using namespace bench;

// Targets of the speed issue.
constexpr double kMaxRatio = 1.0;
constexpr double kMaxGrowth = 2.1;
constexpr double kMemoryAllowance = 64.0 * 1024 * 1024;
constexpr int kListingMultiple = 4;
constexpr double kMinStatusChangesPerSecond = 20;

struct Figures {
    double seconds = 0, walk = 0, peak = 0, listing = 0;
};

// Five transfers through one Listora.exe, each after a walk of the tree.
std::optional<Figures> Measure(const std::string& base, const TreeSpec& tree, bool rich, int runs) {
    WritePreset(rich);
    const std::string root = "C:\\" + base + "\\" + tree.name;
    Session session(root);
    if (!session.main) return std::nullopt;
    std::vector<double> seconds, walks;
    Figures figures;
    for (int i = 0; i < runs; ++i) {
        const Clock::time_point start = Clock::now();
        if (BareWalk(root) != tree.files) return std::nullopt;
        walks.push_back(Since(start));
        const auto run = session.Transfer();
        if (!run) return std::nullopt;
        seconds.push_back(run->first);
        figures.listing = static_cast<double>(run->second);
    }
    figures.seconds = Median(seconds);
    figures.walk = Median(walks);
    figures.peak = static_cast<double>(session.program.Resources().peakWorkingSet);
    return figures;
}

int Driver(bool smoke) {
    const std::string base = smoke ? "listora-bench-smoke" : "listora-bench";
    std::vector<TreeSpec> trees = BenchmarkTrees(smoke);
    // The scale figure, after the pairs; its medians are of three.
    if (!smoke) trees.push_back(kMillionTree);
    bool ratios = true, growth = true, memory = true;
    std::vector<Figures> plain, rich;
    std::printf("through Listora.exe, medians of %d (%d for a million files; seconds less the 1 s start delay):\n",
                smoke ? 1 : 5, 3);
    std::printf("%-12s %7s %8s %18s %18s %9s %9s\n", "tree", "files", "walk s", "plain s (ratio)", "rich s (ratio)",
                "peak MB", "limit MB");
    for (const TreeSpec& tree : trees) {
        CreateDirectoryA(("C:\\" + base).c_str(), nullptr);
        const int runs = smoke ? 1 : tree.files >= kMillionTree.files ? 3 : 5;
        const auto first = EnsureTree("C:\\" + base, tree) ? Measure(base, tree, false, runs) : std::nullopt;
        const auto second = first ? Measure(base, tree, true, runs) : std::nullopt;
        if (!second) {
            std::printf("%s: a measurement failed\n", tree.name);
            return 1;
        }
        plain.push_back(*first), rich.push_back(*second);
        const double walk = (first->walk + second->walk) / 2, mb = 1024.0 * 1024.0;
        const double peak = std::max(first->peak, second->peak);
        const double limit = kMemoryAllowance + kListingMultiple * std::max(first->listing, second->listing);
        std::printf("%-12s %7zu %8.3f %9.3f (%5.2fx) %9.3f (%5.2fx) %9.1f %9.1f\n", tree.name, tree.files, walk,
                    first->seconds, first->seconds / first->walk, second->seconds, second->seconds / second->walk,
                    peak / mb, limit / mb);
        ratios = ratios && first->seconds <= kMaxRatio * first->walk && second->seconds <= kMaxRatio * second->walk;
        memory = memory && peak <= limit;
    }
    for (std::size_t i = 0; i + 1 < trees.size() && !smoke; i += 2) {
        const double plainGrowth = plain[i + 1].seconds / plain[i].seconds,
                     richGrowth = rich[i + 1].seconds / rich[i].seconds;
        std::printf("growth %s -> %s: plain %.2fx, rich %.2fx\n", trees[i].name, trees[i + 1].name, plainGrowth,
                    richGrowth);
        growth = growth && plainGrowth <= kMaxGrowth && richGrowth <= kMaxGrowth;
    }
    // A run of its own: counting slows the window a little.
    WritePreset(false);
    Session session("C:\\" + base + "\\" + trees.front().name);
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
}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--smoke") == 0) return Driver(true);
    if (argc == 1) return Driver(false);
    std::fprintf(stderr, "usage: program_bench [--smoke]\n");
    return 2;
}
