// How a key's program starts: its folder, its first window state, its rights, and what a
// press does while the program already runs. Each is kept as a key of the slot's section in
// the settings file (listed in app/settings/slot_keys.cpp), whose text is empty at the default.
#pragma once

#include "framework/cstring.h"

enum class LaunchWindow { Normal, Minimized, Maximized };
enum class LaunchIfRunning { StartAnother, BringToFront, Toggle };

struct LAUNCHOPTIONS {
    CString strStartIn; // as written, %VARIABLES% unexpanded; empty: the program's own folder
    LaunchWindow eWindow = LaunchWindow::Normal;
    bool bRunAsAdmin = false;
    LaunchIfRunning eIfRunning = LaunchIfRunning::StartAnother;

    bool operator==(const LAUNCHOPTIONS& other) const {
        return strStartIn == other.strStartIn && eWindow == other.eWindow &&
               bRunAsAdmin == other.bRunAsAdmin && eIfRunning == other.eIfRunning;
    }
};

// A start folder or a target as written with its %VARIABLES% expanded, at any length; empty
// when it is empty or cannot be expanded.
CString ExpandedVariables(const CString& strText);

// Each option's text in the file, empty at its default, and the option a text gives: the
// names are matched without regard to case, and any other text gives the default.
CString LaunchWindowText(LaunchWindow eWindow);
LaunchWindow LaunchWindowFromText(const CString& strText);
CString RunAsText(bool bRunAsAdmin);
bool RunAsFromText(const CString& strText);
CString IfRunningText(LaunchIfRunning eIfRunning);
LaunchIfRunning IfRunningFromText(const CString& strText);
