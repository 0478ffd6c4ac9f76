#pragma once

#include <windows.h>

#include <string>

#include "platform/win/win_handles.h"

struct ItemRecord;

// One draw request of the drive box or a browser list: fills the item and
// sets the colours that its action and state call for, and puts the device
// context's colours back when done (the context belongs to the system).
class ItemPainter {
public:
    explicit ItemPainter(const DRAWITEMSTRUCT& request);
    ~ItemPainter();
    ItemPainter(const ItemPainter&) = delete;
    ItemPainter& operator=(const ItemPainter&) = delete;

    // The item to draw, or null when the request draws nothing: no item, no
    // record, or a selection change of the item being selected.
    const ItemRecord* Record() const { return m_record; }
    const RECT& Rect() const { return m_request.rcItem; }

    void DrawIcon(HICON icon, int x, int y, int size) const;
    // One line of UTF-8 text from the rectangle's top-left, clipped to it;
    // "&" marks a mnemonic as in any label.
    void DrawText(const char* text, RECT rect) const;

private:
    const DRAWITEMSTRUCT& m_request;
    const ItemRecord* m_record = nullptr;
    COLORREF m_oldTextColor = CLR_INVALID;
    COLORREF m_oldBackground = CLR_INVALID;
};

// The shell's small icon for a file, folder or drive root (a UTF-8 path);
// empty when it has none. Where the shell cannot take the path (it is too
// long), the icon of any folder, or of any file of its type.
UniqueIcon ShellSmallIcon(const char* path, bool folder = false);
// The shell's display name of a drive root, such as "Local Disk (C:)", UTF-8.
std::string ShellDisplayName(const char* root);
