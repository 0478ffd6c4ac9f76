#include "platform/win/status_progress_sink.h"

#include "platform/win/wide_text.h"

StatusProgressSink::StatusProgressSink(HWND status, std::function<void()> pumpMessages)
    : m_status(status), m_pumpMessages(std::move(pumpMessages)) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    m_interval = frequency.QuadPart * kIntervalMs / 1000;
}

void StatusProgressSink::ShowItem(std::string_view path) {
    // The performance counter costs well under a microsecond: cheap enough
    // for every item. The tick count would be cheaper still, but it moves in
    // steps of 16 ms, as coarse as the interval itself.
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (m_shownAny && now.QuadPart - m_lastShown < m_interval) return;
    m_shownAny = true;
    m_lastShown = now.QuadPart;
    SetWindowTextW(m_status, Utf16FromUtf8(path).c_str());
    m_pumpMessages();
}
