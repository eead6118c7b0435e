// CAutostart: the Run values that start the program at logon. The user's value is the tray
// menu's to write and remove; a machine value belongs to whoever installed the program.
#pragma once

#include <windows.h>

#include "framework/cstring.h"
#include "framework/menu.h"

// The switch that marks a start by the system at logon.
constexpr wchar_t kAutostartSwitch[] = L"/autostart";

// Whether the program's arguments (the command line after the program) carry the switch.
bool HasAutostartSwitch(LPCWSTR lpszArguments);
// Whether a command line starts the program at lpszProgram: its first word, quoted or not,
// names that file (case-insensitively), and anything after it are arguments. Unquoted, the
// file's name may hold spaces, as the system then tries each space in turn.
bool CommandLineStartsProgram(LPCWSTR lpszCommandLine, LPCWSTR lpszProgram);

class CAutostart {
public:
    // A key holding Run values.
    struct Location {
        HKEY hRoot;
        LPCWSTR lpszSubKey;
    };
    // A value that Task Manager or Settings turned off (Explorer\StartupApproved) counts as none.
    enum class State {
        Off,     // no Run value starts this executable
        User,    // the user's value does: the tray menu may remove it
        Machine, // a machine value does: the menu shows it and cannot change it
    };

    static constexpr wchar_t kRunSubKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr wchar_t kValueName[] = L"KESTO Hotkey";

    // The session's Run keys and the running executable.
    CAutostart();
    // Other keys and another program, for tests.
    CAutostart(const Location& user, const Location& machine, const CString& strProgram);

    State GetState() const;
    // The user's value as the system runs it: the program, quoted, and the switch.
    CString GetCommand() const;
    // ERROR_SUCCESS, or the platform's reason the user's value could not be written. A value
    // turned off in Task Manager is turned on again.
    LONG Enable() const;
    // ERROR_SUCCESS (also when there was no value), or the platform's reason.
    LONG Disable() const;
    // What the tray menu's item does: writes the user's value when none starts this
    // executable, removes it when it does, and leaves a machine value alone. ERROR_SUCCESS
    // or the platform's reason.
    LONG Toggle() const;
    // Where the user's value lives, for a report to the user.
    CString GetUserKeyName() const;

private:
    bool StartsProgram(const Location& location, REGSAM view) const;
    // A value starts this executable and is not turned off.
    bool RunsAtLogon(const Location& location, REGSAM view) const;

    Location m_user;
    // The machine's Run values are read in both registry views: the system runs both at logon,
    // and a 32-bit installer writes the other one.
    Location m_machine;
    CString m_strProgram;
};

// Shows the state on the menu item nID: checked when a Run value starts this executable,
// greyed when that value is the machine's.
void ShowAutostartState(CMenuHandle menu, UINT nID, CAutostart::State state);
