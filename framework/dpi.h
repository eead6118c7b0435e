// The display's DPI for windows drawn for it: the DPI a window is shown at, lengths of the
// 96-DPI layout at another DPI, and the platform's per-DPI calls. Those came with Windows 10;
// where the system lacks them, everything follows the system DPI, as Windows 7 and 8 scale
// every aware program.
#pragma once

#include <windows.h>

#include "framework/types.h"

// The DPI every length of the program's own layout is given at.
constexpr UINT kLayoutDpi = USER_DEFAULT_SCREEN_DPI;

// A length of the 96-DPI layout at dpi, rounded to the nearest pixel.
inline int ScaleToDpi(int nLength, UINT dpi) {
    return ::MulDiv(nLength, static_cast<int>(dpi), kLayoutDpi);
}

// Pixel (x, y) of a picture drawn for 96 DPI, as the cell of pixels it covers at dpi.
// Filled cell by cell, a picture stays sharp at every scale: neighbouring cells share their
// edges, and at 96 DPI each cell is the one pixel.
inline CRect ScaledPixelCell(int x, int y, UINT dpi) {
    return {ScaleToDpi(x, dpi), ScaleToDpi(y, dpi), ScaleToDpi(x + 1, dpi), ScaleToDpi(y + 1, dpi)};
}

// The DPI the program's windows are drawn for unless a monitor says otherwise: the primary
// monitor's at logon.
UINT GetSystemDpi();

// The DPI of the monitor the window is on, for a program that declares itself aware of each
// monitor's DPI; the system DPI where the platform keeps no DPI per window.
UINT GetWindowDpi(HWND hWnd);

// A system metric (SM_CXSMICON, ...) for a window at dpi.
int GetSystemMetricForDpi(int nIndex, UINT dpi);

// Leaves a dialog's layout on a move to a monitor of another DPI to the dialog itself: the
// platform's dialog manager would otherwise scale the template's controls and fonts anew.
void KeepDialogLayoutOnDpiChange(HWND hDlg);

// A control drawn for a DPI of its own: the window's when it is made, and then its owner's,
// which tells it of every move to a monitor of another scale once the control has its font
// and place for that scale.
class CDpiFollower {
public:
    virtual void SetDpi(UINT dpi) = 0;

protected:
    ~CDpiFollower() = default;
};
