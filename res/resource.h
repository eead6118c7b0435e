// Resource identifiers shared by the C++ sources and res/HotkeyForm.rc.
// Plain #defines only: windres reads this file through its C preprocessor.
#ifndef HOTKEYFORM_RES_RESOURCE_H
#define HOTKEYFORM_RES_RESOURCE_H

// Dialog templates and strings
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_HOTKEYFORM 102
#define IDD_PROGRAMPATH 130
#define IDS_ENTRY_NAME_LABEL 140 // the program path dialog's name field
#define IDS_ENTRY_NEEDS_NAME 141 // the user's entries on the form
#define IDS_REMOVE_ENTRY_ASK 142
#define IDS_REMOVE_ENTRY_FAILED 143

// Icon, bitmaps and menus
#define IDR_MAINFRAME 128
#define IDB_FORM_BACK 129
#define IDB_DIALOG_BACK 131 // both small dialogs: the About box and the program path dialog
#define IDR_TRAYMENU 132
#define IDR_KEYLISTMENU 133
#define IDB_CLOSE_DOWN 134
#define IDB_CLOSE_UP 135
#define IDB_MIN_DOWN 137
#define IDB_MIN_UP 138

// The bitmaps above drawn for larger display scales (res/make_art.py): the 100 % id plus
// IDB_SCALE_STEP for 125 %, twice the step for 150 % and three times for 200 %.
#define IDB_SCALE_STEP 1000
#define IDB_FORM_BACK_125 1129
#define IDB_FORM_BACK_150 2129
#define IDB_FORM_BACK_200 3129
#define IDB_DIALOG_BACK_125 1131
#define IDB_DIALOG_BACK_150 2131
#define IDB_DIALOG_BACK_200 3131
#define IDB_CLOSE_DOWN_125 1134
#define IDB_CLOSE_DOWN_150 2134
#define IDB_CLOSE_DOWN_200 3134
#define IDB_CLOSE_UP_125 1135
#define IDB_CLOSE_UP_150 2135
#define IDB_CLOSE_UP_200 3135
#define IDB_MIN_DOWN_125 1137
#define IDB_MIN_DOWN_150 2137
#define IDB_MIN_DOWN_200 3137
#define IDB_MIN_UP_125 1138
#define IDB_MIN_UP_150 2138
#define IDB_MIN_UP_200 3138

// Controls
#define IDC_KEYLIST 1000
#define IDC_PATH_KEY 1003
#define IDC_ABOUT_TITLE 1004 // in the About box
#define IDC_PATH_LABEL 1004  // in the program path dialog
#define IDC_PATH_BROWSE 1007
#define IDC_MINIMIZE 1009
#define IDC_VERSION 1010
#define IDC_ABOUT_NOTICE 1011
#define IDC_PATH_HOTKEY_LABEL 1020 // the program path dialog's key combination row
#define IDC_PATH_HOTKEY 1021
#define IDC_PATH_HOTKEY_CLEAR 1022
#define IDC_PATH_STARTIN_LABEL 1023 // the program path dialog's launch options
#define IDC_PATH_STARTIN 1024
#define IDC_PATH_WINDOW_LABEL 1025
#define IDC_PATH_WINDOW 1026
#define IDC_PATH_IFRUNNING_LABEL 1027
#define IDC_PATH_IFRUNNING 1028
#define IDC_PATH_ADMIN 1029
#define IDC_PATH_NAME 1030 // a user's entry's name, in the key label's place

// Tray menu commands
#define ID_TRAY_SHOW 32775
#define ID_TRAY_EXIT 32776
#define ID_TRAY_ABOUT 32778
#define ID_TRAY_AUTOSTART 32779

// Key list menu commands
#define ID_KEY_EDIT 32780
#define ID_KEY_ADD 32781
#define ID_KEY_REMOVE 32782

// System menu command; the low four bits of SC_* values must stay clear.
#define IDM_ABOUTBOX 0x0010

#endif // HOTKEYFORM_RES_RESOURCE_H
