// The program-defined messages the main form accepts; each returns 1 when handled.
#pragma once

#include <windows.h>

// From the hotkey driver: wParam is the key code.
constexpr UINT WM_FN_HOTKEY = WM_USER + 1;
// From the program path dialog on Apply, sent while that dialog is still open.
constexpr UINT WM_PATH_APPLIED = WM_USER + 2;
// From the notification area for the tray icon: wParam icon id, lParam mouse message.
constexpr UINT WM_TRAY_NOTIFY = WM_USER + 3;
// Posted to bring the form back from the tray.
constexpr UINT WM_SHOW_FORM = WM_USER + 4;

// Key codes carried by WM_FN_HOTKEY, S1 to S5.
constexpr WPARAM kKeyCodeS1 = 0x5F;
constexpr WPARAM kKeyCodeS5 = 0x63;
