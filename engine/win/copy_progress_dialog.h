#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/listing_options.h"
#include "engine/win/transfer.h"
#include "platform/win/dialog.h"
#include "platform/win/resource_string.h"

// The modal window in which a transfer runs: an animation and a status line.
// One second after it is made (opening it takes part of that second) it runs
// the whole listing on this thread, pumping the message queue as it goes, and
// closes itself when the run returns. A close request ends the window at once
// but never shortens a run that has begun: the listing on the clipboard is
// always complete.
class CopyProgressDialog : public CDialog {
public:
    static constexpr UINT_PTR kStartTimer = 32919;
    static constexpr UINT kStartDelayMs = 1000;

    // A run with `options` to `target` (the clipboard unless it names a
    // file), its failures said in message boxes unless quiet.
    CopyProgressDialog(const ListingOptions& options, TransferTarget target, Messages messages);

    // Copy the texts the run lists: the extension, in the code page, as
    // CutExtension keeps it, and the start folders, UTF-8, of any length,
    // listed one after the other.
    void SetFilterExtension(std::string_view text);
    void SetStartPaths(std::vector<std::string> paths) { m_startPaths = std::move(paths); }

    // Whether the run delivered the whole listing.
    bool Succeeded() const { return m_succeeded; }
    // The folders the run could not read, in the order met.
    const std::vector<std::string>& UnreadableFolders() const { return m_unreadable; }

    // Takes every message queued for the thread and dispatches it; returns
    // when the queue is empty. No dialog keys, no idle work.
    void PumpMessages();

    BOOL OnInitDialog() override;
    void OnCancel() override;
    // Enter and Escape do nothing here: a transfer is neither confirmed nor
    // cancelled by a key.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCreate();
    void OnShowWindow(BOOL show);
    void OnTimer(UINT_PTR id);
    // The run: clears the clipboard, collects, composes and publishes (or
    // writes the file); says so when the listing could not be delivered, or
    // memory ran out.
    void ComposeListing();

    using Clock = std::chrono::steady_clock;
    const Clock::time_point m_started = Clock::now();
    const ListingOptions m_options;
    const TransferTarget m_target;
    const Messages m_messages;
    std::string m_filterExtension;
    std::vector<std::string> m_startPaths;
    bool m_succeeded = false;
    std::vector<std::string> m_unreadable;
    bool m_cancelled = false;
    bool m_running = false;
};
