#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/win/wnd.h"

// Thin control wrappers: each method sends one message.

class CStatic : public CWnd {};

// A list box's strings are UTF-8 here and wide in the control, so that a
// name outside the code page is shown and sorted as it is.
class CListBox : public CWnd {
public:
    // Index where the string landed (the list sorts), or LB_ERR / LB_ERRSPACE.
    int AddString(const char* text) const;
    int GetCount() const { return Send(LB_GETCOUNT); }
    // LB_ERR (-1) when nothing is selected.
    int GetCurSel() const { return Send(LB_GETCURSEL); }
    // -1 clears the selection; LB_ERR for an index outside the list.
    int SetCurSel(int index) const { return Send(LB_SETCURSEL, index); }
    // The item whose string is `text` but for case, or LB_ERR.
    int FindStringExact(const char* text) const;
    void ResetContent() const { Send(LB_RESETCONTENT); }
    // The item's string; "" for an index outside the list.
    std::string GetText(int index) const;
    int SetItemDataPtr(int index, void* data) const {
        return Send(LB_SETITEMDATA, index, reinterpret_cast<LPARAM>(data));
    }
    // Reserves room for `count` more items of `bytes` characters in all.
    void InitStorage(int count, int bytes) const { Send(LB_INITSTORAGE, count, bytes); }

private:
    int Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return static_cast<int>(::SendMessageA(m_hWnd, message, wParam, lParam));
    }
};

class CComboBox : public CWnd {
public:
    // Index where the string landed (the box sorts), or CB_ERR / CB_ERRSPACE.
    int AddString(const char* text) const { return Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
    int GetCount() const { return Send(CB_GETCOUNT); }
    // CB_ERR (-1) when nothing is selected.
    int GetCurSel() const { return Send(CB_GETCURSEL); }
    // An index outside the list clears the selection and returns CB_ERR.
    int SetCurSel(int index) const { return Send(CB_SETCURSEL, index); }
    // The item whose string is `text` but for case, or CB_ERR.
    int FindStringExact(const char* text) const {
        return Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    }
    void ResetContent() const { Send(CB_RESETCONTENT); }
    int SetItemDataPtr(int index, void* data) const {
        return Send(CB_SETITEMDATA, index, reinterpret_cast<LPARAM>(data));
    }

private:
    int Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return static_cast<int>(::SendMessageA(m_hWnd, message, wParam, lParam));
    }
};

class CTabCtrl : public CWnd {
public:
    // Inserts a text-only tab at `index`; the index it got, or -1.
    int InsertItem(int index, const char* text) const;
    // -1 when no tab is selected.
    int GetCurSel() const { return static_cast<int>(::SendMessageA(m_hWnd, TCM_GETCURSEL, 0, 0)); }
    // Selects tab `index` as a click would, telling the parent (TCN_SELCHANGE).
    void SetCurFocus(int index) const { ::SendMessageA(m_hWnd, TCM_SETCURFOCUS, index, 0); }
};
