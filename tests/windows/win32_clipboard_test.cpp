#include "platform/win/win32_clipboard.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/disk_tree.h"
#include "engine/clipboard_accumulator.h"
#include "engine/clock.h"
#include "engine/folder_collector.h"
#include "engine/listing_composer.h"
#include "engine/progress_sink.h"
#include "platform/win/find_file_search.h"
#include "platform/win/list_box_ordering.h"
#include "platform/win/status_progress_sink.h"
#include "platform/win/system_text_services.h"
#include "platform/win/win_handles.h"
#include "tests/windows/clipboard_access.h"

namespace {
using namespace clipboard_access;

// The watcher program's process; ended by force if a test leaves it behind.
struct ProcessTraits {
    using Handle = HANDLE;
    static HANDLE Empty() { return nullptr; }
    static void Close(HANDLE process) {
        if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
        CloseHandle(process);
    }
};
using UniqueProcess = UniqueHandle<ProcessTraits>;

// Starts the watcher program with `arguments` and waits until it is at work.
UniqueProcess StartWatcher(const std::string& arguments) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string program(self);
    program = program.substr(0, program.rfind('\\')) + "\\clipboard_watcher.exe";
    const UniqueKernelHandle ready(CreateEventA(nullptr, TRUE, FALSE, "listora-watcher-ready"));
    std::string command = "\"" + program + "\" " + arguments + " listora-watcher-ready";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << program;
        return UniqueProcess();
    }
    CloseHandle(process.hThread);
    UniqueProcess watcher(process.hProcess);
    EXPECT_EQ(WaitForSingleObject(ready.get(), 10000), WAIT_OBJECT_0);
    return watcher;
}

struct Win32ClipboardTest : ::testing::Test {
    void SetUp() override {
        owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override {
        if (owner) DestroyWindow(owner);
    }

    HWND owner = nullptr;
    SteadyClock clock;
};

TEST_F(Win32ClipboardTest, ListingStaysAsExactTextAfterTheOwnerIsGone) {
    PutOnClipboard(RegisterClipboardFormatA("Listora test picture"), "not text");
    Win32Clipboard clipboard(owner);
    ClipboardAccumulator accumulator(clipboard, clock);
    ASSERT_TRUE(accumulator.Clear());
    EXPECT_EQ(CountClipboardFormats(), 0);
    const std::string kanji = "C:\\\x95\x5C\\\x83\x5C.txt";
    for (const std::string& piece : {kanji, std::string("\r"), std::string("\n"), std::string()}) accumulator.Append(piece);
    ASSERT_TRUE(accumulator.Finish());
    EXPECT_EQ(GetClipboardOwner(), owner);
    DestroyWindow(owner);
    owner = nullptr;
    EXPECT_EQ(ClipboardText(), kanji + "\r\n");
}

TEST_F(Win32ClipboardTest, HeldByAnotherProgramTheListingFollowsItsText) {
    PutOnClipboard(CF_TEXT, "before|");
    Win32Clipboard clipboard(owner);
    ClipboardAccumulator accumulator(clipboard, clock);
    const UniqueProcess holder = StartWatcher("hold 300");
    EXPECT_FALSE(accumulator.Clear());
    accumulator.Append("one");
    accumulator.Append("two");
    // Waits for the holder to let go.
    EXPECT_TRUE(accumulator.Finish());
    EXPECT_EQ(ClipboardText(), "before|onetwo");
}

// A whole run over real folders: another program reading all along sees only
// prefixes of the listing, and the final text is exact. The run is slowed a
// little so that it spans several publications; it pumps messages as the
// progress dialog does (under Wine another program's OpenClipboard sends the
// owner window a message and waits for it).
struct SlowProgress : ProgressSink {
    explicit SlowProgress(HWND status) : shown(status, [] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }) {}
    void ShowItem(std::string_view path) override {
        shown.ShowItem(path);
        if (++items % 4 == 0) Sleep(1);
    }
    StatusProgressSink shown;
    int items = 0;
};

TEST_F(Win32ClipboardTest, AnotherProgramSeesTheListingGrow) {
    DiskTree disk("C:\\listora-clipboard");
    std::vector<std::string> names;
    for (int i = 0; i < 1500; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "file %04d.txt", i);
        disk.AddFile(name, static_cast<std::uint64_t>(i) * 1000);
        names.push_back(name);
    }
    ASSERT_EQ(disk.failures, 0);
    std::string expected;
    for (std::size_t i = 0; i < names.size(); ++i) {
        expected += std::to_string(i + 1) + ": " + names[i] + "\r\n";
    }
    expected = "C:\\listora-clipboard\r\n\r\n" + expected + "\r\n";

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    const UniqueKernelHandle stop(CreateEventA(nullptr, TRUE, FALSE, "listora-watcher-stop"));
    const std::string snapshots = "C:\\listora-clipboard-seen.bin";
    const UniqueProcess watcher = StartWatcher("watch " + snapshots + " listora-watcher-stop");
    ASSERT_TRUE(watcher);

    FindFileSearch search;
    const ListBoxOrdering ordering;
    FolderCollector collector(search, ordering, SystemTextServices());
    Win32Clipboard clipboard(owner);
    ClipboardAccumulator accumulator(clipboard, clock);
    SlowProgress progress(owner);
    ListingComposer composer(collector, accumulator, progress, SystemTextServices());
    ListingOptions options;
    options.folderNameOutput = 1, options.folderOutputType = 2, options.lineNumbers = 1, options.separatorType = 1;
    options.spacesAfter = 1;
    composer.ComposeListing("C:\\listora-clipboard", "txt", options);
    Sleep(50);
    SetEvent(stop.get());
    ASSERT_EQ(WaitForSingleObject(watcher.get(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(ClipboardText(), expected);

    std::vector<std::string> seen;
    if (FILE* in = std::fopen(snapshots.c_str(), "rb")) {
        unsigned length = 0;
        while (std::fread(&length, sizeof length, 1, in) == 1) {
            std::string text(length, '\0');
            if (std::fread(text.data(), 1, length, in) != length) break;
            seen.push_back(text);
        }
        std::fclose(in);
    }
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), expected);
    int partial = 0;
    for (const std::string& text : seen) {
        if (text.size() < expected.size() && !text.empty()) ++partial;
        EXPECT_EQ(expected.compare(0, text.size(), text), 0) << text.size() << " bytes seen";
    }
    EXPECT_GE(partial, 2);
}
}  // namespace
