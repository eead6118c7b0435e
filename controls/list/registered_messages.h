// Window messages of the list control and its drop list, registered by name at program start.
#pragma once

#include <windows.h>

// Sent by the drop list to the list control that owns it.
extern const UINT WM_XCOMBOLIST_VK_RETURN;
extern const UINT WM_XCOMBOLIST_VK_ESCAPE;
extern const UINT WM_XCOMBOLIST_KEYDOWN;
// Registered as "WM_XCOMBOLIST_LBUTTONUP", but sent for a press on the drop list as well as
// for a release over its list box: either click takes the entry under the mouse.
extern const UINT WM_XCOMBOLIST_CLICK;
// Sent by the list control to its parent: wParam row, lParam column.
extern const UINT WM_XLISTCTRL_COMBO_SELECTION;
extern const UINT WM_XLISTCTRL_CHECKBOX_CLICKED;
