// The contract between the main form and the programs that talk to it: the window class the
// hotkey driver looks for and the program-defined messages the form accepts. Shared by the
// program, the stand-in driver, the benchmarks and the tests.
#pragma once

#include <windows.h>

// WM_TRAY_NOTIFY (WM_USER+3) and WM_SHOW_FORM (WM_USER+4), which the tray base answers.
#include "framework/tray_messages.h"

// The main form's window class and title; the driver finds the form by the class.
constexpr wchar_t kFormClassName[] = L"THotkeyForm";
constexpr wchar_t kFormWindowTitle[] = L"HotkeyForm";

// The dialog manager gives WM_USER+1 and WM_USER+2 meanings of its own on every dialog,
// DM_SETDEFID and DM_REPOSITION, but it acts on them only in the default processing, and the
// form's handlers answer both without passing them on: a key code never becomes the default
// button's id, and an Apply never moves the form. The numbers stay, since the hotkey driver
// sends WM_USER+1.

// From the hotkey driver: wParam is the key code. Each message returns 1 when handled.
constexpr UINT WM_FN_HOTKEY = WM_USER + 1;
// From the program path dialog on Apply, sent while that dialog is still open.
constexpr UINT WM_PATH_APPLIED = WM_USER + 2;

// Key codes carried by WM_FN_HOTKEY: the driver's keys S1, S2, ... in order, each pressing the
// key entry of the same place. The only place that knows how many keys the driver has.
constexpr WPARAM kKeyCodeS1 = 0x5F;
constexpr int kDriverKeyCount = 5;
constexpr WPARAM kKeyCodeLast = kKeyCodeS1 + kDriverKeyCount - 1;

// The entry a driver's key code presses, or -1 for a code of no key.
constexpr int EntryOfKeyCode(WPARAM code) {
    return code >= kKeyCodeS1 && code <= kKeyCodeLast ? static_cast<int>(code - kKeyCodeS1) : -1;
}
