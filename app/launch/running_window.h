// The window of a program that already runs, as a key press finds it and brings it up or
// puts it away.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/cstring.h"

// A top-level window as the choice below sees it.
struct TOPWINDOW {
    HWND hWnd;
    bool bOfProgram; // a process of the program, by its full image path, owns it
    bool bCanTakeFront;
    bool bOwned;
};

// Whether a top-level window is one the user could switch to: visible, of some size, not a
// tool window, not one that refuses activation, not cloaked (on another virtual desktop, or
// the frame of a suspended app) and not one of the desktop's own.
bool CanTakeFront(HWND hWnd);

// Tells whether the desktop window manager hides the window; tests put stand-ins here.
extern bool (*g_pfnIsCloaked)(HWND hWnd);

// The window a user would mean among the top-level windows, given from the front of the
// z-order back: the program's, one that can take the front, not owned, and of those the most
// recently active, which is the frontmost. A copy running at higher rights counts too: the
// platform lets any window be given the foreground. Null when none is left.
HWND ChooseProgramWindow(const std::vector<TOPWINDOW>& zOrder);

// The top-level windows from the front back, marked for the program at strProgramPath.
std::vector<TOPWINDOW> ListTopWindows(const CString& strProgramPath);

// What a press does to the chosen window: put it away when it was in front at the press and
// the key toggles, and otherwise restore it if minimized and give it the foreground.
enum class RunningAction { BringToFront, Minimize };
RunningAction ActionForRunningWindow(HWND hWnd, bool bToggle, HWND hwndFrontAtPress);
// Shows, restores or minimizes without waiting for the window's program, which may have
// stopped answering. Where the press leaves nothing in front, the keyboard goes back to
// hwndFrontAtPress, or after a minimize to the window behind.
void ApplyToRunningWindow(HWND hWnd, RunningAction action, HWND hwndFrontAtPress);
