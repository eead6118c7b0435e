// Dialog templates used by the class library tests.
#pragma once

#define IDD_TEST_EDIT 200
#define IDD_TEST_PLAIN 201
#define IDC_TEST_EDIT 1001

// A minimisable dialog with an owner-drawn button, a tray menu, two button faces, an icon.
#define IDD_TRAY_TEST 300
#define IDR_TRAY_TEST_MENU 301
#define IDB_TRAY_TEST_UP 302
#define IDB_TRAY_TEST_DOWN 303
#define IDR_TRAY_TEST_ICON 304
#define IDC_TRAY_TEST_BUTTON 1009
#define ID_TRAY_TEST_SHOW 32775
#define ID_TRAY_TEST_EXIT 32776
