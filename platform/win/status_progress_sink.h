#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "engine/progress_sink.h"

// Shows the run's progress in a static control. A status-line change with
// its repaint and a pump of the message queue cost well over 100 us each, so
// doing both for every one of 100,000 items would cost more than the listing
// itself: the text changes and messages are pumped at most every kInterval,
// which keeps the window as lively as the eye can tell.
class StatusProgressSink : public ProgressSink {
public:
    static constexpr LONGLONG kIntervalMs = 20;

    StatusProgressSink(HWND status, std::function<void()> pumpMessages);

    void ShowItem(std::string_view path) override;
    // The folders being collected move the status line the same way.
    void ShowSearch(std::string_view folder) override;

private:
    void Show(std::string_view path, bool searching);

    HWND m_status;
    std::function<void()> m_pumpMessages;
    LONGLONG m_interval;  // in performance-counter ticks
    bool m_shownAny = false;
    LONGLONG m_lastShown = 0;
};
