#pragma once

#include <windows.h>

#include "engine/clipboard.h"

// The system clipboard, opened for the owner window (the progress dialog)
// that holds what it writes. The listing is there as CF_UNICODETEXT, as
// CF_TEXT in the ANSI code page and with CF_LOCALE, in movable global
// memory; it is read back from CF_UNICODETEXT. A partial listing also
// carries the format that keeps it out of clipboard histories.
class Win32Clipboard : public Clipboard {
public:
    explicit Win32Clipboard(HWND owner) : m_owner(owner) {}

    bool Open() override;
    void Close() override;
    bool Empty() override;
    bool ReadText(std::string& text) override;
    bool ReplaceText(std::string_view text, bool partial) override;
    std::uint32_t SequenceNumber() override;

private:
    HWND m_owner;
};
