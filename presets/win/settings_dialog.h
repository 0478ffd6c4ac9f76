#pragma once

#include <string_view>

#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "presets/preset_store.h"
#include "presets/win/preset_page.h"

class PresetStore;

// The settings dialog: the three presets on the pages of one tab control. Opening it reads every value; its OK
// button (the update button) writes all 26 values and closes it or, when one could not be written, says so and stays
// open; cancelling writes nothing. Switching tabs only shows another page, so the edits of all three pages last
// until the dialog closes.
class SettingsDialog : public CDialog {
public:
    explicit SettingsDialog(const PresetStore& store);

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Ctrl+Tab and Ctrl+Shift+Tab step through the presets.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // Follows the window to a display of another scale.
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void onTabChanged();
    // Places the pages at their offset in the tab control, scaled for `dpi`.
    void placePages(UINT dpi) const;
    // Each save writes its value(s) and is false when one could not be written.
    // Flag string of value `name` from the boxes of the pages of preset index 0, 1, 2.
    bool saveFlagValue(int id0, int id1, int id2, std::string_view name) const;
    // Digit string of value `name` from the lists of the pages of preset index 0, 1, 2.
    bool saveListValue(int id0, int id1, int id2, std::string_view name) const;
    // Per-preset number `name` from edit `editId` of `page`.
    bool saveNumberValue(int editId, std::string_view name, const PresetPage& page) const;
    // The per-preset numbers `base`_01.._03 from each page's edit `edit`.
    bool saveNumberValues(std::string_view base, int PresetPageIds::*edit) const;

    const PresetStore& m_store;
    CTabCtrl m_tabs;
    PresetPage m_pages[kPresetCount];
};
