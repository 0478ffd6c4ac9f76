#include "engine/clipboard_accumulator.h"

#include <algorithm>

#include "engine/clipboard.h"
#include "engine/clock.h"

ClipboardAccumulator::ClipboardAccumulator(Clipboard& clipboard, Clock& clock)
    : m_clipboard(clipboard), m_clock(clock) {}

bool ClipboardAccumulator::Clear() {
    m_text.clear();
    m_pendingFrom = 0;
    m_nextPublish = m_clock.Now() + kPublishInterval;
    {
        ClipboardSession session(m_clipboard);
        m_current = session && m_clipboard.Empty();
    }
    m_partial = false;
    // Read after closing, as after every access: closing may advance it.
    // What the clipboard holds now, emptied or not, is the listing's to
    // replace; only what another program writes from here on is kept.
    m_ownSequence = m_clipboard.SequenceNumber();
    return m_current;
}

void ClipboardAccumulator::Append(std::string_view piece) {
    m_text += piece;
    const std::chrono::milliseconds now = m_clock.Now();
    if (now < m_nextPublish) return;
    // A clipboard that is busy now is tried again one interval later.
    Publish(true);
    const std::chrono::milliseconds done = m_clock.Now();
    m_nextPublish = done + std::max(kPublishInterval, kPublishSpacing * (done - now));
}

bool ClipboardAccumulator::Finish() { return Retry(&ClipboardAccumulator::PublishWhole); }

bool ClipboardAccumulator::Withdraw() {
    std::string().swap(m_text);
    m_pendingFrom = 0;
    return Retry(&ClipboardAccumulator::EmptyOurs);
}

bool ClipboardAccumulator::Retry(bool (ClipboardAccumulator::*attempt)()) {
    const std::chrono::milliseconds deadline = m_clock.Now() + kFinalRetryTime;
    for (;;) {
        if ((this->*attempt)()) return true;
        if (m_clock.Now() >= deadline) return false;
        m_clock.Wait(kFinalRetryDelay);
    }
}

bool ClipboardAccumulator::EmptyOurs() {
    bool emptied = false;
    {
        ClipboardSession session(m_clipboard);
        if (!session) return false;
        // Another program's text holds none of the listing.
        emptied = m_clipboard.SequenceNumber() != m_ownSequence || m_clipboard.Empty();
    }
    m_ownSequence = m_clipboard.SequenceNumber();
    return emptied;
}

bool ClipboardAccumulator::Publish(bool partial) {
    // All of it is there already; at the end, unless it is still marked as
    // partial and no other program wrote since (what it wrote stays).
    if (m_current && m_pendingFrom == m_text.size() &&
        (partial || !m_partial || m_clipboard.SequenceNumber() != m_ownSequence))
        return true;
    {
        ClipboardSession session(m_clipboard);
        if (!session) return false;
        if (m_clipboard.SequenceNumber() != m_ownSequence) {
            // Another program wrote since our last access: the listing goes
            // on from its text; other content is replaced.
            std::string theirs;
            m_clipboard.ReadText(theirs);
            m_text.replace(0, m_pendingFrom, theirs);
            m_pendingFrom = theirs.size();
        }
        // A failed write may have set part of the text or emptied the
        // clipboard: none of the text counts as published, and the next
        // write starts again from ours.
        m_current = m_clipboard.ReplaceText(m_text, partial);
        m_partial = partial;
    }
    // Read after closing, on every path: closing can advance it (adding the
    // formats the platform derives), and what our write left is ours.
    m_ownSequence = m_clipboard.SequenceNumber();
    m_pendingFrom = m_current ? m_text.size() : 0;
    return m_current;
}
