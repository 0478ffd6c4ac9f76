#include "engine/win/transfer.h"

#include "engine/clipboard_accumulator.h"
#include "engine/clock.h"
#include "engine/folder_collector.h"
#include "engine/listing_composer.h"
#include "platform/win/find_file_search.h"
#include "platform/win/list_box_ordering.h"
#include "platform/win/status_progress_sink.h"
#include "platform/win/system_text_services.h"
#include "platform/win/win32_clipboard.h"

void RunTransfer(HWND owner, HWND status, std::function<void()> pumpMessages, std::string_view startPath,
                 std::string_view extension, const ListingOptions& options) {
    const TextServices& text = SystemTextServices();
    Win32Clipboard clipboard(owner);
    SteadyClock clock;
    ClipboardAccumulator accumulator(clipboard, clock);
    FindFileSearch search;
    const ListBoxOrdering ordering;
    StatusProgressSink progress(status, std::move(pumpMessages));
    FolderCollector collector(search, ordering, text, &progress);
    ListingComposer composer(collector, accumulator, progress, text);
    composer.ComposeListing(startPath, extension, options);
}
