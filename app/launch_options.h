// How a key's program starts: its folder, its first window state, its rights, and what a
// press does while the program already runs; kept beside the key's program in its section of
// the settings file, each key written only when it differs from its default.
#pragma once

#include <functional>
#include <vector>

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

// One key of a slot's section as a save leaves it: its value, or no key at all.
struct SETTINGWRITE {
    const wchar_t* pszKey;
    CString strValue;
    bool bRemove; // a default value is never written, and a cleared one removes the key
};

// The options from a slot's keys, each read through readKey (the empty text for a missing
// key). Values are matched without regard to case; an unknown one reads as the default.
LAUNCHOPTIONS ParseLaunchOptions(const std::function<CString(const wchar_t* pszKey)>& readKey);
// The options of the section in the settings file at strIniPath.
LAUNCHOPTIONS ReadLaunchOptions(const CString& strIniPath, const wchar_t* pszSection);
// What a save writes for the options, one entry per key, in the file's order.
std::vector<SETTINGWRITE> LaunchOptionWrites(const LAUNCHOPTIONS& options);

// The names the file and the program path dialog use for each choice, in the enum's order.
extern const wchar_t* const kLaunchWindowNames[3];
extern const wchar_t* const kLaunchIfRunningNames[3];
