#include "presets/win/preset_page.h"

#include "platform/win/resource_string.h"
#include "presets/preset_store.h"
#include "resources/resource.h"

namespace {
const PresetPageIds kPageIds[kPresetCount] = {
    {.templateId = IDD_PRESET_PAGE_1,
     .noExtension = IDC_NO_EXTENSION_1,
     .lowerCase = IDC_LOWER_CASE_1,
     .reverse = IDC_REVERSE_1,
     .nextFolder = IDC_NEXT_FOLDER_1,
     .folderOutput = IDC_FOLDER_OUTPUT_1,
     .folderType = IDC_FOLDER_TYPE_1,
     .subFolder = IDC_SUB_FOLDER_1,
     .depth = IDC_DEPTH_1,
     .fileSize = IDC_FILE_SIZE_1,
     .lineNumber = IDC_LINE_NUMBER_1,
     .separator = IDC_SEPARATOR_1,
     .spacesBefore = IDC_SPACES_BEFORE_1,
     .spacesAfter = IDC_SPACES_AFTER_1,
     .numberWidth = IDC_NUMBER_WIDTH_1,
     .zeroPad = IDC_ZERO_PAD_1,
     .fileDate = IDC_FILE_DATE_1,
     .naturalOrder = IDC_NATURAL_ORDER_1,
     .skipHidden = IDC_SKIP_HIDDEN_1},
    {.templateId = IDD_PRESET_PAGE_2,
     .noExtension = IDC_NO_EXTENSION_2,
     .lowerCase = IDC_LOWER_CASE_2,
     .reverse = IDC_REVERSE_2,
     .nextFolder = IDC_NEXT_FOLDER_2,
     .folderOutput = IDC_FOLDER_OUTPUT_2,
     .folderType = IDC_FOLDER_TYPE_2,
     .subFolder = IDC_SUB_FOLDER_2,
     .depth = IDC_DEPTH_2,
     .fileSize = IDC_FILE_SIZE_2,
     .lineNumber = IDC_LINE_NUMBER_2,
     .separator = IDC_SEPARATOR_2,
     .spacesBefore = IDC_SPACES_BEFORE_2,
     .spacesAfter = IDC_SPACES_AFTER_2,
     .numberWidth = IDC_NUMBER_WIDTH_2,
     .zeroPad = IDC_ZERO_PAD_2,
     .fileDate = IDC_FILE_DATE_2,
     .naturalOrder = IDC_NATURAL_ORDER_2,
     .skipHidden = IDC_SKIP_HIDDEN_2},
    {.templateId = IDD_PRESET_PAGE_3,
     .noExtension = IDC_NO_EXTENSION_3,
     .lowerCase = IDC_LOWER_CASE_3,
     .reverse = IDC_REVERSE_3,
     .nextFolder = IDC_NEXT_FOLDER_3,
     .folderOutput = IDC_FOLDER_OUTPUT_3,
     .folderType = IDC_FOLDER_TYPE_3,
     .subFolder = IDC_SUB_FOLDER_3,
     .depth = IDC_DEPTH_3,
     .fileSize = IDC_FILE_SIZE_3,
     .lineNumber = IDC_LINE_NUMBER_3,
     .separator = IDC_SEPARATOR_3,
     .spacesBefore = IDC_SPACES_BEFORE_3,
     .spacesAfter = IDC_SPACES_AFTER_3,
     .numberWidth = IDC_NUMBER_WIDTH_3,
     .zeroPad = IDC_ZERO_PAD_3,
     .fileDate = IDC_FILE_DATE_3,
     .naturalOrder = IDC_NATURAL_ORDER_3,
     .skipHidden = IDC_SKIP_HIDDEN_3},
};

// The list entries in index order, each table ended by "END".
constexpr UINT kFolderTypes[] = {IDS_FOLDER_TYPE_1, IDS_FOLDER_TYPE_2, IDS_FOLDER_TYPE_3, IDS_FOLDER_TYPE_4,
                                 IDS_FOLDER_TYPE_END};
constexpr UINT kSeparators[] = {IDS_SEPARATOR_NONE, IDS_SEPARATOR_COLON,      IDS_SEPARATOR_COMMA,  IDS_SEPARATOR_DOT,
                                IDS_SEPARATOR_BAR,  IDS_SEPARATOR_DOUBLE_BAR, IDS_SEPARATOR_HYPHEN, IDS_SEPARATOR_END};
}  // namespace

PresetPage::PresetPage(const PresetStore& store, int presetIndex)
    : CDialog(kPageIds[presetIndex].templateId), m_store(store), m_presetIndex(presetIndex),
      m_ids(kPageIds[presetIndex]) {}

std::string PresetPage::EditText(int id) const {
    CWnd edit;
    edit.m_hWnd = GetDlgItem(id);
    return edit.GetWindowText();
}

int PresetPage::ListSelection(int id) const {
    return static_cast<int>(::SendDlgItemMessageA(m_hWnd, id, CB_GETCURSEL, 0, 0));
}

BOOL PresetPage::OnInitDialog() {
    CDialog::OnInitDialog();
    BindControl(m_folderType, m_ids.folderType);
    BindControl(m_separator, m_ids.separator);
    FillList(m_folderType, kFolderTypes, std::size(kFolderTypes));
    FillList(m_separator, kSeparators, std::size(kSeparators));

    // Each value is applied as soon as it is read; a box that is off
    // disables what depends on it right away.
    LoadFlag(PresetValue::NoExtension, m_ids.noExtension);
    LoadFlag(PresetValue::LowerCase, m_ids.lowerCase);
    LoadFlag(PresetValue::Reverse, m_ids.reverse);
    if (!LoadFlag(PresetValue::SubFolder, m_ids.subFolder)) Enable(m_ids.depth, false);
    LoadNumber(PresetValue::SubNumber, m_ids.depth);
    if (!LoadFlag(PresetValue::FolderCheck, m_ids.folderOutput)) m_folderType.EnableWindow(FALSE);
    LoadFlag(PresetValue::NextFolder, m_ids.nextFolder);
    LoadFlag(PresetValue::FileSize, m_ids.fileSize);
    LoadSelection(PresetValue::FolderType, m_folderType);
    if (!LoadFlag(PresetValue::LineNumber, m_ids.lineNumber)) EnableLineNumberOptions(false);
    LoadSelection(PresetValue::SeparatorType, m_separator);
    LoadNumber(PresetValue::SeparatorBefore, m_ids.spacesBefore);
    LoadNumber(PresetValue::SeparatorAfter, m_ids.spacesAfter);
    LoadNumber(PresetValue::NumberLength, m_ids.numberWidth);
    LoadFlag(PresetValue::ZeroPad, m_ids.zeroPad);
    LoadFlag(PresetValue::FileDate, m_ids.fileDate);
    LoadFlag(PresetValue::NaturalOrder, m_ids.naturalOrder);
    LoadFlag(PresetValue::SkipHidden, m_ids.skipHidden);

    onFolderTypeChanged();
    onSubFolderClicked();
    return TRUE;
}

BOOL PresetPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (code == BN_CLICKED && id == m_ids.folderOutput) {
        onFolderOutputClicked();
    } else if (code == CBN_SELCHANGE && id == m_ids.folderType) {
        onFolderTypeChanged();
    } else if (code == BN_CLICKED && id == m_ids.subFolder) {
        onSubFolderClicked();
    } else if (code == BN_CLICKED && id == m_ids.lineNumber) {
        onLineNumberClicked();
    } else {
        return CDialog::OnCommand(wParam, lParam);
    }
    return TRUE;
}

void PresetPage::onFolderOutputClicked() {
    m_folderType.EnableWindow(CurrentEnables().folderTypeList);
    onFolderTypeChanged();
    onSubFolderClicked();
}

void PresetPage::onFolderTypeChanged() {
    const PresetPageEnables enables = CurrentEnables();
    Enable(m_ids.subFolder, enables.subFolderBox);
    Enable(m_ids.depth, enables.depthEdit);
    Enable(m_ids.nextFolder, enables.nextFolderBox);
}

void PresetPage::onSubFolderClicked() { Enable(m_ids.depth, CurrentEnables().depthEdit); }

void PresetPage::onLineNumberClicked() { EnableLineNumberOptions(CurrentEnables().lineNumberOptions); }

PresetPageEnables PresetPage::CurrentEnables() const {
    PresetPageStates states;
    states.folderOutputChecked = IsDlgButtonChecked(m_ids.folderOutput);
    states.folderTypeSelection = m_folderType.GetCurSel();
    states.subFolderChecked = IsDlgButtonChecked(m_ids.subFolder);
    states.lineNumberChecked = IsDlgButtonChecked(m_ids.lineNumber);
    return PresetPageEnables::For(states);
}

void PresetPage::Enable(int id, bool enabled) const { ::EnableWindow(GetDlgItem(id), enabled); }

void PresetPage::EnableLineNumberOptions(bool enabled) const {
    for (const int id : {m_ids.separator, m_ids.spacesBefore, m_ids.spacesAfter, m_ids.numberWidth, m_ids.zeroPad}) {
        Enable(id, enabled);
    }
}

void PresetPage::FillList(const CComboBox& list, const UINT* table, std::size_t count) {
    // The table's size bounds the walk even if its "END" went missing.
    for (std::size_t i = 0; i < count; ++i) {
        const std::string text = LoadResourceString(table[i]);
        if (i > 0 && text == "END") break;
        list.AddString(text.c_str());
    }
}

bool PresetPage::LoadFlag(std::string_view name, int id) const {
    const bool on = FlagAt(m_store.readValue(name), m_presetIndex);
    if (on) CheckDlgButton(id, TRUE);
    return on;
}

void PresetPage::LoadSelection(std::string_view name, const CComboBox& list) const {
    // A digit beyond the list leaves it without a selection.
    list.SetCurSel(DigitAt(m_store.readValue(name), m_presetIndex));
}

void PresetPage::LoadNumber(std::string_view base, int id) const {
    const std::int32_t number = ParsePresetNumber(m_store.readValue(NumberValueName(base, m_presetIndex)));
    ::SetDlgItemInt(m_hWnd, id, static_cast<UINT>(number), TRUE);
}
