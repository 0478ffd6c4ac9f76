#pragma once

#include "browser/extension_rule.h"
#include "platform/win/dialog.h"

// Takes a new extension for the file list. The caller hands in the current
// one with SetExtension, runs DoModal and reads the result back with
// GetExtension whatever DoModal returned: a dialog ended any other way than
// by "change" gives back what was handed in.
class ExtensionDialog : public CDialog {
public:
    ExtensionDialog();

    // Keeps at most 8 bytes of `text`, never half a double-byte character.
    void SetExtension(const char* text);
    // Copies the extension and its terminator into `buffer`, which holds at
    // least 9 bytes.
    void GetExtension(char* buffer) const;

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Button 1083, also reached with Enter: takes the entry and ends the
    // dialog with IDOK.
    void OnChangeButton();
    // Button 3: a close request, which the dialog manager turns into IDCANCEL.
    void OnCancelButton();

    char m_newExtension[kMaxExtensionBytes + 1] = "";

private:
    CWnd m_entryEdit;
};
