#include "browser/win/extension_dialog.h"

#include <cstring>

#include "platform/win/system_text_services.h"
#include "resources/resource.h"

ExtensionDialog::ExtensionDialog() : CDialog(IDD_EXTENSION_DIALOG) {}

void ExtensionDialog::SetExtension(const char* text) {
    SystemTextServices().CopyToBuffer(BoundedText(text, kMaxExtensionBytes), m_newExtension, sizeof m_newExtension);
}

void ExtensionDialog::GetExtension(char* buffer) const {
    std::memcpy(buffer, m_newExtension, std::strlen(m_newExtension) + 1);
}

BOOL ExtensionDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    BindControl(m_entryEdit, IDC_NEW_EXTENSION);
    ::SetDlgItemTextA(m_hWnd, IDC_CURRENT_EXTENSION, m_newExtension);
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
    SystemTextServices().CopyToBuffer(ExtensionFromEntry(SystemTextServices(), m_entryEdit.GetWindowText()),
                                      m_newExtension, sizeof m_newExtension);
    OnOK();
}

void ExtensionDialog::OnCancelButton() { ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0); }
