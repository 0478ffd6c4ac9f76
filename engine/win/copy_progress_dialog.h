#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/listing_options.h"
#include "engine/win/transfer.h"
#include "platform/win/dialog.h"

// The modal window in which a transfer runs: an animation and a status line.
// One second after it opens it runs the whole listing on this thread, pumping
// the message queue as it goes, and closes itself when the run returns. A
// close request ends the window at once but never shortens a run that has
// begun: the listing on the clipboard is always complete.
class CopyProgressDialog : public CDialog {
public:
    static constexpr UINT_PTR kStartTimer = 32919;
    static constexpr UINT kStartDelayMs = 1000;

    CopyProgressDialog();

    // Copy the texts the run lists: at most 8 bytes of extension (in the
    // code page; a longer one is cut, never inside a character), and the
    // start folder, UTF-8, of any length (or several, listed one after the
    // other).
    void SetFilterExtension(const char* text);
    void SetStartPath(std::string_view path) { m_startPaths.assign(1, std::string(path)); }
    void SetStartPaths(std::vector<std::string> paths) { m_startPaths = std::move(paths); }

    // Takes every message queued for the thread and dispatches it; returns
    // when the queue is empty. No dialog keys, no idle work.
    void PumpMessages();

    BOOL OnInitDialog() override;
    void OnCancel() override;
    // Enter and Escape do nothing here: a transfer is neither confirmed nor
    // cancelled by a key.
    BOOL PreTranslateMessage(MSG* msg) override;

    ListingOptions m_options;
    char m_filterExtension[10] = "";
    std::vector<std::string> m_startPaths;
    // The clipboard unless it names a file.
    TransferTarget m_target;
    // Whether the run delivered the whole listing.
    bool m_succeeded = false;
    // The clip the animation plays; a test may name one that is missing.
    UINT m_clipId;

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCreate();
    void OnShowWindow(BOOL show);
    void OnTimer(UINT_PTR id);
    // The run: clears the clipboard, collects, composes and publishes (or
    // writes the file); says so when the listing could not be delivered.
    void ComposeListing();

    bool m_cancelled = false;
    bool m_running = false;
};
