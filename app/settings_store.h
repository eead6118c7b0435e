// The key slots S1 to S5 and their settings file "Hotkey.ini" beside the executable, or the
// user's own copy of it where the executable's folder cannot be written; S1's program comes
// from the registry value "S1_KEY" instead.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "app/launch_options.h"
#include "framework/cstring.h"

struct KEYSLOT {
    CString strDisplayName; // names the key in the list; empty means unassigned
    CString strDefaultPath; // the whole command line started by the key
    LAUNCHOPTIONS launch;   // how that program starts
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

// What a save did: the file it wrote, or the file that refused it and the platform's reason.
struct SAVEREPORT {
    CString strFile;
    DWORD dwError = ERROR_SUCCESS;
    bool Saved() const { return dwError == ERROR_SUCCESS; }
};

class CHotkeySettingsStore {
public:
    static constexpr int kSlotCount = 5;
    static constexpr int kSlotS1 = 0;

    // Every write the store makes to disk, in the order of a save; tests put stand-ins here
    // that refuse a folder or fail at a chosen step. Each but the platform's own profile write
    // returns ERROR_SUCCESS or the platform's error.
    struct Writers {
        // Makes a new, empty file of its own name in the folder and gives its path.
        DWORD (*pfnMakeTempFile)(const CString& strFolder, CString& strTempPath);
        // Replaces the file's whole content.
        DWORD (*pfnWriteWholeFile)(const CString& strPath, const std::string& bytes);
        decltype(&::WritePrivateProfileStringW) pfnWriteProfileString;
        // Puts the finished file in the place of the settings file in one step, so that the
        // settings file is at every moment either the old one or the new one.
        DWORD (*pfnReplaceFile)(const CString& strFrom, const CString& strTo);
    };
    static Writers s_writers;

    // Sets m_strModuleDir and m_strIniPath from the running executable's path: the file beside
    // it, or the user's copy in the local application data folder when the executable's folder
    // refuses the user and that copy holds settings.
    void BuildIniPath();
    // Fills S2 to S5 from the settings file and returns the rows to show, in slot order. A
    // file without a byte-order mark whose text is UTF-8 is first made a UTF-16 one, as the
    // platform would read it in the ANSI code page; where it cannot be rewritten it is read so.
    std::vector<KEYROW> LoadSettings();
    // Copies each row's path into the slot whose display name equals its trimmed key text.
    void SyncSlotsFromList(const CKeyRowSource& rows);
    // The first slot whose display name equals the trimmed key text of a row, or null.
    KEYSLOT* FindSlotForKeyText(CString strKeyText);
    // Writes "DisplayName" and "DefaultPath" of every assigned slot S2 to S5, so that the
    // profile read gives back each value exactly, into a file kept in UTF-16 so that no
    // character is lost to the ANSI code page. The whole save is made on a new file in the
    // same folder, which then takes the settings file's place in one step: a save cut short
    // leaves the old file whole. When the executable's folder refuses that new file, the
    // user's copy is made and written instead and is used from then on; a read-only or held
    // settings file is refused. A refused save puts the slots back as last loaded or saved.
    SAVEREPORT SaveSettings();
    // Replaces S1's path with the registry value when it can be read as text: REG_SZ as
    // stored, REG_EXPAND_SZ with its environment variables expanded; from the 64-bit view or,
    // when it is missing there, from the 32-bit view.
    void RefreshS1FromRegistry();

    // The directory part of an executable path and the settings path beside it, or the
    // user's copy at strUserIniPath as BuildIniPath chooses it (empty: no copy is ever used).
    void BuildIniPathFrom(const CString& strModulePath, const CString& strUserIniPath = {});

    std::array<KEYSLOT, kSlotCount> m_slots;
    CString m_strModuleDir;
    CString m_strIniPath;     // the settings file read and written
    CString m_strUserIniPath; // where the user's copy lives, or empty

private:
    // ERROR_SUCCESS, or the platform's reason why the save from strSource into strTarget
    // failed; *pbFolderRefused tells whether strTarget's folder refused the new file.
    DWORD SaveAssignedSlots(const CString& strSource, const CString& strTarget,
                            bool* pbFolderRefused) const;

    // The slots as the settings file holds them, restored after a refused save.
    std::array<KEYSLOT, kSlotCount> m_savedSlots;
};
