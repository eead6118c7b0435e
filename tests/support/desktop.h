// The desktop as a user meets it in end-to-end tests: the notification area's icons, real
// mouse and keyboard input, the open pop-up menu, the screen's pixels and texts read out of
// another process's list view.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

#include "framework/cstring.h"
#include "framework/types.h"
#include "tests/support/input.h"
#include "tests/support/pixels.h"

// Screen rectangles of the icons now shown in the notification area.
std::vector<CRect> TrayIcons();
// Waits until the notification area shows n icons; returns whether it did.
bool WaitForTrayIcons(size_t n, DWORD ms = 5000);

// Real input through the system's input queue, as the user's mouse and keyboard.
using namespace input;

// The visible pop-up menu of the process, or null; waits up to ms for it.
HWND WaitForPopupMenu(DWORD pid, DWORD ms = 3000);
// Opens the tray menu of the process with a right press on its icon, the only one shown;
// returns the menu, or null.
HWND OpenTrayMenu(DWORD pid);
bool WaitForNoPopupMenu(DWORD ms = 3000);

using test::ScreenPixel;

// Waits for a condition that another process brings about.
template <class Condition> bool WaitFor(Condition condition, DWORD ms = 5000) {
    for (DWORD waited = 0;; waited += 20) {
        if (condition())
            return true;
        if (waited >= ms)
            return false;
        ::Sleep(20);
    }
}

// A cell's text of a list view in another process, at most nChars - 1 characters.
CString RemoteListItemText(HWND hList, int nItem, int nSubItem, int nChars = 260);
// A row's bounds in screen coordinates, of a list view in another process.
CRect RemoteListItemRect(HWND hList, int nItem);
// Tells a window of another process that it is now on a monitor of the given DPI, as the
// platform does when the window moves there, with the platform's suggested rectangle.
void SendDpiChanged(HWND hWnd, UINT dpi, const RECT& rcSuggested);
