#pragma once

#include <windows.h>

#include "engine/clipboard.h"

// The system clipboard with CF_TEXT in movable global memory, opened for the
// owner window (the progress dialog) that holds what it writes.
class Win32Clipboard : public Clipboard {
public:
    explicit Win32Clipboard(HWND owner) : m_owner(owner) {}

    bool Open() override;
    void Close() override;
    bool Empty() override;
    bool ReadText(std::string& text) override;
    bool ReplaceText(std::string_view text) override;
    std::uint32_t SequenceNumber() override;

private:
    HWND m_owner;
};
