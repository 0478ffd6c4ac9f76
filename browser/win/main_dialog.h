#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "browser/win/drive_combo.h"
#include "browser/win/icon_list_box.h"
#include "platform/win/dialog.h"

// The main window: the browser (drive box, folder list, file list, extension
// button, path field), the three preset buttons, the transfer and exit
// buttons, the menu and the About entry of the system menu. Ending it ends
// the program.
class MainDialog : public CDialog {
public:
    MainDialog();

    // Where the browser opens instead of "c:\": a folder, or a file whose
    // folder opens with the file chosen. UTF-8, full.
    void SetStartPath(std::string path) { m_startPath = std::move(path); }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    // The transfer button. It never closes the window.
    void OnOK() override;

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool OnSysCommand(WPARAM id);
    // The window moved to a display of another scale: it takes the size the
    // system suggests, and its items are drawn for the new scale.
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void SetItemDpi(UINT dpi);
    // Something dropped on the window: a folder opens there, a file opens its
    // folder with the file chosen.
    void OnDropFiles(HDROP drop);
    // Opens a folder, or a file's folder with the file chosen; a path that is
    // not there changes nothing.
    void OpenPath(const std::string& path);
    bool OnPaint();
    HICON OnQueryDragIcon() const { return m_hIcon; }
    // The notifications of the browser's controls; false for any other.
    bool OnControlNotification(int id, int code);
    void OnSelchangeDriveCombo();
    void OnDblclkFolderList() { OpenSelectedFolder(); }
    void OnSetfocusFolderList() { m_folderListHasFocus = 1; }
    void OnKillfocusFolderList() { m_folderListHasFocus = 0; }
    void OnExtensionButton();
    void OnDefaultButton();
    // The preset of the radio buttons, as an index.
    int ChosenPreset() const;
    // The menu's save command: the current folder's listing to a file.
    void SaveListing();
    void OpenHelp(UINT command);
    void ShowSettings();
    void ShowAbout();

    void FillFolderList(const std::string& path);
    void FillFileList(const std::string& path);
    void ReadExtension();
    void OpenSelectedFolder();
    // Makes `path` the current folder, shows it and lists it.
    void GoTo(std::string_view path);

    DriveCombo m_driveCombo;
    IconListBox m_folderList;
    IconListBox m_fileList;
    // UTF-8, of any length.
    std::string m_currentPath;
    std::string m_startPath;
    std::string m_extension;
    int m_folderListHasFocus = 0;
    HICON m_hIcon;
};
