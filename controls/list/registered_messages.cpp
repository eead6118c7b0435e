// The six registered messages, in the order they must be registered. Objects defined in one
// file are initialised in the order of their definitions, before any window exists.
#include "controls/list/registered_messages.h"

const UINT WM_XCOMBOLIST_VK_RETURN = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_VK_RETURN");
const UINT WM_XCOMBOLIST_VK_ESCAPE = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_VK_ESCAPE");
const UINT WM_XCOMBOLIST_KEYDOWN = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_KEYDOWN");
const UINT WM_XCOMBOLIST_CLICK = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_LBUTTONUP");
const UINT WM_XLISTCTRL_COMBO_SELECTION = ::RegisterWindowMessageW(L"WM_XLISTCTRL_COMBO_SELECTION");
const UINT WM_XLISTCTRL_CHECKBOX_CLICKED =
    ::RegisterWindowMessageW(L"WM_XLISTCTRL_CHECKBOX_CLICKED");
