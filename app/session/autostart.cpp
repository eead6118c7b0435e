// The Run values: reading whether one starts this executable, writing and removing the user's.
#include "app/session/autostart.h"

#include "app/launch/command_line.h"
#include "framework/module_path.h"
#include "framework/registry_key.h"

namespace {

bool EqualNoCase(LPCWSTR a, int nLengthA, LPCWSTR b, int nLengthB) {
    return ::CompareStringOrdinal(a, nLengthA, b, nLengthB, TRUE) == CSTR_EQUAL;
}

// Task Manager and Settings turn a Run value off without deleting it: they keep a record of the
// same name under Explorer\StartupApproved\<the Run key's name> beside the Run key (Run32 for
// the 32-bit view of the machine's values), whose first byte is odd while the value is off.
CString StartupApprovedSubKey(LPCWSTR lpszRunSubKey, REGSAM view) {
    const CString run(lpszRunSubKey);
    const int nSlash = run.ReverseFind(L'\\');
    return run.Left(nSlash + 1) + L"Explorer\\StartupApproved\\" + run.Mid(nSlash + 1) +
           (view == KEY_WOW64_32KEY ? L"32" : L"");
}

bool IsTurnedOff(const CAutostart::Location& location, REGSAM view, LPCWSTR lpszName) {
    CRegKey key;
    BYTE record[64] = {};
    DWORD size = sizeof(record);
    // The records of both views live in the 64-bit one.
    return key.Open(location.hRoot, StartupApprovedSubKey(location.lpszSubKey, view),
                    KEY_QUERY_VALUE | KEY_WOW64_64KEY) == ERROR_SUCCESS &&
           ::RegQueryValueExW(key, lpszName, nullptr, nullptr, record, &size) == ERROR_SUCCESS &&
           size > 0 && (record[0] & 1) != 0;
}

} // namespace

bool HasAutostartSwitch(LPCWSTR lpszArguments) {
    const int nSwitch = static_cast<int>(wcslen(kAutostartSwitch));
    for (LPCWSTR p = lpszArguments ? lpszArguments : L""; *p;) {
        while (IsBlank(*p))
            ++p;
        LPCWSTR word = p;
        while (*p && !IsBlank(*p))
            ++p;
        if (p > word && EqualNoCase(word, static_cast<int>(p - word), kAutostartSwitch, nSwitch))
            return true;
    }
    return false;
}

bool CommandLineStartsProgram(LPCWSTR lpszCommandLine, LPCWSTR lpszProgram) {
    LPCWSTR p = lpszCommandLine ? lpszCommandLine : L"";
    const int nProgram = static_cast<int>(wcslen(lpszProgram));
    while (IsBlank(*p))
        ++p;
    if (nProgram == 0)
        return false;
    if (*p == L'"') {
        CString first, arguments;
        SplitCommandLine(p, first, arguments);
        return EqualNoCase(first, first.GetLength(), lpszProgram, nProgram);
    }
    // Unquoted: the program, then the end or a blank before the arguments.
    if (static_cast<int>(wcslen(p)) < nProgram || !EqualNoCase(p, nProgram, lpszProgram, nProgram))
        return false;
    return p[nProgram] == 0 || IsBlank(p[nProgram]);
}

CAutostart::CAutostart()
    : CAutostart({HKEY_CURRENT_USER, kRunSubKey}, {HKEY_LOCAL_MACHINE, kRunSubKey},
                 AfxGetModulePath()) {}

CAutostart::CAutostart(const Location& user, const Location& machine, const CString& strProgram)
    : m_user(user), m_machine(machine), m_strProgram(strProgram) {}

bool CAutostart::StartsProgram(const Location& location, REGSAM view) const {
    CRegKey key;
    CString command;
    return key.Open(location.hRoot, location.lpszSubKey, KEY_QUERY_VALUE | view) == ERROR_SUCCESS &&
           key.QueryExpandedText(kValueName, command) == ERROR_SUCCESS &&
           CommandLineStartsProgram(command, m_strProgram);
}

bool CAutostart::RunsAtLogon(const Location& location, REGSAM view) const {
    return StartsProgram(location, view) && !IsTurnedOff(location, view, kValueName);
}

CAutostart::State CAutostart::GetState() const {
    if (RunsAtLogon(m_machine, KEY_WOW64_64KEY) || RunsAtLogon(m_machine, KEY_WOW64_32KEY))
        return State::Machine;
    return RunsAtLogon(m_user, 0) ? State::User : State::Off;
}

CString CAutostart::GetCommand() const { return L"\"" + m_strProgram + L"\" " + kAutostartSwitch; }

LONG CAutostart::Enable() const {
    CRegKey key;
    if (LONG result = key.Create(m_user.hRoot, m_user.lpszSubKey, KEY_SET_VALUE))
        return result;
    const CString command = GetCommand();
    if (LONG result = ::RegSetValueExW(
            key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.GetString()),
            static_cast<DWORD>((command.GetLength() + 1) * sizeof(wchar_t))))
        return result;
    // A value turned off in Task Manager stays off until its record there goes.
    CRegKey approved;
    if (approved.Open(m_user.hRoot, StartupApprovedSubKey(m_user.lpszSubKey, 0), KEY_SET_VALUE) ==
        ERROR_SUCCESS)
        ::RegDeleteValueW(approved, kValueName);
    return ERROR_SUCCESS;
}

LONG CAutostart::Disable() const {
    CRegKey key;
    LONG result = key.Open(m_user.hRoot, m_user.lpszSubKey, KEY_SET_VALUE);
    if (result == ERROR_SUCCESS)
        result = ::RegDeleteValueW(key, kValueName);
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

LONG CAutostart::Toggle() const {
    switch (GetState()) {
    case State::Off:
        return Enable();
    case State::User:
        return Disable();
    case State::Machine:
        break;
    }
    return ERROR_SUCCESS;
}

CString CAutostart::GetUserKeyName() const {
    CString root = m_user.hRoot == HKEY_CURRENT_USER ? L"HKEY_CURRENT_USER\\" : L"";
    return root + m_user.lpszSubKey;
}

void ShowAutostartState(CMenuHandle menu, UINT nID, CAutostart::State state) {
    menu.CheckMenuItem(nID, state == CAutostart::State::Off ? MF_UNCHECKED : MF_CHECKED);
    menu.EnableMenuItem(nID, state == CAutostart::State::Machine ? MF_GRAYED : MF_ENABLED);
}
