#pragma once

// Resource and control identifiers. The numbers are fixed: other builds and
// the help file know them.

// --- main window and browser ---
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDR_MAINFRAME 128
#define IDR_MAIN_MENU 129
#define IDI_GO_UP 131
#define IDI_PLAIN_FILE 132
#define IDC_DRIVE_COMBO 1000
#define IDC_FILE_LIST 1001
#define IDC_FOLDER_LIST 1002
#define IDC_PRESET1 1005
#define IDC_PRESET2 1006
#define IDC_PRESET3 1007
#define IDC_PATH 1011
#define IDC_EXTENSION_BUTTON 1079
#define IDC_DEFAULT_BUTTON 1085
#define ID_APP_EXIT_MENU 32771
#define ID_SETTINGS 32772
#define ID_HELP_CONTENTS 32773
#define ID_HELP_SEARCH 32774
#define ID_APP_ABOUT 32775
// The system-menu entry that opens the About box.
#define IDM_ABOUTBOX 0x0010
// Text drawn for the ".." item of the folder list.
#define IDS_GO_UP 3001

// --- extension dialog and About box ---
#define IDD_EXTENSION_DIALOG 137
#define IDC_CURRENT_EXTENSION 1080
#define IDC_NEW_EXTENSION 1081
#define IDC_CHANGE_EXTENSION 1083
// Not IDCANCEL: the button posts a close request, which becomes IDCANCEL.
#define IDC_EXTENSION_CANCEL 3
#define IDD_ABOUT_DIALOG 100
#define IDC_LINK_AREA 1094
#define IDB_ABOUT_UPPER 152
#define IDB_ABOUT_LOWER 155

// --- copy progress dialog ---
#define IDD_COPY_PROGRESS 138
#define IDC_ANIMATION 1086
#define IDC_STATUS 1087
#define IDC_COLLECTED_FOLDERS 1088
#define IDC_FOLDER_FILES 1089
#define IDC_CHILD_FOLDERS 1090
#define IDR_COPY_CLIP 139
// The program's title, and the warning shown when the clip cannot be opened.
#define IDS_APP_TITLE 3100
#define IDS_CLIP_WARNING 3101

// --- settings dialog and preset pages ---
