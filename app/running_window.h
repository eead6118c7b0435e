// The window of a program that already runs, as a key press finds it and brings it up or
// puts it away.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/cstring.h"

// A top-level window as the choice below sees it.
struct TOPWINDOW {
    HWND hWnd;
    bool bOfProgram;    // a process of the program, by its full image path, owns it
    bool bHigherRights; // that process runs at rights above the launcher's
    bool bVisible;
    bool bToolWindow;
    bool bOwned;
};

// The window a user would mean among the top-level windows, given from the front of the
// z-order back: the program's, visible, not a tool window, not owned, and of those the most
// recently active, which is the frontmost. A program at higher rights cannot be brought up
// from here, so its windows do not count. Null when none is left.
HWND ChooseProgramWindow(const std::vector<TOPWINDOW>& zOrder);

// The top-level windows from the front back, marked for the program at strProgramPath.
std::vector<TOPWINDOW> ListTopWindows(const CString& strProgramPath);

// What a press does to the chosen window: put it away when it was in front at the press and
// the key toggles, and otherwise restore it if minimized and give it the foreground.
enum class RunningAction { BringToFront, Minimize };
RunningAction ActionForRunningWindow(HWND hWnd, bool bToggle, HWND hwndFrontAtPress);
void ApplyToRunningWindow(HWND hWnd, RunningAction action);
