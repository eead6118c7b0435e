// The messages of a window that stands for itself in the notification area: the shell's
// reports on its icon, and the request to bring the window back from the tray.
#pragma once

#include <windows.h>

// From the notification area for the tray icon: wParam icon id, lParam mouse message.
constexpr UINT WM_TRAY_NOTIFY = WM_USER + 3;
// Posted to bring the window back from the tray, as a left double click on the icon does.
constexpr UINT WM_SHOW_FORM = WM_USER + 4;
