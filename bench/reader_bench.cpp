// How far folders can be read side by side: the 1,000 folders of the user's tree, each read whole with the file search
// a transfer reads it with, by one thread, by two threads of one process (every other folder each), and by two
// processes of half each; beside them the bare FindFirstFileA walk of the whole tree. The kinds take turns in each
// round; medians of seven rounds, with the lowest and the highest. Under Wine a process reads one folder at a time
// whatever its threads do, so two threads gain nothing there that two processes gain.
//   reader_bench               the figures (`make bench` makes the tree)
//   reader_bench --part I N    one process's share, folders I, I + N, ...: started by reader_bench, it reads once
//                              told to go and exits with the microseconds that took
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/listora_session.h"
#include "bench/user_tree.h"
#include "platform/win/find_file_search.h"
#include "tests/support/disk_tree.h"

namespace {
using namespace bench;

constexpr int kFolders = 1000;
constexpr std::size_t kFilesPerFolder = 100;
constexpr int kRounds = 7;
constexpr int kParts = 2;
constexpr DWORD kFailed = 0xFFFFFFFF;
constexpr DWORD kWaitMs = 30000;
const std::string kRoot = std::string("C:\\listora-bench\\") + kUserTree.name;
const char* const kGo = "listora-reader-bench-go";
const char* const kReady = "listora-reader-bench-ready";

// Reads folders first, first + step, ... of the tree; true when each held its files.
bool ReadFolders(int first, int step) {
    FindFileSearch search;
    std::size_t files = 0, folders = 0;
    char name[16];
    for (int i = first; i < kFolders; i += step, ++folders) {
        std::snprintf(name, sizeof name, "\\d%04d\\*.*", i);
        search.Search(kRoot + name, [&](const FoundEntry& entry) { files += entry.isDirectory ? 0 : 1; });
    }
    return files == folders * kFilesPerFolder;
}

int Part(int first, int step) {
    if (first < 0 || step < 1) return static_cast<int>(kFailed);
    const UniqueKernelHandle go(::OpenEventA(SYNCHRONIZE, FALSE, kGo));
    const UniqueKernelHandle ready(::OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, kReady));
    if (!go || !ready) return static_cast<int>(kFailed);
    ::ReleaseSemaphore(ready.get(), 1, nullptr);
    if (::WaitForSingleObject(go.get(), kWaitMs) != WAIT_OBJECT_0) return static_cast<int>(kFailed);
    const Clock::time_point start = Clock::now();
    if (!ReadFolders(first, step)) return static_cast<int>(kFailed);
    return static_cast<int>(Since(start) * 1e6);
}

// The seconds `read` takes; none when it did not read the folders whole.
template <typename Read>
std::optional<double> Timed(Read read) {
    const Clock::time_point start = Clock::now();
    const bool whole = read();
    const double seconds = Since(start);
    return whole ? std::optional(seconds) : std::nullopt;
}

std::optional<double> OneThread() {
    return Timed([] { return ReadFolders(0, 1); });
}

std::optional<double> TwoThreads() {
    return Timed([] {
        bool whole[kParts] = {};
        {
            std::vector<std::jthread> readers;
            for (int part = 0; part < kParts; ++part)
                readers.emplace_back([&whole, part] { whole[part] = ReadFolders(part, kParts); });
        }
        return std::all_of(std::begin(whole), std::end(whole), [](bool read) { return read; });
    });
}

std::optional<double> BareWalkTimed() {
    return Timed([] { return BareWalk(kRoot) == kUserTree.files; });
}

// Two processes, started and waiting before they are told to go: the slower one's time.
std::optional<double> TwoProcesses() {
    const UniqueKernelHandle go(::CreateEventA(nullptr, TRUE, FALSE, kGo));
    const UniqueKernelHandle ready(::CreateSemaphoreA(nullptr, 0, kParts, kReady));
    std::optional<Program> parts[kParts];
    for (int part = 0; part < kParts; ++part)
        parts[part].emplace(Program::Beside("reader_bench.exe"),
                            "--part " + std::to_string(part) + " " + std::to_string(kParts));
    for (int part = 0; part < kParts; ++part) {
        if (::WaitForSingleObject(ready.get(), kWaitMs) != WAIT_OBJECT_0) return std::nullopt;
    }
    ::SetEvent(go.get());
    DWORD slowest = 0;
    for (const std::optional<Program>& part : parts) {
        const std::optional<DWORD> micros = part->WaitForExit(milliseconds(kWaitMs));
        if (!micros || *micros == kFailed) return std::nullopt;
        slowest = std::max(slowest, *micros);
    }
    return slowest / 1e6;
}

int Driver() {
    if (GetFileAttributesA((kRoot + kTreeMadeMarker).c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("%s: the tree is not there (make_tree makes it)\n", kRoot.c_str());
        return 1;
    }
    struct Kind {
        const char* name;
        std::optional<double> (*read)();
        std::vector<double> seconds;
    };
    Kind kinds[] = {{"1 thread", OneThread, {}},
                    {"2 threads, 1 process", TwoThreads, {}},
                    {"2 processes of half", TwoProcesses, {}},
                    {"bare walk, FindFirstFileA", BareWalkTimed, {}}};
    for (int round = 0; round < kRounds; ++round) {
        // Each kind goes first in turn, so that the machine's changing load falls on all alike.
        for (std::size_t k = 0; k < std::size(kinds); ++k) {
            Kind& kind = kinds[(k + round) % std::size(kinds)];
            const std::optional<double> seconds = kind.read();
            if (!seconds) {
                std::printf("%s: a reading failed\n", kind.name);
                return 1;
            }
            kind.seconds.push_back(*seconds);
        }
    }
    std::printf("%d folders of %s read whole, medians of %d [lowest-highest]:\n", kFolders, kUserTree.name, kRounds);
    std::printf("%-26s %22s %12s\n", "readers", "seconds", "of 1 thread");
    const double one = Median(kinds[0].seconds);
    for (const Kind& kind : kinds) {
        const auto [lowest, highest] = std::minmax_element(kind.seconds.begin(), kind.seconds.end());
        std::printf("%-26s %6.3f [%6.3f-%6.3f] %11.2fx\n", kind.name, Median(kind.seconds), *lowest, *highest,
                    Median(kind.seconds) / one);
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--part") == 0) return Part(std::atoi(argv[2]), std::atoi(argv[3]));
    if (argc == 1) return Driver();
    std::fprintf(stderr, "usage: reader_bench [--part I N]\n");
    return 2;
}
