#include "browser/win/main_dialog.h"

#include <shellapi.h>
#include <shlwapi.h>
#include <wininet.h>

#include <optional>

#include "about/win/about_dialog.h"
#include "browser/win/extension_dialog.h"
#include "browser/win/save_listing.h"
#include "engine/listing_options.h"
#include "engine/win/preset_transfer.h"
#include "platform/win/dpi.h"
#include "platform/win/find_file_search.h"
#include "platform/win/registry_preset_storage.h"
#include "platform/win/resource_string.h"
#include "platform/win/system_text_services.h"
#include "platform/win/wide_text.h"
#include "platform/win/win_app.h"
#include "presets/preset_store.h"
#include "presets/win/settings_dialog.h"
#include "resources/resource.h"
#include "text/extension_rule.h"
#include "text/path_rules.h"

namespace {
// File and folder names, and the paths made of them, are UTF-8.
const TextServices kNames = TextServices::Utf8();

// The names of one folder's entries that match `pattern`: the sub-folders
// but "." when `folders`, else everything that is not a folder. A search
// that cannot start (missing folder, no access, drive not ready) lists nothing.
std::vector<std::string> ListEntries(const std::string& pattern, bool folders) {
    std::vector<std::string> names;
    FindFileSearch().Search(pattern, [&](const FoundEntry& entry) {
        if (entry.isDirectory == folders && !(folders && entry.name == ".")) names.emplace_back(entry.name);
    });
    return names;
}

// The working directory whatever its length: the system says how much room
// it needs first.
std::string CurrentDirectory() {
    const DWORD needed = ::GetCurrentDirectoryA(0, nullptr);
    std::string directory(needed, '\0');
    const DWORD length = needed ? ::GetCurrentDirectoryA(needed, directory.data()) : 0;
    directory.resize(length < needed ? length : 0);
    return directory;
}

bool IsFile(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file URL of the help page beside the program; none when it is not there.
std::optional<std::wstring> HelpPageAddress() {
    std::wstring page = ProgramPath();
    page.resize(page.find_last_of(L'\\') + 1);
    page += L"Listora.html";
    wchar_t url[INTERNET_MAX_URL_LENGTH];
    DWORD length = INTERNET_MAX_URL_LENGTH;
    if (!IsFile(::GetFileAttributesW(page.c_str())) || FAILED(::UrlCreateFromPathW(page.c_str(), url, &length, 0))) {
        return std::nullopt;
    }
    return std::wstring(url, length);
}

// BeginPaint and EndPaint as a pair.
class PaintScope {
public:
    explicit PaintScope(HWND window) : m_window(window), m_dc(::BeginPaint(window, &m_paint)) {}
    ~PaintScope() { ::EndPaint(m_window, &m_paint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};
}  // namespace

MainDialog::MainDialog()
    : CDialog(IDD_MAIN), m_hIcon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

BOOL MainDialog::OnInitDialog() {
    CDialog::OnInitDialog();

    if (HMENU systemMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
        const std::string text = LoadResourceString(IDS_ABOUTBOX);
        if (!text.empty()) {
            ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, text.c_str());
        }
    }
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    // The browser starts in "c:\"; the path field stays empty until the
    // first step. The drive box shows its second entry (C: on a machine
    // with A:), chosen without a notification, so nothing is listed for it.
    m_currentPath = "c:\\";
    BindControl(m_driveCombo, IDC_DRIVE_COMBO);
    BindControl(m_folderList, IDC_FOLDER_LIST);
    BindControl(m_fileList, IDC_FILE_LIST);
    SetItemDpi(WindowDpi(m_hWnd));
    m_driveCombo.FillDrives();
    m_driveCombo.SetCurSel(1);
    FillFolderList(m_currentPath);
    m_folderList.SetCurSel(0);
    ::SetDlgItemTextA(m_hWnd, IDC_EXTENSION_BUTTON, "*");
    FillFileList(m_currentPath);

    CheckDlgButton(IDC_PRESET1, TRUE);
    ::DragAcceptFiles(m_hWnd, TRUE);
    if (!m_startPath.empty()) OpenPath(m_startPath);
    return TRUE;
}

void MainDialog::OnOK() {
    // The transfer runs in its own modal dialog; this window stays open with
    // its lists, path and selection as they are (the default handling would
    // end it, and with it the program).
    RunPresetTransfer({.presetIndex = ChosenPreset(), .extension = m_extension, .startPaths = {m_currentPath}});
}

int MainDialog::ChosenPreset() const {
    return PresetIndexFromRadios(IsDlgButtonChecked(IDC_PRESET1), IsDlgButtonChecked(IDC_PRESET2));
}

void MainDialog::SaveListing() {
    // The same listing as the transfer button's, to a file through the same
    // progress window; the clipboard is not touched.
    std::optional<TransferTarget> target = AskSaveTarget(m_hWnd);
    if (!target) return;
    RunPresetTransfer({.presetIndex = ChosenPreset(),
                       .extension = m_extension,
                       .startPaths = {m_currentPath},
                       .target = std::move(*target)});
}

BOOL MainDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
        case ID_SAVE_LISTING:
            SaveListing();
            break;
        case ID_APP_EXIT_MENU:
            // Posted, so the dialog ends after this handler, through the close
            // request's cancel command.
            ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
            break;
        case ID_HELP_CONTENTS:
            OpenHelp(HELP_CONTENTS);
            break;
        case ID_HELP_SEARCH:
            OpenHelp(HELP_KEY);
            break;
        case ID_SETTINGS:
            ShowSettings();
            break;
        case ID_APP_ABOUT:
            ShowAbout();
            break;
        default:
            break;
    }
    if (OnControlNotification(LOWORD(wParam), HIWORD(wParam))) return TRUE;
    return CDialog::OnCommand(wParam, lParam);
}

bool MainDialog::OnControlNotification(int id, int code) {
    if (id == IDC_DRIVE_COMBO && code == CBN_SELCHANGE) {
        OnSelchangeDriveCombo();
    } else if (id == IDC_FOLDER_LIST && code == LBN_DBLCLK) {
        OnDblclkFolderList();
    } else if (id == IDC_FOLDER_LIST && code == LBN_SETFOCUS) {
        OnSetfocusFolderList();
    } else if (id == IDC_FOLDER_LIST && code == LBN_KILLFOCUS) {
        OnKillfocusFolderList();
    } else if (id == IDC_EXTENSION_BUTTON && code == BN_CLICKED) {
        OnExtensionButton();
    } else if (id == IDC_DEFAULT_BUTTON && code == BN_CLICKED) {
        OnDefaultButton();
    } else {
        return false;
    }
    return true;
}

INT_PTR MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam);
        case WM_PAINT:
            return OnPaint();
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            // The dialog manager goes on to scale the fonts and controls.
            return FALSE;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return TRUE;
        default:
            return CDialog::OnMessage(message, wParam, lParam);
    }
}

void MainDialog::OnDpiChanged(UINT dpi, const RECT& suggested) {
    TakeSuggestedRect(m_hWnd, suggested);
    SetItemDpi(dpi);
}

void MainDialog::OnDropFiles(HDROP drop) {
    // Of several items, the first.
    std::wstring path(::DragQueryFileW(drop, 0, nullptr, 0), L'\0');
    ::DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size() + 1));
    ::DragFinish(drop);
    OpenPath(Utf8FromUtf16(path));
}

void MainDialog::OpenPath(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(FileSystemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || path.empty()) return;
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // A file opens its folder, with the file chosen in the file list. The
    // drive letter is shown in upper case, as the command line gives it.
    const std::string open = StartPath(folder ? path : FolderOf(kNames, path));
    GoTo(open);
    // A network path has no drive: the box then shows none.
    m_driveCombo.SetCurSel(m_driveCombo.FindStringExact(open.substr(0, 3).c_str()));
    if (!folder)
        m_fileList.SetCurSel(m_fileList.FindStringExact(path.substr(kNames.FindLastSeparator(path) + 1).c_str()));
}

void MainDialog::SetItemDpi(UINT dpi) {
    m_driveCombo.SetDpi(dpi);
    m_folderList.SetDpi(dpi);
    m_fileList.SetDpi(dpi);
}

bool MainDialog::OnSysCommand(WPARAM id) {
    // The system keeps the low four bits of a command for itself.
    if ((id & 0xFFF0) != IDM_ABOUTBOX) return false;
    ShowAbout();
    return true;
}

bool MainDialog::OnPaint() {
    if (!::IsIconic(m_hWnd)) return false;
    const PaintScope paint(m_hWnd);
    ::SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.dc()), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    ::DrawIcon(paint.dc(), x, y, m_hIcon);
    return true;
}

void MainDialog::OpenHelp(UINT command) {
    const std::string helpFile = HelpFilePath(CurrentDirectory());
    if (IsFile(::GetFileAttributesA(helpFile.c_str()))) {
        ::WinHelpA(m_hWnd, helpFile.c_str(), command, 0);
        return;
    }
    // Without that file (and current systems have no viewer for its format)
    // the page beside the program opens in the user's browser, the keyword
    // search at its index.
    std::optional<std::wstring> address = HelpPageAddress();
    if (!address) {
        ResourceMessageBox(m_hWnd, Messages::Shown, IDS_HELP_MISSING, IDS_APP_TITLE, MB_ICONWARNING | MB_OK);
        return;
    }
    if (command == HELP_KEY) *address += L"#index";
    // Given to the web-address handler, the file URL keeps its "#index";
    // opened as a file, it would not.
    SHELLEXECUTEINFOW open{};
    open.cbSize = sizeof open;
    // The failure is said below, in the program's words, not by the shell as well.
    open.fMask = SEE_MASK_CLASSNAME | SEE_MASK_FLAG_NO_UI;
    open.hwnd = m_hWnd;
    open.lpVerb = L"open";
    open.lpFile = address->c_str();
    open.lpClass = L"http";
    open.nShow = SW_SHOWNORMAL;
    // A prompt on the way that the user turned down is the user's answer, not a failure.
    if (!::ShellExecuteExW(&open) && ::GetLastError() != ERROR_CANCELLED)
        ResourceMessageBox(m_hWnd, Messages::Shown, IDS_HELP_FAILED, IDS_APP_TITLE, MB_ICONWARNING | MB_OK);
}

void MainDialog::ShowSettings() {
    // Nothing to take back: the presets reach each transfer through the store.
    RegistryPresetStorage storage;
    const PresetStore store(storage);
    SettingsDialog settings(store);
    settings.DoModal();
}

void MainDialog::ShowAbout() {
    AboutDialog about;
    about.DoModal();
}

void MainDialog::FillFolderList(const std::string& path) {
    m_folderList.SetFolder(path.c_str());
    m_folderList.ReplaceItems(ListEntries(FolderPattern(kNames, path), true));
}

void MainDialog::FillFileList(const std::string& path) {
    m_fileList.SetFolder(path.c_str());
    ReadExtension();
    m_fileList.ReplaceItems(ListEntries(FilePattern(kNames, path, Utf8FromAnsi(m_extension)), false));
}

void MainDialog::ReadExtension() {
    char text[64] = {};
    ::GetDlgItemTextA(m_hWnd, IDC_EXTENSION_BUTTON, text, sizeof text);
    m_extension = CutExtension(SystemTextServices(), text);
}

void MainDialog::GoTo(std::string_view path) {
    m_currentPath = path;
    ::SetDlgItemTextW(m_hWnd, IDC_PATH, Utf16FromUtf8(m_currentPath).c_str());
    FillFolderList(m_currentPath);
    m_folderList.SetCurSel(0);
    FillFileList(m_currentPath);
}

void MainDialog::OpenSelectedFolder() {
    const int index = m_folderList.GetCurSel();
    if (index < 0) return;
    GoTo(OpenFolder(kNames, m_currentPath, m_folderList.GetItemText(index)));
}

void MainDialog::OnSelchangeDriveCombo() {
    // The box was filled at start-up; a position that the drive list no
    // longer has names no drive, and the browser stays where it is.
    std::string root;
    if (m_driveCombo.GetDriveAt(m_driveCombo.GetCurSel(), root)) GoTo(root);
}

void MainDialog::OnExtensionButton() {
    ReadExtension();
    ExtensionDialog dialog;
    dialog.SetExtension(m_extension);
    dialog.DoModal();
    // The new extension when it was changed, the one handed in otherwise;
    // either way both lists are made again.
    m_extension = dialog.GetExtension();
    ::SetDlgItemTextA(m_hWnd, IDC_EXTENSION_BUTTON, m_extension.c_str());
    FillFolderList(m_currentPath);
    m_folderList.SetCurSel(0);
    FillFileList(m_currentPath);
}

void MainDialog::OnDefaultButton() {
    // Enter reaches the hidden default button when no push button has the
    // focus; it opens a folder only from the folder list.
    if (m_folderList.GetCurSel() >= 0 && m_folderListHasFocus == 1) OpenSelectedFolder();
}
