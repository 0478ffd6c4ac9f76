#pragma once

// Resource and control identifiers. The numbers are fixed: other builds and
// the help file know them.

// --- main window and browser ---

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

// --- settings dialog and preset pages ---
