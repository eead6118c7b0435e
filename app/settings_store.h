// The key slots S1 to S5 and their settings file "Hotkey.ini" beside the executable, or the
// user's own copy of it where the executable's folder cannot be written; S1's program comes
// from the registry value "S1_KEY" instead.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "framework/cstring.h"

struct KEYSLOT {
    CString strDisplayName; // names the key in the list; empty means unassigned
    CString strDefaultPath; // the whole command line started by the key
};

// One row of the key list as the store exchanges it with the form.
struct KEYROW {
    int nIndex;
    CString strKeyText; // a space, then the slot's display name
    CString strPathText;
};

// The rows currently shown, read one at a time.
class CKeyRowSource {
public:
    virtual ~CKeyRowSource() = default;
    virtual int GetRowCount() const = 0;
    virtual CString GetKeyText(int nRow) const = 0;
    virtual CString GetPathText(int nRow) const = 0;
};

class CHotkeySettingsStore {
public:
    static constexpr int kSlotCount = 5;
    static constexpr int kSlotS1 = 0;

    // The store's only two writes to disk; tests put stand-ins here that refuse a folder.
    struct Writers {
        decltype(&::WritePrivateProfileStringW) pfnWriteProfileString;
        // Replaces the file's whole content; ERROR_SUCCESS or the platform's error.
        DWORD (*pfnWriteWholeFile)(const CString& strPath, const std::string& bytes);
    };
    static Writers s_writers;

    // Sets m_strModuleDir and m_strIniPath from the running executable's path: the file beside
    // it, or the user's copy in the local application data folder once that exists.
    void BuildIniPath();
    // Fills S2 to S5 from the settings file and returns the rows to show, in slot order.
    std::vector<KEYROW> LoadSettings();
    // Copies each row's path into the slot whose display name equals its trimmed key text.
    void SyncSlotsFromList(const CKeyRowSource& rows);
    // Writes "DisplayName" and "DefaultPath" of every assigned slot S2 to S5, so that the
    // profile read gives back each value exactly, into a file kept in UTF-16 so that no
    // character is lost to the ANSI code page. When the file beside the executable refuses
    // the write for lack of access, the user's copy is made and written instead and is used
    // from then on. FALSE, with m_strSaveFile and m_dwSaveError telling the file and the
    // platform's reason, when no write was possible.
    BOOL SaveSettings();
    // Replaces S1's path with the registry value when it can be read as text (REG_SZ or
    // REG_EXPAND_SZ, taken as stored), from the 64-bit view or, when it is missing there,
    // from the 32-bit view.
    void RefreshS1FromRegistry();

    // The directory part of an executable path and the settings path beside it, or the
    // user's copy at strUserIniPath when that file exists (empty: no copy is ever used).
    void BuildIniPathFrom(const CString& strModulePath, const CString& strUserIniPath = {});

    std::array<KEYSLOT, kSlotCount> m_slots;
    CString m_strModuleDir;
    CString m_strIniPath;     // the settings file read and written
    CString m_strUserIniPath; // where the user's copy lives, or empty
    CString m_strSaveFile;    // after a refused save: the file that refused it
    DWORD m_dwSaveError = ERROR_SUCCESS;

private:
    // ERROR_SUCCESS, or the platform's reason why strFile took not every value.
    DWORD WriteAssignedSlots(const CString& strFile) const;
};
