#include "platform/win/dialog.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "platform/win/win_app.h"

namespace {
// What a handler threw, kept until the program's own frames can throw it on.
thread_local std::exception_ptr t_thrown;

void ThrowKept() {
    if (t_thrown) std::rethrow_exception(std::exchange(t_thrown, nullptr));
}

// Puts a modal dialog over the middle of its owner, or of the screen when
// the owner is hidden or absent, and keeps it inside the work area: most
// templates give no position of their own.
void CenterOver(HWND dialog, HWND owner) {
    const bool overOwner = owner && ::IsWindowVisible(owner) && !::IsIconic(owner);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(overOwner ? owner : dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    RECT around = area;
    if (overOwner) ::GetWindowRect(owner, &around);
    RECT self{};
    ::GetWindowRect(dialog, &self);
    const LONG width = self.right - self.left;
    const LONG height = self.bottom - self.top;
    const LONG left =
        std::clamp((around.left + around.right - width) / 2, area.left, std::max(area.left, area.right - width));
    const LONG top =
        std::clamp((around.top + around.bottom - height) / 2, area.top, std::max(area.top, area.bottom - height));
    ::SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

CDialog::~CDialog() {
    if (m_hWnd) {
        // Unbind first: messages sent while the window is destroyed must not
        // reach an object that is half destroyed.
        ::SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
        ::DestroyWindow(m_hWnd);
    }
}

INT_PTR CDialog::DoModal(HWND owner) {
    if (!owner) {
        const CWnd* main = CWinApp::Get() ? CWinApp::Get()->m_pMainWnd : nullptr;
        if (main && main != this) owner = main->m_hWnd;
    }
    m_result = IDCANCEL;
    m_ended = false;
    m_owner = owner;
    const HWND focus = ::GetFocus();
    m_ownerFocus = owner && (focus == owner || ::IsChild(owner, focus)) ? focus : nullptr;
    // The owner takes no input from here on: a template that is visible from
    // the start shows itself, and whatever it shows, before the loop runs.
    m_ownerToEnable = owner && ::IsWindowEnabled(owner);
    if (m_ownerToEnable) ::EnableWindow(owner, FALSE);
    if (!::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), owner, DialogProc,
                              reinterpret_cast<LPARAM>(this))) {
        ReturnToOwner();
        ThrowKept();
        return -1;
    }
    // A dialog that moved itself in OnInitDialog stays where it went; one
    // whose template centres it on the screen stays there.
    if (!m_placedByInit && !(::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & DS_CENTER)) CenterOver(m_hWnd, owner);
    if (!m_ended && !t_thrown) ::ShowWindow(m_hWnd, SW_SHOW);

    MSG msg;
    while (!m_ended && m_hWnd && !t_thrown) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT belongs to whoever runs the outer loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    // A dialog that was destroyed, or left for WM_QUIT or an exception, was
    // never ended.
    ReturnToOwner();
    if (m_hWnd) ::DestroyWindow(m_hWnd);
    m_owner = nullptr;
    ThrowKept();
    return m_result;
}

bool CDialog::Create(HWND parent) {
    const bool created = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), parent,
                                              DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
    ThrowKept();
    return created;
}

void CDialog::EndDialog(INT_PTR result) {
    m_result = result;
    m_ended = true;
    ReturnToOwner();
    // Ended from inside a sent message, the loop may be waiting in GetMessage
    // with nothing queued: this wakes it, as the system's dialogs do.
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

void CDialog::ReturnToOwner() {
    // The owner takes input again before this window hides, so that the
    // activation can return to it rather than to another program.
    const HWND active = ::GetActiveWindow();
    if (m_ownerToEnable) ::EnableWindow(m_owner, TRUE);
    m_ownerToEnable = false;
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
    // The owner is activated when this dialog was active, or when nothing
    // of this program was (a dialog hidden while its owner stayed disabled
    // leaves none); then the focus goes back where it was.
    if (!m_owner || (active != m_hWnd && active != nullptr)) return;
    ::SetForegroundWindow(m_owner);
    ::SetActiveWindow(m_owner);
    if (m_ownerFocus && ::IsWindow(m_ownerFocus) && ::IsWindowVisible(m_ownerFocus) &&
        ::IsWindowEnabled(m_ownerFocus)) {
        ::SetFocus(m_ownerFocus);
    }
    m_ownerFocus = nullptr;
}

void CDialog::BindControl(CWnd& control, int id) {
    control.m_hWnd = GetDlgItem(id);
    m_controls.emplace_back(id, &control);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
        case IDOK:
            OnOK();
            return TRUE;
        case IDCANCEL:
            OnCancel();
            return TRUE;
        default:
            return FALSE;
    }
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    // Characters for a control that takes them skip the dialog manager, which
    // would only pass them on: Wine's IsDialogMessageA converts each half of
    // a double-byte character on its own, DispatchMessageA keeps them together.
    if (msg->message == WM_CHAR && ::IsChild(m_hWnd, msg->hwnd) &&
        (::SendMessageA(msg->hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(msg)) & DLGC_WANTCHARS)) {
        return FALSE;
    }
    return ::IsDialogMessageA(m_hWnd, msg);
}

CWnd* CDialog::BoundControl(UINT id) const {
    for (const auto& [controlId, control] : m_controls) {
        if (static_cast<UINT>(controlId) == id) return control;
    }
    return nullptr;
}

INT_PTR CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return OnCommand(wParam, lParam);
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (!OnNotify(wParam, lParam, &result)) return FALSE;
            SetMessageResult(result);
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto& request = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            CWnd* control = BoundControl(request.CtlID);
            if (!control) return FALSE;
            control->DrawItem(request);
            return TRUE;
        }
        case WM_MEASUREITEM: {
            auto& request = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            CWnd* control = BoundControl(request.CtlID);
            if (!control) return FALSE;
            control->MeasureItem(request);
            return TRUE;
        }
        case WM_COMPAREITEM: {
            const auto& request = *reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam);
            CWnd* control = BoundControl(request.CtlID);
            if (!control) return FALSE;
            SetMessageResult(control->CompareItem(request));
            return TRUE;
        }
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM: {
            // Answered directly as the dialog procedure's result; a dialog that
            // answered FALSE would send every key to the list's first item.
            CWnd* control = BoundControl(static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(lParam))));
            if (!control) return -1;
            return message == WM_VKEYTOITEM ? control->VKeyToItem(LOWORD(wParam), HIWORD(wParam))
                                            : control->CharToItem(LOWORD(wParam), HIWORD(wParam));
        }
        case WM_DELETEITEM: {
            const auto& request = *reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
            CWnd* control = BoundControl(request.CtlID);
            if (!control) return FALSE;
            control->DeleteItem(request);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // An exception must not unwind through the system's frames, which do not
    // expect one: they would be left half done, or the process end. So it is
    // kept, the modal loop that runs this dialog (or the one it lies in) ends
    // and DoModal throws it on after its window is gone and its owner takes
    // input again, in the frames of the code that opened it. There the
    // caller's handlers see it as if it had come from a plain call, and a
    // dialog opened from another's handler passes it on the same way.
    try {
        return Handle(window, message, wParam, lParam);
    } catch (...) {
        // The first is the cause; what follows from it is not kept.
        if (!t_thrown) t_thrown = std::current_exception();
        // Wakes the loop should this have come in a sent message.
        ::PostThreadMessageA(::GetCurrentThreadId(), WM_NULL, 0, 0);
        return FALSE;
    }
}

INT_PTR CDialog::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->m_hWnd = window;
        RECT before{};
        ::GetWindowRect(window, &before);
        const BOOL result = self->OnInitDialog();
        RECT after{};
        ::GetWindowRect(window, &after);
        self->m_placedByInit = before.left != after.left || before.top != after.top;
        return result;
    }
    // Messages before WM_INITDIALOG (WM_SETFONT, early measure requests) find
    // no object yet and get the default handling.
    auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(window, DWLP_USER, 0);
        self->m_hWnd = nullptr;
        for (auto& bound : self->m_controls) bound.second->m_hWnd = nullptr;
        self->m_controls.clear();
        self->m_ended = true;
        return FALSE;
    }
    return self->OnMessage(message, wParam, lParam);
}
