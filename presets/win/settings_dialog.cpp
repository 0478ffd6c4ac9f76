#include "presets/win/settings_dialog.h"

#include <algorithm>
#include <array>

#include "platform/win/dpi.h"
#include "platform/win/resource_string.h"
#include "platform/win/system_text_services.h"
#include "presets/preset_store.h"
#include "resources/resource.h"

SettingsDialog::SettingsDialog(const PresetStore& store)
    : CDialog(IDD_SETTINGS), m_store(store), m_pages{PresetPage(store, 0), PresetPage(store, 1), PresetPage(store, 2)} {
}

BOOL SettingsDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    BindControl(m_tabs, IDC_PRESET_TABS);
    constexpr UINT kTabTexts[] = {IDS_PRESET_TAB_1, IDS_PRESET_TAB_2, IDS_PRESET_TAB_3};
    for (int i = 0; i < kPresetCount; ++i) m_tabs.InsertItem(i, LoadResourceString(kTabTexts[i]).c_str());

    // Each page loads its preset while it is created, so the presets are
    // read in order. Only the first page is shown.
    for (PresetPage& page : m_pages) page.Create(m_tabs.m_hWnd);
    placePages(WindowDpi(m_hWnd));
    m_pages[0].ShowWindow(SW_SHOW);
    return TRUE;
}

INT_PTR SettingsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_DPICHANGED) return CDialog::OnMessage(message, wParam, lParam);
    TakeSuggestedRect(m_hWnd, *reinterpret_cast<const RECT*>(lParam));
    placePages(LOWORD(wParam));
    // The dialog manager goes on to scale the fonts and controls.
    return FALSE;
}

void SettingsDialog::placePages(UINT dpi) const {
    // The offset is in the tab control's pixels: it is set anew for each
    // scale, at set-up and whenever the window moves to another display.
    for (const PresetPage& page : m_pages) {
        ::SetWindowPos(page.m_hWnd, HWND_TOP, ScaleForDpi(10, dpi), ScaleForDpi(20, dpi), 0, 0,
                       SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

BOOL SettingsDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (header.idFrom == IDC_PRESET_TABS && header.code == static_cast<UINT>(TCN_SELCHANGE)) {
        onTabChanged();
        *result = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

BOOL SettingsDialog::PreTranslateMessage(MSG* msg) {
    // As in any tabbed dialog: with the pages as control parents, Tab alone
    // never reaches the tabs themselves.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && (::GetKeyState(VK_CONTROL) & 0x8000)) {
        const int step = (::GetKeyState(VK_SHIFT) & 0x8000) ? 2 : 1;
        m_tabs.SetCurFocus((m_tabs.GetCurSel() + step) % kPresetCount);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void SettingsDialog::onTabChanged() {
    const int selected = m_tabs.GetCurSel();
    for (const PresetPage& page : m_pages) page.ShowWindow(SW_HIDE);
    if (selected >= 0 && selected < kPresetCount) m_pages[selected].ShowWindow(SW_SHOW);
}

void SettingsDialog::OnOK() {
    // Every value is taken as the controls hold it, enabled or not, and every one is written even after another
    // failed, so that as much as can be kept is (the list is evaluated in order).
    const bool written[] = {
        saveFlagValue(IDC_NO_EXTENSION_1, IDC_NO_EXTENSION_2, IDC_NO_EXTENSION_3, PresetValue::NoExtension),
        saveFlagValue(IDC_LOWER_CASE_1, IDC_LOWER_CASE_2, IDC_LOWER_CASE_3, PresetValue::LowerCase),
        saveFlagValue(IDC_REVERSE_1, IDC_REVERSE_2, IDC_REVERSE_3, PresetValue::Reverse),
        saveFlagValue(IDC_SUB_FOLDER_1, IDC_SUB_FOLDER_2, IDC_SUB_FOLDER_3, PresetValue::SubFolder),
        saveNumberValues(PresetValue::SubNumber, &PresetPageIds::depth),
        saveFlagValue(IDC_FOLDER_OUTPUT_1, IDC_FOLDER_OUTPUT_2, IDC_FOLDER_OUTPUT_3, PresetValue::FolderCheck),
        saveListValue(IDC_FOLDER_TYPE_1, IDC_FOLDER_TYPE_2, IDC_FOLDER_TYPE_3, PresetValue::FolderType),
        saveFlagValue(IDC_NEXT_FOLDER_1, IDC_NEXT_FOLDER_2, IDC_NEXT_FOLDER_3, PresetValue::NextFolder),
        saveFlagValue(IDC_FILE_SIZE_1, IDC_FILE_SIZE_2, IDC_FILE_SIZE_3, PresetValue::FileSize),
        saveFlagValue(IDC_LINE_NUMBER_1, IDC_LINE_NUMBER_2, IDC_LINE_NUMBER_3, PresetValue::LineNumber),
        saveListValue(IDC_SEPARATOR_1, IDC_SEPARATOR_2, IDC_SEPARATOR_3, PresetValue::SeparatorType),
        saveNumberValues(PresetValue::SeparatorBefore, &PresetPageIds::spacesBefore),
        saveNumberValues(PresetValue::SeparatorAfter, &PresetPageIds::spacesAfter),
        saveNumberValues(PresetValue::NumberLength, &PresetPageIds::numberWidth),
        saveFlagValue(IDC_ZERO_PAD_1, IDC_ZERO_PAD_2, IDC_ZERO_PAD_3, PresetValue::ZeroPad),
        saveFlagValue(IDC_FILE_DATE_1, IDC_FILE_DATE_2, IDC_FILE_DATE_3, PresetValue::FileDate),
        saveFlagValue(IDC_NATURAL_ORDER_1, IDC_NATURAL_ORDER_2, IDC_NATURAL_ORDER_3, PresetValue::NaturalOrder),
        saveFlagValue(IDC_SKIP_HIDDEN_1, IDC_SKIP_HIDDEN_2, IDC_SKIP_HIDDEN_3, PresetValue::SkipHidden),
    };
    if (std::ranges::count(written, false) > 0) {
        // The edits stay on the pages: the user may try again or cancel.
        ResourceMessageBox(m_hWnd, Messages::Shown, IDS_SETTINGS_NOT_SAVED, IDS_APP_TITLE, MB_ICONWARNING | MB_OK);
        return;
    }
    CDialog::OnOK();
}

bool SettingsDialog::saveFlagValue(int id0, int id1, int id2, std::string_view name) const {
    const std::array<bool, kPresetCount> flags{m_pages[0].IsDlgButtonChecked(id0) != FALSE,
                                               m_pages[1].IsDlgButtonChecked(id1) != FALSE,
                                               m_pages[2].IsDlgButtonChecked(id2) != FALSE};
    return m_store.writeValue(name, FlagString(flags));
}

bool SettingsDialog::saveListValue(int id0, int id1, int id2, std::string_view name) const {
    const std::array<int, kPresetCount> selections{m_pages[0].ListSelection(id0), m_pages[1].ListSelection(id1),
                                                   m_pages[2].ListSelection(id2)};
    // Only a list left without a selection (a stored digit beyond it) needs
    // the stored text: it keeps its own character.
    const std::string stored = NeedsStoredDigits(selections) ? m_store.readValue(name) : std::string();
    return m_store.writeValue(name, DigitString(selections, stored));
}

bool SettingsDialog::saveNumberValue(int editId, std::string_view name, const PresetPage& page) const {
    return m_store.writeValue(name, PresetNumberText(page.EditText(editId), SystemTextServices()));
}

bool SettingsDialog::saveNumberValues(std::string_view base, int PresetPageIds::*edit) const {
    bool written = true;
    for (const PresetPage& page : m_pages)
        written = saveNumberValue(page.ids().*edit, NumberValueName(base, page.presetIndex()), page) && written;
    return written;
}
