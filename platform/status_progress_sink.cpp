#include "platform/status_progress_sink.h"

void StatusProgressSink::ShowItem(std::string_view path) {
    // The tick count is read from memory the system keeps current: cheap
    // enough for every item.
    const ULONGLONG now = GetTickCount64();
    if (m_shownAny && now - m_lastShown < kIntervalMs) return;
    m_shownAny = true;
    m_lastShown = now;
    m_text.assign(path);
    SetWindowTextA(m_status, m_text.c_str());
    m_pumpMessages();
}
