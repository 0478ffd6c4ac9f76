#pragma once

#include <windows.h>

#include <string>

// A window the program talks to: only the handle, and one-line wrappers over
// the messages the program sends. Controls that draw their own items
// override the owner-draw hooks; their dialog hands the requests on.
class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd() = default;

    HWND m_hWnd = nullptr;

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    // The window's text, whole.
    std::string GetWindowText() const;
    BOOL EnableWindow(BOOL enable) const { return ::EnableWindow(m_hWnd, enable); }
    BOOL ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command); }
    // While redrawing is off, adding many items repaints nothing.
    void SetRedraw(BOOL redraw) const { ::SendMessageA(m_hWnd, WM_SETREDRAW, redraw, 0); }
    void Invalidate() const { ::InvalidateRect(m_hWnd, nullptr, TRUE); }

    // Owner-draw requests, handed on by the dialog that owns the control.
    virtual void DrawItem(const DRAWITEMSTRUCT&) {}
    virtual void MeasureItem(MEASUREITEMSTRUCT&) {}
    virtual int CompareItem(const COMPAREITEMSTRUCT&) { return 0; }
    virtual void DeleteItem(const DELETEITEMSTRUCT&) {}
    // Keys and characters for a list that wants keyboard input: -1 lets
    // the list handle them as usual.
    virtual int VKeyToItem(UINT /*key*/, UINT /*caretIndex*/) { return -1; }
    virtual int CharToItem(UINT /*character*/, UINT /*caretIndex*/) { return -1; }
};
