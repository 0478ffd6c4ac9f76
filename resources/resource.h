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
#define ID_SAVE_LISTING 32776
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
#define IDS_CLIPBOARD_FAILED 3102
#define IDS_HELP_MISSING 3103
#define IDS_EXTENSION_BAD_CHARACTER 3104
#define IDS_HELP_FAILED 3105
#define IDS_OUT_OF_MEMORY 3106
// The command line: its usage, what is wrong with one (in the order of the
// faults the parser names, from IDS_ARG_UNKNOWN_SWITCH on), and the failures
// of what it asked for.
#define IDS_USAGE 3110
#define IDS_ARG_UNKNOWN_SWITCH 3111
#define IDS_ARG_REPEATED_SWITCH 3112
#define IDS_ARG_NEEDS_PRESET 3113
#define IDS_ARG_BAD_PRESET 3114
#define IDS_ARG_EMPTY 3115
#define IDS_ARG_EMPTY_OUTPUT_FILE 3116
#define IDS_ARG_NO_PATH 3117
#define IDS_ARG_TOO_MANY_PATHS 3118
#define IDS_ARG_NOT_ALONE 3119
#define IDS_ARG_PATH_NOT_FOUND 3120
#define IDS_ARG_BAD_EXTENSION 3121
#define IDS_ARG_EXTENSION_TOO_LONG 3122
#define IDS_FILE_FAILED 3130
#define IDS_SENDTO_FAILED 3131
#define IDS_CONTEXTMENU_FAILED 3132
// The context menu's commands: a preset's ("%s" its name), and the window's.
#define IDS_CONTEXT_COPY 3133
#define IDS_CONTEXT_OPEN 3134
// The save dialog's two file types.
#define IDS_SAVE_TYPE_ANSI 3140
#define IDS_SAVE_TYPE_UTF8 3141
// The folders a transfer could not read, and how many more there were.
#define IDS_UNREADABLE_FOLDERS 3150
#define IDS_UNREADABLE_MORE 3151

// --- settings dialog and preset pages ---
#define IDD_SETTINGS 130
#define IDD_PRESET_PAGE_1 133
#define IDD_PRESET_PAGE_2 134
#define IDD_PRESET_PAGE_3 135
#define IDC_PRESET_TABS 1008

// The controls of the page of preset index 0, 1, 2 (suffix _1, _2, _3).
#define IDC_NO_EXTENSION_1 1029
#define IDC_LOWER_CASE_1 1030
#define IDC_REVERSE_1 1031
#define IDC_NEXT_FOLDER_1 1032
#define IDC_FOLDER_OUTPUT_1 1033
#define IDC_SUB_FOLDER_1 1034
#define IDC_FOLDER_TYPE_1 1035
#define IDC_DEPTH_1 1036
#define IDC_LINE_NUMBER_1 1037
#define IDC_SPACES_BEFORE_1 1038
#define IDC_SPACES_AFTER_1 1039
#define IDC_NUMBER_WIDTH_1 1040
#define IDC_ZERO_PAD_1 1041
#define IDC_SEPARATOR_1 1077
#define IDC_FILE_SIZE_1 1091
#define IDC_FILE_DATE_1 1100
#define IDC_NATURAL_ORDER_1 1103
#define IDC_SKIP_HIDDEN_1 1106

#define IDC_NO_EXTENSION_2 1055
#define IDC_LOWER_CASE_2 1056
#define IDC_REVERSE_2 1057
#define IDC_NEXT_FOLDER_2 1058
#define IDC_FOLDER_OUTPUT_2 1059
#define IDC_FOLDER_TYPE_2 1060
#define IDC_SUB_FOLDER_2 1061
#define IDC_DEPTH_2 1062
#define IDC_LINE_NUMBER_2 1063
#define IDC_SPACES_BEFORE_2 1069
#define IDC_SPACES_AFTER_2 1070
#define IDC_NUMBER_WIDTH_2 1071
#define IDC_ZERO_PAD_2 1072
#define IDC_SEPARATOR_2 1078
#define IDC_FILE_SIZE_2 1092
#define IDC_FILE_DATE_2 1101
#define IDC_NATURAL_ORDER_2 1104
#define IDC_SKIP_HIDDEN_2 1107

#define IDC_NO_EXTENSION_3 1042
#define IDC_LOWER_CASE_3 1043
#define IDC_REVERSE_3 1044
#define IDC_NEXT_FOLDER_3 1045
#define IDC_FOLDER_OUTPUT_3 1046
#define IDC_FOLDER_TYPE_3 1047
#define IDC_SUB_FOLDER_3 1048
#define IDC_DEPTH_3 1049
#define IDC_LINE_NUMBER_3 1050
#define IDC_SEPARATOR_3 1068
#define IDC_SPACES_BEFORE_3 1073
#define IDC_SPACES_AFTER_3 1074
#define IDC_NUMBER_WIDTH_3 1075
#define IDC_ZERO_PAD_3 1076
#define IDC_FILE_SIZE_3 1093
#define IDC_FILE_DATE_3 1102
#define IDC_NATURAL_ORDER_3 1105
#define IDC_SKIP_HIDDEN_3 1108

// Tab texts, and the two lists' entries, each table ended by "END".
#define IDS_PRESET_TAB_1 1300
#define IDS_PRESET_TAB_2 1301
#define IDS_PRESET_TAB_3 1302
#define IDS_FOLDER_TYPE_1 1310
#define IDS_FOLDER_TYPE_2 1311
#define IDS_FOLDER_TYPE_3 1312
#define IDS_FOLDER_TYPE_4 1313
#define IDS_FOLDER_TYPE_END 1314
#define IDS_SEPARATOR_NONE 1320
#define IDS_SEPARATOR_COLON 1321
#define IDS_SEPARATOR_COMMA 1322
#define IDS_SEPARATOR_DOT 1323
#define IDS_SEPARATOR_BAR 1324
#define IDS_SEPARATOR_DOUBLE_BAR 1325
#define IDS_SEPARATOR_HYPHEN 1326
#define IDS_SEPARATOR_END 1327
#define IDS_SETTINGS_NOT_SAVED 1330
