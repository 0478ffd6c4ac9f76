#pragma once

#include <string>
#include <string_view>

#include "text/extension_rule.h"
#include "platform/win/dialog.h"

// Takes a new extension for the file list. The caller hands in the current
// one with SetExtension, runs DoModal and reads the result back with
// GetExtension whatever DoModal returned: a dialog ended any other way than
// by "change" gives back what was handed in.
class ExtensionDialog : public CDialog {
public:
    ExtensionDialog();

    // Keeps the extension as CutExtension cuts it.
    void SetExtension(std::string_view text);
    const std::string& GetExtension() const { return m_newExtension; }

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Button 1083, also reached with Enter: takes the entry and ends the
    // dialog with IDOK.
    void OnChangeButton();
    // Button 3: a close request, which the dialog manager turns into IDCANCEL.
    void OnCancelButton();

    std::string m_newExtension;

private:
    CWnd m_entryEdit;
};
