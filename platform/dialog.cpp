#include "platform/dialog.h"

#include "platform/win_app.h"

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
    if (!::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), owner, DialogProc,
                              reinterpret_cast<LPARAM>(this))) {
        return -1;
    }
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner) ::EnableWindow(owner, FALSE);
    ::ShowWindow(m_hWnd, SW_SHOW);

    m_inModalLoop = true;
    MSG msg;
    while (m_inModalLoop && m_hWnd) {
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
    m_inModalLoop = false;

    // Enable the owner before this window goes, or the activation would
    // jump to another program.
    if (disableOwner) ::EnableWindow(owner, TRUE);
    if (owner && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
    if (m_hWnd) ::DestroyWindow(m_hWnd);
    return m_result;
}

bool CDialog::Create(HWND parent) {
    return ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), parent, DialogProc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
    m_result = result;
    m_inModalLoop = false;
    ::ShowWindow(m_hWnd, SW_HIDE);
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

BOOL CDialog::PreTranslateMessage(MSG* msg) { return ::IsDialogMessageA(m_hWnd, msg); }

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
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->m_hWnd = window;
        return self->OnInitDialog();
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
        self->m_inModalLoop = false;
        return FALSE;
    }
    return self->OnMessage(message, wParam, lParam);
}
