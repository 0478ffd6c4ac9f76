// How far folders can be read side by side: the 1,000 folders of the user's tree, each read whole with the file search
// a transfer reads it with, by one thread, by two threads of one process (every other folder each), by two processes
// of half each, and read ahead by two threads while this one takes them in order, as a transfer does (idle, or busy
// with each folder as a transfer is); beside them the bare FindFirstFileA walk of the whole tree. The kinds take turns
// in each round; medians of seven rounds, with the lowest and the highest, and the processor time the readers took.
// Under Wine a process's directory reads take turns whatever its threads do, so its threads keep no more processors
// busy than one.
//   reader_bench               the figures (`make bench` makes the tree)
//   reader_bench --part I N    one process's share, folders I, I + N, ...: started by reader_bench, it reads once
//                              told to go and exits with the milliseconds that took and the processor's
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
#include "engine/prefetching_search.h"
#include "platform/win/find_file_search.h"
#include "tests/support/disk_tree.h"

namespace {
using namespace bench;

constexpr int kFolders = 1000;
constexpr std::size_t kFilesPerFolder = kUserTree.files / kFolders;
constexpr int kRounds = 7;
constexpr int kParts = 2;
constexpr DWORD kFailed = 0xFFFFFFFF;
constexpr DWORD kWaitMs = 30000;
const std::string kRoot = std::string("C:\\listora-bench\\") + kUserTree.name;
const char* const kGo = "listora-reader-bench-go";
const char* const kReady = "listora-reader-bench-ready";

// Seconds of a reading: as the clock saw them, and the processor time its threads took (user and kernel).
struct Reading {
    double seconds = 0, processor = 0;
};

// Of this thread, or with `process` of every thread of this process.
double ProcessorSeconds(bool process = false) {
    FILETIME created, exited, kernel, user;
    if (!(process ? ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)
                  : ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user)))
        return 0;
    const auto seconds = [](const FILETIME& time) {
        return static_cast<double>((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// Runs `read` on this thread; none when it did not read its folders whole. With `process` the processor time of
// every thread of this process counts.
template <typename Read>
std::optional<Reading> Timed(Read read, bool process = false) {
    const double processor = ProcessorSeconds(process);
    const Clock::time_point start = Clock::now();
    const bool whole = read();
    const Reading reading{Since(start), ProcessorSeconds(process) - processor};
    return whole ? std::optional(reading) : std::nullopt;
}

// The search of every file of folder `index` of the tree.
std::string Pattern(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "\\d%04d\\*.*", index);
    return kRoot + name;
}

// Reads folders first, first + step, ... of the tree; true when each held its files.
bool ReadFolders(int first, int step) {
    FindFileSearch search;
    std::size_t files = 0, folders = 0;
    for (int i = first; i < kFolders; i += step, ++folders)
        search.Search(Pattern(i), [&](const FoundEntry& entry) { files += entry.isDirectory ? 0 : 1; });
    return files == folders * kFilesPerFolder;
}

// One process's share, once told to go: its exit code holds the milliseconds it took (high 16 bits) and the
// processor's (low 16 bits).
int Part(int first, int step) {
    if (first < 0 || step < 1) return static_cast<int>(kFailed);
    const UniqueKernelHandle go(::OpenEventA(SYNCHRONIZE, FALSE, kGo));
    const UniqueKernelHandle ready(::OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, kReady));
    if (!go || !ready) return static_cast<int>(kFailed);
    ::ReleaseSemaphore(ready.get(), 1, nullptr);
    if (::WaitForSingleObject(go.get(), kWaitMs) != WAIT_OBJECT_0) return static_cast<int>(kFailed);
    const std::optional<Reading> reading = Timed([&] { return ReadFolders(first, step); });
    if (!reading) return static_cast<int>(kFailed);
    const auto ms = [](double seconds) { return std::min<DWORD>(static_cast<DWORD>(seconds * 1000), 0xFFFF); };
    return static_cast<int>(ms(reading->seconds) << 16 | ms(reading->processor));
}

std::optional<Reading> OneThread() {
    return Timed([] { return ReadFolders(0, 1); });
}

std::optional<Reading> TwoThreads() {
    bool whole[kParts] = {};
    double processor[kParts] = {};
    const std::optional<Reading> reading = Timed([&] {
        std::vector<std::jthread> readers;
        for (int part = 0; part < kParts; ++part) {
            readers.emplace_back([&, part] {
                const std::optional<Reading> own = Timed([&] { return ReadFolders(part, kParts); });
                whole[part] = own.has_value();
                processor[part] = own ? own->processor : 0;
            });
        }
        return true;
    });
    if (!reading || !std::all_of(std::begin(whole), std::end(whole), [](bool read) { return read; }))
        return std::nullopt;
    return Reading{reading->seconds, processor[0] + processor[1]};
}

// As a transfer reads them: every folder announced to two readers ahead, then taken in order on this thread, which
// spends `work` on each, as the window's thread of a transfer is busy with each folder of 100 files (about 0.35 ms).
std::optional<Reading> ReadAhead(std::chrono::microseconds work) {
    return Timed(
        [work] {
            FindFileSearch search;
            PrefetchingSearch ahead(search, kParts);
            std::vector<std::string> patterns;
            for (int i = 0; i < kFolders; ++i) patterns.push_back(Pattern(i));
            ahead.Prefetch(patterns);
            std::size_t files = 0;
            for (const std::string& pattern : patterns) {
                ahead.Search(pattern, [&](const FoundEntry& entry) { files += entry.isDirectory ? 0 : 1; });
                for (const Clock::time_point until = Clock::now() + work; Clock::now() < until;) {
                }
            }
            return files == kUserTree.files;
        },
        true);
}

std::optional<Reading> ReadAheadIdle() { return ReadAhead({}); }
std::optional<Reading> ReadAheadBusy() { return ReadAhead(std::chrono::microseconds(350)); }

std::optional<Reading> BareWalkTimed() {
    return Timed([] { return BareWalk(kRoot) == kUserTree.files; });
}

// Two processes, started and waiting before they are told to go: the slower one's time, the processor's in all.
std::optional<Reading> TwoProcesses() {
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
    Reading reading;
    for (const std::optional<Program>& part : parts) {
        const std::optional<DWORD> code = part->WaitForExit(milliseconds(kWaitMs));
        if (!code || *code == kFailed) return std::nullopt;
        reading.seconds = std::max(reading.seconds, (*code >> 16) / 1000.0);
        reading.processor += (*code & 0xFFFF) / 1000.0;
    }
    return reading;
}

int Driver() {
    if (GetFileAttributesA((kRoot + kTreeMadeMarker).c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("%s: the tree is not there (make_tree makes it)\n", kRoot.c_str());
        return 1;
    }
    struct Kind {
        const char* name;
        std::optional<Reading> (*read)();
        std::vector<double> seconds, processor, busy;
    };
    Kind kinds[] = {{"1 thread", OneThread, {}, {}, {}},
                    {"2 threads, 1 process", TwoThreads, {}, {}, {}},
                    {"2 processes of half", TwoProcesses, {}, {}, {}},
                    {"2 reading ahead, in order", ReadAheadIdle, {}, {}, {}},
                    {"the same, taker busy", ReadAheadBusy, {}, {}, {}},
                    {"bare walk, FindFirstFileA", BareWalkTimed, {}, {}, {}}};
    for (int round = 0; round < kRounds; ++round) {
        // Each kind goes first in turn, so that the machine's changing load falls on all alike.
        for (std::size_t k = 0; k < std::size(kinds); ++k) {
            Kind& kind = kinds[(k + round) % std::size(kinds)];
            const std::optional<Reading> reading = kind.read();
            if (!reading) {
                std::printf("%s: a reading failed\n", kind.name);
                return 1;
            }
            kind.seconds.push_back(reading->seconds);
            kind.processor.push_back(reading->processor);
            kind.busy.push_back(reading->processor / reading->seconds);
        }
    }
    // Readers that take turns keep no more of the processors busy than one does, however many cores are free.
    std::printf(
        "%d folders of %s read whole, medians of %d [lowest-highest]; processor seconds of the readers, and\n"
        "how many processors they kept busy on average (processor seconds / seconds):\n",
        kFolders, kUserTree.name, kRounds);
    std::printf("%-26s %22s %11s %10s %5s\n", "readers", "seconds", "of 1 thread", "processor", "busy");
    const double one = Median(kinds[0].seconds);
    for (const Kind& kind : kinds) {
        const auto [lowest, highest] = std::minmax_element(kind.seconds.begin(), kind.seconds.end());
        std::printf("%-26s %6.3f [%6.3f-%6.3f] %10.2fx %10.3f %5.2f\n", kind.name, Median(kind.seconds), *lowest,
                    *highest, Median(kind.seconds) / one, Median(kind.processor), Median(kind.busy));
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
