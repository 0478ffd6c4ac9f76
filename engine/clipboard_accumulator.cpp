#include "engine/clipboard_accumulator.h"

#include <algorithm>

#include "engine/clipboard.h"
#include "engine/clock.h"

ClipboardAccumulator::ClipboardAccumulator(Clipboard& clipboard, Clock& clock)
    : m_clipboard(clipboard), m_clock(clock) {}

bool ClipboardAccumulator::Clear() {
    m_text.clear();
    m_pendingFrom = 0;
    m_ownSequence.reset();
    m_nextPublish = m_clock.Now() + kPublishInterval;
    {
        ClipboardSession session(m_clipboard);
        if (!session || !m_clipboard.Empty()) return false;
    }
    m_ownSequence = m_clipboard.SequenceNumber();
    return true;
}

void ClipboardAccumulator::Append(std::string_view piece) {
    m_text += piece;
    const std::chrono::milliseconds now = m_clock.Now();
    if (now < m_nextPublish) return;
    // A clipboard that is busy now is tried again one interval later.
    Publish();
    const std::chrono::milliseconds done = m_clock.Now();
    m_nextPublish = done + std::max(kPublishInterval, kPublishSpacing * (done - now));
}

bool ClipboardAccumulator::Finish() {
    const std::chrono::milliseconds deadline = m_clock.Now() + kFinalRetryTime;
    for (;;) {
        if (Publish()) return true;
        if (m_clock.Now() >= deadline) return false;
        m_clock.Wait(kFinalRetryDelay);
    }
}

bool ClipboardAccumulator::Publish() {
    if (m_pendingFrom == m_text.size() && m_ownSequence) return true;
    {
        ClipboardSession session(m_clipboard);
        if (!session) return false;
        if (m_clipboard.SequenceNumber() != m_ownSequence) {
            // Another program wrote since our last write (or Clear failed):
            // the listing goes on from its text; other content is replaced.
            std::string theirs;
            m_clipboard.ReadText(theirs);
            m_text.replace(0, m_pendingFrom, theirs);
            m_pendingFrom = theirs.size();
        }
        if (!m_clipboard.ReplaceText(m_text)) {
            // A failed write may have emptied the clipboard: that is our
            // doing, not another program's write, and none of the text
            // counts as published until the next write succeeds.
            m_ownSequence = m_clipboard.SequenceNumber();
            m_pendingFrom = 0;
            return false;
        }
    }
    // Read after closing: closing can add formats the platform derives.
    m_ownSequence = m_clipboard.SequenceNumber();
    m_pendingFrom = m_text.size();
    return true;
}
