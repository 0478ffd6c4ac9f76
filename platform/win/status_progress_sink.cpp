#include "platform/win/status_progress_sink.h"

#include "platform/win/transfer_trace.h"
#include "platform/win/wide_text.h"

StatusProgressSink::StatusProgressSink(HWND status, std::function<void()> pumpMessages)
    : m_status(status), m_pumpMessages(std::move(pumpMessages)) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    m_interval = frequency.QuadPart * kIntervalMs / 1000;
}

void StatusProgressSink::ShowItem(std::string_view path) {
    const transfer_trace::Step step("item");
    Show(path, false);
}

void StatusProgressSink::ShowSearch(std::string_view folder) {
    const transfer_trace::Step step("folder searched");
    Show(folder, true);
}

void StatusProgressSink::Show(std::string_view path, bool searching) {
    // The performance counter costs well under a microsecond: cheap enough
    // for every item. The tick count would be cheaper still, but it moves in
    // steps of 16 ms, as coarse as the interval itself.
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (m_shownAny && now.QuadPart - m_lastShown < m_interval) return;
    m_shownAny = true;
    m_lastShown = now.QuadPart;
    {
        const transfer_trace::Step step(searching ? "status text, walk" : "status text");
        SetWindowTextW(m_status, Utf16FromUtf8(path).c_str());
    }
    const transfer_trace::Step step(searching ? "messages pumped, walk" : "messages pumped");
    m_pumpMessages();
}
