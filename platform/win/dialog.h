#pragma once

#include <vector>

#include "platform/win/wnd.h"

// A dialog made from a template in the program's resources.
//
// The window is bound to its object in WM_INITDIALOG (DWLP_USER) and unbound
// in WM_NCDESTROY, so a late message never reaches a dead object. Every
// message goes through OnMessage, one switch that calls the On... members.
//
// DoModal runs a loop of its own rather than DialogBoxParamA's, so that each
// message passes PreTranslateMessage before the dialog keys are handled.
// An exception from a handler ends the loop, and DoModal throws it once the
// dialog is gone (Create, once the window is made).
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId) : m_templateId(templateId) {}
    ~CDialog() override;

    // Runs the dialog modally over `owner` (by default the application's main
    // window), centred on it unless OnInitDialog moved it, and returns the
    // code given to EndDialog; throws what a handler threw meanwhile.
    INT_PTR DoModal(HWND owner = nullptr);
    // Creates the dialog as a child or modeless window of `parent`.
    bool Create(HWND parent);
    // Ends a modal dialog as the system's dialogs end: the owner is enabled,
    // the window disappears, the owner is active again with the focus where
    // it was, and the modal loop returns after the message being handled now.
    void EndDialog(INT_PTR result);

    BOOL IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) != BST_UNCHECKED; }
    void CheckDlgButton(int id, BOOL checked) const {
        ::CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    // Binds `control` to the dialog item `id`; owner-draw requests for that
    // item are handed to the control.
    void BindControl(CWnd& control, int id);

    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Routes IDOK and IDCANCEL; derived dialogs handle their commands first.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Notifications from common controls; TRUE when handled.
    virtual BOOL OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }
    // TRUE when the message was handled and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);

protected:
    // The dialog procedure's switch. Returns the dialog procedure's result
    // (TRUE for handled); derived dialogs call it for what they leave alone.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Sets a message's result (a notification's, a compare's).
    void SetMessageResult(LRESULT result) const { ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result); }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    CWnd* BoundControl(UINT id) const;
    // Gives the owner of a modal dialog back its input, activation and focus,
    // and hides the dialog. Safe to call more than once.
    void ReturnToOwner();

    UINT m_templateId;
    // Set by EndDialog, which may run before the loop starts (in
    // OnInitDialog, or in a message box shown while the window opens).
    bool m_ended = false;
    bool m_placedByInit = false;
    // The owner of the running modal dialog, whether DoModal disabled it, and
    // the owner's window that had the focus when the dialog opened.
    HWND m_owner = nullptr;
    bool m_ownerToEnable = false;
    HWND m_ownerFocus = nullptr;
    INT_PTR m_result = IDCANCEL;
    std::vector<std::pair<int, CWnd*>> m_controls;
};
