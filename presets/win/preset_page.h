#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "presets/preset_page_enables.h"
#include "presets/preset_store.h"

class PresetStore;

// The identifiers of one page's controls. The three pages have the same
// controls and rules; only these and their template differ.
struct PresetPageIds {
    UINT templateId;
    int noExtension;
    int lowerCase;
    int reverse;
    int nextFolder;
    int folderOutput;
    int folderType;
    int subFolder;
    int depth;
    int fileSize;
    int lineNumber;
    int separator;
    int spacesBefore;
    int spacesAfter;
    int numberWidth;
    int zeroPad;
    int fileDate;
    int naturalOrder;
    int skipHidden;
};

// The options of preset `presetIndex` (0, 1, 2), a child dialog of
// the settings dialog's tab control. It loads its preset while it is
// created; the settings dialog saves the three pages together.
class PresetPage : public CDialog {
public:
    PresetPage(const PresetStore& store, int presetIndex);

    int presetIndex() const { return m_presetIndex; }
    const PresetPageIds& ids() const { return m_ids; }
    // The whole text of edit `id`.
    std::string EditText(int id) const;
    // The selected index of list `id`; -1 when it has none.
    int ListSelection(int id) const;

    BOOL OnInitDialog() override;
    // Enter belongs to the settings dialog: a page never ends by its own OK.
    void OnOK() override {}
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void onFolderOutputClicked();
    void onFolderTypeChanged();
    void onSubFolderClicked();
    void onLineNumberClicked();

    PresetPageEnables CurrentEnables() const;
    void Enable(int id, bool enabled) const;
    void EnableLineNumberOptions(bool enabled) const;
    // Adds the entries of `table` up to its "END".
    static void FillList(const CComboBox& list, const UINT* table, std::size_t count);
    // Checks box `id` when this page's flag in value `name` is on; returns the flag.
    bool LoadFlag(std::string_view name, int id) const;
    void LoadSelection(std::string_view name, const CComboBox& list) const;
    void LoadNumber(std::string_view base, int id) const;

    const PresetStore& m_store;
    int m_presetIndex;
    const PresetPageIds& m_ids;
    CComboBox m_folderType;
    CComboBox m_separator;
};
