#include "browser/win/extension_dialog.h"

#include "platform/win/resource_string.h"
#include "platform/win/system_text_services.h"
#include "platform/win/wide_text.h"
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
    // Read wide: a character the code page lacks would read as "?", a wildcard.
    std::wstring entry(static_cast<std::size_t>(::GetWindowTextLengthW(m_entryEdit.m_hWnd)) + 1, L'\0');
    entry.resize(
        static_cast<std::size_t>(::GetWindowTextW(m_entryEdit.m_hWnd, entry.data(), static_cast<int>(entry.size()))));
    if (!FitsCodePage(entry) || HasForbiddenExtensionCharacter(Utf8FromUtf16(entry))) {
        ResourceMessageBox(m_hWnd, Messages::Shown, IDS_EXTENSION_BAD_CHARACTER, IDS_APP_TITLE, MB_ICONWARNING | MB_OK);
        return;
    }
    m_newExtension = ExtensionFromEntry(SystemTextServices(), AnsiFromUtf16(entry));
    OnOK();
}

void ExtensionDialog::OnCancelButton() { ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0); }
