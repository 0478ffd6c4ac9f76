#include "browser/extension_dialog.h"

#include <cstring>
#include <string_view>

#include "platform/system_text_services.h"
#include "resources/resource.h"

namespace {
void CopyExtension(char (&buffer)[kMaxExtensionBytes + 1], std::string_view text) {
    const std::size_t size = text.size() < kMaxExtensionBytes ? text.size() : kMaxExtensionBytes;
    std::memcpy(buffer, text.data(), size);
    buffer[size] = '\0';
}
}  // namespace

ExtensionDialog::ExtensionDialog() : CDialog(IDD_EXTENSION_DIALOG) {}

void ExtensionDialog::SetExtension(const char* text) {
    // One byte past the limit is all the cut needs to see, and all it reads.
    const std::string_view given = text ? std::string_view(text, ::strnlen(text, kMaxExtensionBytes + 1)) : "";
    CopyExtension(m_newExtension, SystemTextServices().CutToBytes(given, kMaxExtensionBytes));
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
    CopyExtension(m_newExtension, ExtensionFromEntry(SystemTextServices(), m_entryEdit.GetWindowText()));
    OnOK();
}

void ExtensionDialog::OnCancelButton() { ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0); }
