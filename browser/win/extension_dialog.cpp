#include "browser/win/extension_dialog.h"

#include "platform/win/system_text_services.h"
#include "resources/resource.h"

ExtensionDialog::ExtensionDialog() : CDialog(IDD_EXTENSION_DIALOG) {}

void ExtensionDialog::SetExtension(std::string_view text) { m_newExtension = CutExtension(SystemTextServices(), text); }

BOOL ExtensionDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    BindControl(m_entryEdit, IDC_NEW_EXTENSION);
    ::SetDlgItemTextA(m_hWnd, IDC_CURRENT_EXTENSION, m_newExtension.c_str());
    // TRUE: the focus goes to the first control, the empty edit.
    return TRUE;
}

BOOL ExtensionDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
            case IDC_CHANGE_EXTENSION:
                OnChangeButton();
                return TRUE;
            case IDC_EXTENSION_CANCEL:
                OnCancelButton();
                return TRUE;
            default:
                break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void ExtensionDialog::OnChangeButton() {
    m_newExtension = ExtensionFromEntry(SystemTextServices(), m_entryEdit.GetWindowText());
    OnOK();
}

void ExtensionDialog::OnCancelButton() { ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0); }
