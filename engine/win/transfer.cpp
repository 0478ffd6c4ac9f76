#include "engine/win/transfer.h"

#include "engine/clipboard_accumulator.h"
#include "engine/clock.h"
#include "engine/folder_collector.h"
#include "engine/listing_composer.h"
#include "engine/natural_ordering.h"
#include "engine/prefetching_search.h"
#include "platform/win/find_file_search.h"
#include "platform/win/list_box_ordering.h"
#include "platform/win/status_progress_sink.h"
#include "platform/win/system_time_zone.h"
#include "platform/win/text_file_output.h"
#include "platform/win/wide_text.h"
#include "platform/win/win32_clipboard.h"
#include "text/text_services.h"

namespace {
constexpr unsigned kReaders = 2;

// Waits without freezing the window: messages are let through meanwhile.
class PumpingClock : public SteadyClock {
public:
    explicit PumpingClock(const std::function<void()>& pumpMessages) : m_pumpMessages(pumpMessages) {}
    void Wait(std::chrono::milliseconds duration) override {
        const std::chrono::milliseconds end = Now() + duration;
        for (std::chrono::milliseconds now = Now(); now < end; now = Now()) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>((end - now).count()), QS_ALLINPUT);
            m_pumpMessages();
        }
    }

private:
    const std::function<void()>& m_pumpMessages;
};
}  // namespace

TransferResult RunTransfer(HWND owner, HWND status, const std::function<void()>& pumpMessages,
                           std::span<const std::string> startPaths, std::string_view extension,
                           const ListingOptions& options, const TransferTarget& target) {
    const TextServices text = TextServices::Utf8();
    Win32Clipboard clipboard(owner);
    PumpingClock clock(pumpMessages);
    ClipboardAccumulator accumulator(clipboard, clock);
    TextFileOutput file(target.file, target.utf8);
    ListingOutput& output = target.file.empty() ? static_cast<ListingOutput&>(accumulator) : file;
    try {
        FindFileSearch search;
        // Folders read side by side go faster, even on one disk: two readers
        // keep ahead of the walk, which stays on this thread with everything
        // else.
        PrefetchingSearch prefetching(search, kReaders);
        const ListBoxOrdering localeOrdering;
        const NaturalOrdering naturalOrdering(localeOrdering);
        const StringOrdering& ordering =
            options.naturalOrder ? static_cast<const StringOrdering&>(naturalOrdering) : localeOrdering;
        const SystemTimeZone zone;
        StatusProgressSink progress(status, pumpMessages);
        FolderCollector collector(prefetching, ordering, text, &progress);
        ListingComposer composer(collector, output, progress, text, zone);
        const bool delivered = composer.ComposeListing(startPaths, Utf8FromAnsi(extension), options);
        return {delivered, collector.UnreadableFolders()};
    } catch (...) {
        // A run cut short (most likely memory ran out) must not leave part
        // of its listing on the clipboard to be pasted as if it were whole.
        // The walk's memory is free by now; a file is written only whole.
        if (target.file.empty()) accumulator.Withdraw();
        throw;
    }
}
