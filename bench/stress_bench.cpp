// Listora.exe under hostile conditions, started at a folder and worked from this process, which plays the other
// programs of a user's machine:
// - a contested clipboard: through a transfer this process holds the clipboard again and again for tens of
//   milliseconds, once for three seconds, and once writes a text of its own. The run must end with its window
//   answering all along, no failure said, and the clipboard holding that text followed by the rest of the listing;
// - a changing tree: through a transfer this process makes and deletes files and folders in the tree. The run must
//   end, every line name a path that existed at some moment, and no file that stayed all along be missing;
// - a soak: one program run makes many transfers of a small tree; its GDI and USER objects, handles and memory
//   must not grow beyond a small fixed bound.
//   stress_bench           100,000 files contested and changing, 1,000 transfers
//   stress_bench --smoke   20,000 files, 30 transfers (the tests run this)
#include <atomic>
#include <cstdio>
#include <cstring>
#include <deque>
#include <set>
#include <sstream>
#include <thread>

#include "tests/support/disk_tree.h"
#include "bench/listora_session.h"

namespace {
using namespace bench;

const std::string kTheirs = "another program's text\r\n";

// The files a listing of the plain preset names: after the start folder, paths relative to it, and empty lines.
std::set<std::string> ListedFiles(const std::string& listing, const std::string& root) {
    std::set<std::string> files;
    std::istringstream lines(listing);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        if (line.ends_with('\r')) line.pop_back();
        if (!line.empty()) files.insert(root + "\\" + line);
    }
    return files;
}

// Watches the program through a transfer: how long its progress window took at most to answer a message, and
// whether it said that something failed (its box is dismissed, so the run can end).
struct Watch {
    explicit Watch(Session& session) : session(session) {}
    void operator()() {
        if (Since(last) < 0.01) return;
        last = Clock::now();
        if (const HWND box = ::FindWindowA("#32770", "Listora"))
            failureSaid = true, ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        DWORD_PTR ignored = 0;
        if (const HWND progress = session.Progress())
            ::SendMessageTimeoutA(progress, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &ignored);
        longestAnswer = std::max(longestAnswer, Since(last));
    }
    Session& session;
    Clock::time_point last = Clock::now();
    double longestAnswer = 0;
    bool failureSaid = false;
};

bool Contested(const std::string& root, const std::string& whole) {
    Session session(root);
    if (!session.main) return false;
    std::atomic<bool> running = true, wrote = false;
    std::thread contester([&] {
        // From the first path the run shows: the listing has begun.
        while (running && Text(::GetDlgItem(session.Progress(), IDC_STATUS)).empty()) ::Sleep(1);
        for (int burst = 0; running; ++burst) {
            if (burst == 0) {
                wrote = SetClipboardText(kTheirs);
            } else if (::OpenClipboard(nullptr)) {
                ::Sleep(burst == 2 ? 3000 : 30);
                ::CloseClipboard();
            }
            ::Sleep(20);
        }
    });
    Watch watch(session);
    const auto run = session.Transfer(false, std::ref(watch));
    running = false;
    contester.join();
    const std::string text = ClipboardText(CF_UNICODETEXT).value_or("");
    const bool continued =
        text.size() > kTheirs.size() && text.starts_with(kTheirs) && whole.ends_with(text.substr(kTheirs.size()));
    std::printf(
        "contested clipboard: %s in %.2f s; the window answered within %.3f s; their text %s; the listing %s; %s\n",
        run ? "ended" : "did NOT end", run ? run->first : 0, watch.longestAnswer, wrote ? "written" : "NOT written",
        continued ? "continued after it to its end" : "NOT continued whole",
        watch.failureSaid ? "a failure was said" : "no failure said");
    return run && wrote && continued && !watch.failureSaid && watch.longestAnswer < 0.5;
}

bool Changing(const std::string& root, const std::set<std::string>& before) {
    Session session(root);
    if (!session.main) return false;
    std::atomic<bool> running = true;
    std::set<std::string> made;  // files that existed at some moment of the run besides the tree's own
    std::thread changer([&] {
        std::vector<std::string> folders;
        for (const std::string& file : before) folders.push_back(file.substr(0, file.rfind('\\')));
        folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
        std::deque<std::string> fresh;  // files beside the tree's own, each deleted ten rounds later
        for (std::size_t round = 0; running; ++round) {
            const std::string folder = folders[round * 7919 % folders.size()], name = "fresh-" + std::to_string(round);
            // A folder with a file in it comes and goes at once.
            DiskTree(folder + "\\" + name).AddFile("inside.txt", 1);
            made.insert(folder + "\\" + name + "\\inside.txt");
            fresh.push_back(folder + "\\" + name + ".txt");
            DiskTree(folder).AddFile(name + ".txt", 1);
            made.insert(fresh.back());
            ::Sleep(2);
            ::DeleteFileA((folder + "\\" + name + "\\inside.txt").c_str());
            ::RemoveDirectoryA((folder + "\\" + name).c_str());
            if (fresh.size() > 10) ::DeleteFileA(fresh.front().c_str()), fresh.pop_front();
        }
        for (const std::string& file : fresh) ::DeleteFileA(file.c_str());
    });
    Watch watch(session);
    const auto run = session.Transfer(false, std::ref(watch));
    running = false;
    changer.join();
    const std::set<std::string> listed = ListedFiles(ClipboardText(CF_UNICODETEXT).value_or(""), root);
    std::size_t strange = 0, missing = 0;
    for (const std::string& file : listed) strange += !before.contains(file) && !made.contains(file);
    for (const std::string& file : before) missing += !listed.contains(file);
    std::printf(
        "changing tree: %s in %.2f s with %zu files made meanwhile; %zu lines, %zu naming no file that existed, "
        "%zu files of the tree missing\n",
        run ? "ended" : "did NOT end", run ? run->first : 0, made.size(), listed.size(), strange, missing);
    return run && strange == 0 && missing == 0 && !watch.failureSaid;
}

bool Soak(const std::string& root, int transfers) {
    Session session(root);
    if (!session.main) return false;
    ResourceUse settled{};
    for (int i = 0; i < transfers; ++i) {
        if (!session.Transfer()) return false;
        // The shell's caches and the heap settle over the first few.
        if (i == 4) settled = session.program.Resources();
    }
    const ResourceUse after = session.program.Resources();
    const bool bounded = after.gdiObjects <= settled.gdiObjects + 8 && after.windows <= settled.windows + 4 &&
                         after.handles <= settled.handles + 16 &&
                         after.committedBytes <= settled.committedBytes + 4 * 1024 * 1024;
    std::printf(
        "soak: %d transfers in one run; after the 5th and the last: GDI objects %lu -> %lu, windows %lu -> %lu, "
        "handles %lu -> %lu, committed %.1f -> %.1f MB\n",
        transfers, settled.gdiObjects, after.gdiObjects, settled.windows, after.windows, settled.handles, after.handles,
        settled.committedBytes / 1048576.0, after.committedBytes / 1048576.0);
    return bounded;
}

int Driver(bool smoke) {
    const std::string base = "C:\\listora-bench";
    ::CreateDirectoryA(base.c_str(), nullptr);
    const TreeSpec tree = StressTrees(smoke).front();
    const std::string root = base + "\\" + tree.name;
    if (!EnsureTree(base, tree)) return 1;
    WritePreset(Preset::Plain);
    // The listing undisturbed, and what it names.
    std::string whole;
    {
        Session session(root);
        if (!session.main || !session.Transfer()) return 1;
        whole = ClipboardText(CF_UNICODETEXT).value_or("");
    }
    const std::set<std::string> before = ListedFiles(whole, root);
    if (before.size() != tree.files) return 1;
    const bool contested = Contested(root, whole), changing = Changing(root, before);
    const TreeSpec small{"soak-200", true, 200};
    const bool soaked = EnsureTree(base, small) && Soak(base + "\\" + small.name, smoke ? 30 : 1000);
    ForgetPresets();
    std::printf("targets: contested clipboard %s; changing tree %s; soak %s\n", contested ? "met" : "NOT met",
                changing ? "met" : "NOT met", soaked ? "met" : "NOT met");
    return contested && changing && soaked ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 1) return Driver(false);
    if (argc == 2 && std::strcmp(argv[1], "--smoke") == 0) return Driver(true);
    std::fprintf(stderr, "usage: stress_bench [--smoke]\n");
    return 2;
}
