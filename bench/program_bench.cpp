// Times a transfer as its user waits for it. Listora.exe is started as a user starts it and worked from this
// process: the browser opened on the tree, the transfer button clicked, done when the progress window is gone (the
// listing is then on the clipboard), less the progress window's start delay. The baseline is a bare recursive
// FindFirstFileA walk of the same tree in this process, interleaved with the transfers; each figure is the median of
// five. Also Listora.exe's peak working set and, in a run of its own (counting asks the window for its status text
// every millisecond), how often the status line changed per second.
//   program_bench           deep and wide trees of 100,000 and 200,000 files, two presets, targets checked
//   program_bench --smoke   one tiny tree once, nothing checked
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "bench/disk_tree.h"
#include "resources/resource.h"
#include "tests/support/driver.h"

namespace {
using Clock = std::chrono::steady_clock;
using namespace support;

// Targets of the speed issue.
constexpr double kMaxRatio = 1.0;
constexpr double kMaxGrowth = 2.1;
constexpr double kMemoryAllowance = 64.0 * 1024 * 1024;
constexpr int kListingMultiple = 4;
constexpr double kMinStatusChangesPerSecond = 20;
constexpr double kStartDelaySeconds = 1.0;  // the progress window's, before the run begins

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Polls every millisecond; false after `seconds`.
bool Poll(const std::function<bool()>& condition, double seconds) {
    return WaitUntil(condition, milliseconds(static_cast<long long>(seconds * 1000)), milliseconds(1));
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Preset 1 as the registry keeps it: sub-folders down to the bottom of every tree, paths relative to the start;
// `rich` adds line numbers (six digits with zeros, ":" and a blank after), sizes and full folder headers.
void WritePreset(bool rich) {
    ForgetPresets();
    const std::pair<const char*, const char*> values[] = {
        {"DEF_SUB_FOLDER", "100"}, {"DEF_SUB_NUMBER_01", "9"}, {"DEF_FOLDER_CHECK", "100"},
        {"DEF_FOLDER_COMB", rich ? "100" : "000"}, {"DEF_LINENUMBER", rich ? "100" : "000"}, {"DEF_SEP_TYPE", "100"},
        {"DEF_NUMBERLEN_01", "6"}, {"DEF_ZERO_CHECK", "100"}, {"DEF_SEP_BEFORE_01", "0"}, {"DEF_SEP_AFTER_01", "1"},
        {"DEF_FILE_SIZE", rich ? "100" : "000"}};
    for (const auto& [name, value] : values) SetRawPreset(name, REG_SZ, value);
}

// Listora.exe, started and opened on `folder` (a folder of C:\) below `base`.
struct Session {
    Program program;
    HWND main = nullptr;

    bool Open(const std::string& base, const std::string& tree) {
        if (!(main = MainWindow(milliseconds(30000)))) return false;
        const HWND folders = ::GetDlgItem(main, IDC_FOLDER_LIST);
        std::string path = "c:";
        for (const std::string& step : {base, tree}) {
            path += "\\" + step;
            DoubleClickListItem(folders, FindListItem(folders, step));
            if (!Poll([&] { return Text(::GetDlgItem(main, IDC_PATH)) == path; }, 30)) return false;
        }
        return true;
    }

    // The status line of the progress window over the main window, once it is there.
    HWND ProgressStatus() const {
        for (HWND window = nullptr; (window = ::FindWindowExA(nullptr, window, nullptr, nullptr));) {
            if (::GetWindow(window, GW_OWNER) == main && ::IsWindowVisible(window)) return ::GetDlgItem(window, IDC_STATUS);
        }
        return nullptr;
    }

    // One transfer: its seconds from the click less the start delay and the listing's bytes; with `countStatus`
    // the status line's changes a second instead of the seconds.
    std::optional<std::pair<double, std::size_t>> Transfer(bool countStatus = false) {
        const Clock::time_point start = Clock::now();
        Click(::GetDlgItem(main, IDOK));
        if (!Poll([&] { return !::IsWindowEnabled(main); }, 30)) return std::nullopt;
        std::string shown;
        std::size_t changes = 0;
        HWND status = nullptr;
        const bool ended = Poll([&] {
            if (countStatus && !status) status = ProgressStatus();
            if (status && Text(status) != shown) shown = Text(status), ++changes;
            return ::IsWindowEnabled(main) != FALSE;
        }, 600);
        const double seconds = Since(start) - kStartDelaySeconds;
        if (!ended) return std::nullopt;
        return std::pair(countStatus ? changes / seconds : seconds, ClipboardText().value_or("").size());
    }
};

struct Figures {
    double seconds = 0, walk = 0, peak = 0, listing = 0;
};

// Five transfers through one Listora.exe, each after a walk of the tree.
std::optional<Figures> Measure(const std::string& base, const TreeSpec& tree, bool rich, int runs) {
    WritePreset(rich);
    Session session;
    const std::string root = "C:\\" + base + "\\" + tree.name;
    if (!session.Open(base, tree.name)) return std::nullopt;
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
    const std::vector<TreeSpec> trees = BenchmarkTrees(smoke);
    const int runs = smoke ? 1 : 5;
    bool ratios = true, growth = true, memory = true;
    std::vector<Figures> plain, rich;
    std::printf("through Listora.exe, medians of %d (seconds less the 1 s start delay):\n", runs);
    std::printf("%-12s %7s %8s %18s %18s %9s %9s\n", "tree", "files", "walk s", "plain s (ratio)", "rich s (ratio)", "peak MB",
                "limit MB");
    for (const TreeSpec& tree : trees) {
        CreateDirectoryA(("C:\\" + base).c_str(), nullptr);
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
        const double plainGrowth = plain[i + 1].seconds / plain[i].seconds, richGrowth = rich[i + 1].seconds / rich[i].seconds;
        std::printf("growth %s -> %s: plain %.2fx, rich %.2fx\n", trees[i].name, trees[i + 1].name, plainGrowth, richGrowth);
        growth = growth && plainGrowth <= kMaxGrowth && richGrowth <= kMaxGrowth;
    }
    // A run of its own: counting slows the window a little.
    WritePreset(false);
    Session session;
    const auto counted = session.Open(base, trees.front().name) ? session.Transfer(true) : std::nullopt;
    const double changes = counted ? counted->first : -1;
    if (changes < 0) return 1;
    std::printf("status line of %s: %.0f changes a second\n", trees.front().name, changes);
    ForgetPresets();
    if (smoke) return 0;
    const auto said = [](bool met) { return met ? "met" : "not met"; };
    std::printf("targets: transfer <= %.1fx walk %s; growth <= %.1fx %s; peak <= 64 MB + %dx listing %s; "
                "status >= %.0f changes/s %s\n",
                kMaxRatio, said(ratios), kMaxGrowth, said(growth), kListingMultiple, said(memory),
                kMinStatusChangesPerSecond, said(changes >= kMinStatusChangesPerSecond));
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--smoke") == 0) return Driver(true);
    if (argc == 1) return Driver(false);
    std::fprintf(stderr, "usage: program_bench [--smoke]\n");
    return 2;
}
