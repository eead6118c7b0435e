// The key slots S1 to S5 and their settings file "Hotkey.ini" beside the executable, or the
// user's own copy of it where the executable's folder cannot be written; S1's program comes
// from the registry value "S1_KEY" instead.
#pragma once

#include <windows.h>

#include <array>
#include <utility>
#include <vector>

#include "app/launch/launch_options.h"
#include "app/keys/slot_hotkey.h"
#include "framework/cstring.h"

// A slot's keys in the settings file are listed once, in app/settings/slot_keys.cpp.
struct KEYSLOT {
    KEYSLOT() = default;
    // A key and its program, started as a key without options starts it.
    KEYSLOT(CString strName, CString strPath)
        : strDisplayName(std::move(strName)), strDefaultPath(std::move(strPath)) {}

    CString strDisplayName; // names the key in the list; empty means unassigned
    CString strDefaultPath; // the whole command line started by the key
    SLOTHOTKEY hotkey = {}; // the user's own key combination, beside the driver's code
    LAUNCHOPTIONS launch;   // how that program starts
};

// One row of the key list as the store hands it to the form.
struct KEYROW {
    int nIndex;
    int nSlot;          // the slot the row shows and edits: display names need not differ
    CString strKeyText; // a space, then the slot's display name
    CString strPathText;
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

    // Sets m_strModuleDir and m_strIniPath from the running executable's path: the file beside
    // it, or the user's copy in the local application data folder when the executable's folder
    // refuses the user and that copy exists and is not empty.
    void BuildIniPath();
    // Fills S2 to S5 from the settings file and returns the rows to show, in slot order; each
    // value whole, at any length. UTF-8 text, with a byte-order mark or without, and
    // big-endian UTF-16 are read as such, and the file is left as it is. While the user's copy
    // cannot be read, the file beside the executable is shown.
    std::vector<KEYROW> LoadSettings();
    // Writes the keys of slot nSlot (S2 to S5) into the settings file as it is on disk now:
    // every other section, key and comment stays as it stands there. The file is kept in
    // UTF-16, so that no character is lost to the ANSI code page, and is made whole on a new
    // file that then takes its place in one step. When the executable's folder refuses that
    // new file, the user's copy is written instead and used from then on; a read-only, held
    // or unreadable settings file is refused. On success m_slots[nSlot] becomes `slot`; on
    // failure nothing changes.
    SAVEREPORT SaveSlot(int nSlot, const KEYSLOT& slot);
    // Replaces S1's path with the registry value when it can be read as text: REG_SZ as
    // stored, REG_EXPAND_SZ with its environment variables expanded, at any length; from the
    // 64-bit view or, when it is missing there, from the 32-bit view.
    void RefreshS1FromRegistry();

    // The directory part of an executable path and the settings path beside it, or the
    // user's copy at strUserIniPath as BuildIniPath chooses it (empty: no copy is ever used).
    void BuildIniPathFrom(const CString& strModulePath, const CString& strUserIniPath = {});

    std::array<KEYSLOT, kSlotCount> m_slots;
    CString m_strModuleDir;
    CString m_strIniPath;     // the settings file read and written
    CString m_strUserIniPath; // where the user's copy lives, or empty

private:
    // The settings file beside the executable, which the user's copy stands in for.
    CString InstalledIniPath() const;
    // ERROR_SUCCESS, or the platform's reason why writing the slot into strSource's content
    // and that into strTarget failed; *pbFolderRefused tells whether strTarget's folder
    // refused the new file.
    DWORD WriteSlot(int nSlot, const KEYSLOT& slot, const CString& strSource,
                    const CString& strTarget, bool* pbFolderRefused) const;
};
