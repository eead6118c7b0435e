// Resources of the tray dialog tests.
#pragma once

#define IDD_TRAY_TEST 300
#define IDR_TRAY_TEST_MENU 301
#define IDB_TRAY_TEST_UP 302
#define IDB_TRAY_TEST_DOWN 303
#define IDR_TRAY_TEST_ICON 304
#define IDC_TRAY_TEST_BUTTON 1009
#define ID_TRAY_TEST_SHOW 32775
#define ID_TRAY_TEST_EXIT 32776
