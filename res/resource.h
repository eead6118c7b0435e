// Resource identifiers shared by the C++ sources and res/HotkeyForm.rc.
// Plain #defines only: windres reads this file through its C preprocessor.
#ifndef HOTKEYFORM_RES_RESOURCE_H
#define HOTKEYFORM_RES_RESOURCE_H

// Dialog templates and strings
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_HOTKEYFORM 102
#define IDD_PROGRAMPATH 130
#define IDS_TRAY_TIP 140
#define IDS_TRAY_TIP_PAUSED 141
#define IDS_EXPORT_MENU 142
#define IDS_IMPORT_MENU 143
#define IDS_SETTINGS_FILES 144
#define IDS_EXPORT_FAILED 145
#define IDS_IMPORT_UNREADABLE 146
#define IDS_IMPORT_NOT_SETTINGS 147
#define IDS_IMPORT_FAILED 148

// Texts of the string table, in every language block (res/lang/). Choices of a list are
// consecutive, in the order of their option's values.
#define IDS_KEYLIST_NAME 401
#define IDS_COLUMN_KEY 402
#define IDS_COLUMN_PATH 403
#define IDS_COLUMN_HOTKEY 404
#define IDS_HOTKEY_UNAVAILABLE 405     // %1: the combination
#define IDS_HOTKEY_UNAVAILABLE_TIP 406 // %1: the combination
#define IDS_HOTKEY_OTHER_ENTRY 407     // %1: the combination, %2: the entry that has it
#define IDS_HOTKEY_TAKEN 408           // %1: the combination
#define IDS_SAVE_FAILED 409            // %1: the settings file
#define IDS_AUTOSTART_FAILED 410       // %1: the registry key
#define IDS_WARNING_CAPTION 411
#define IDS_ERROR_NUMBER 412 // %1: a system error number without a text of its own
#define IDS_BROWSE_TIP 416
#define IDS_BROWSE_NAME 417
#define IDS_PROGRAM_FILTER 418
#define IDS_FOLDER_PROMPT 419
#define IDS_WINDOW_NORMAL 420
#define IDS_WINDOW_MINIMIZED 421
#define IDS_WINDOW_MAXIMIZED 422
#define IDS_IFRUNNING_START 423
#define IDS_IFRUNNING_FRONT 424
#define IDS_IFRUNNING_TOGGLE 425
#define IDS_NO_COMBINATION 426
#define IDS_KEY_REFUSED 432 // %1: the combination, %2: the reason below
#define IDS_REFUSAL_F12 433
#define IDS_REFUSAL_TYPES_TEXT 434
#define IDS_REFUSAL_SHORTCUT 435 // %1: the combination
#define IDS_REFUSAL_BREAK 436    // %1: the combination, %2: the same with Break
#define IDS_REFUSAL_ALTGR 437    // %1: the layout, %2: the character, %3: the key

// The user's own entries on the form and in the path dialog.
#define IDS_ENTRY_NAME_LABEL 150 // the program path dialog's name field
#define IDS_ENTRY_NEEDS_NAME 151
#define IDS_REMOVE_ENTRY_ASK 152
#define IDS_REMOVE_ENTRY_FAILED 153

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
#define ID_TRAY_PAUSE 32780
#define ID_TRAY_EXPORT 32781
#define ID_TRAY_IMPORT 32782
// The entries listed in the tray menu: entry n is ID_TRAY_ENTRY_FIRST + n, above every fixed
// command and below the system's commands.
#define ID_TRAY_ENTRY_FIRST 40000
#define ID_TRAY_ENTRY_LAST 49999

// Key list menu commands
#define ID_KEY_EDIT 32790
#define ID_KEY_ADD 32791
#define ID_KEY_REMOVE 32792

// System menu commands; the low four bits of SC_* values must stay clear.
#define IDM_ABOUTBOX 0x0010
#define IDM_EXPORT 0x0020
#define IDM_IMPORT 0x0030

#endif // HOTKEYFORM_RES_RESOURCE_H
