// The key entries (the driver's keys, then the user's own) and their settings file
// "Hotkey.ini" beside the executable, or the user's own copy of it where the executable's
// folder cannot be written; S1's program comes from the registry value "S1_KEY" instead.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/launch/launch_options.h"
#include "app/messages.h"
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

// The key entries: first the driver's keys S1 to S5, then the user's own entries, each kept in a
// section of its own ("S1", "S2", ...).
class CHotkeySettingsStore {
public:
    static constexpr int kSlotS1 = 0;

    // Sets m_strModuleDir and m_strIniPath from the running executable's path: the file beside
    // it, or the user's copy in the local application data folder when the executable's folder
    // refuses the user and that copy exists and is not empty.
    void BuildIniPath();
    // Fills the entries from the settings file and returns the rows to show, in entry order:
    // the driver's keys S2 to S5 that have a name, then every entry of the user's (S6, S7, ...
    // for as long as their sections follow one another). A file whose text is UTF-8, or
    // UTF-16 big-endian, is read as such, each value whole at any length, and the file left as it
    // is. While the user's copy cannot be read, the file beside the executable is shown.
    std::vector<KEYROW> LoadSettings();
    // The rows to show for the entries as they are now.
    std::vector<KEYROW> Rows() const;
    // Writes the keys of entry nSlot (S2 onwards; the one after the last adds an entry, which
    // must have a name) into the settings file as it is on disk now: every other section, key
    // and comment stays as it stands there. The file is kept in UTF-16, so that no character
    // is lost to the ANSI code page, and is made whole on a new file that then takes its place
    // in one step. When the executable's folder refuses that new file, the user's copy is
    // written instead and used from then on; a read-only, held or unreadable settings file is
    // refused. On success m_slots[nSlot] becomes `slot`; on failure nothing changes.
    SAVEREPORT SaveSlot(int nSlot, const KEYSLOT& slot);
    // Replaces every entry in one save, all or nothing, as SaveSlot saves one: the driver's
    // keys (S1's options only), the user's entries, and no section left behind for an entry
    // that is gone. At least the driver's keys are given.
    SAVEREPORT SaveEntries(const std::vector<KEYSLOT>& entries);
    // Writes every entry, with its combination and options (S1's options only), into a new
    // settings file at strPath in UTF-16, all or nothing, in place of any file there; a file
    // the store reads back as it stands.
    SAVEREPORT ExportEntries(const CString& strPath) const;
    // The entries a settings file at strPath holds, read as LoadSettings reads its own, in any
    // of its encodings: the driver's keys first whatever the file holds (S1's options only),
    // then S6, S7, ... for as long as their sections follow one another. ERROR_SUCCESS; the
    // platform's reason when the file cannot be read; ERROR_BAD_FORMAT when it is no settings
    // file: empty, not text, or without a key section holding any of an entry's keys.
    static DWORD ReadEntriesFrom(const CString& strPath, std::vector<KEYSLOT>& entries);
    // The section of an entry in the settings file: "S1", "S2", ...
    static CString SectionName(int nEntry);
    // The entry's name as the user sees it: its display name, or its section's.
    CString EntryName(int nEntry) const;
    // Replaces S1's path with the registry value when it can be read as text: REG_SZ as
    // stored, REG_EXPAND_SZ with its environment variables expanded, at any length; from the
    // 64-bit view or, when it is missing there, from the 32-bit view.
    void RefreshS1FromRegistry();

    // The directory part of an executable path and the settings path beside it, or the
    // user's copy at strUserIniPath as BuildIniPath chooses it (empty: no copy is ever used).
    void BuildIniPathFrom(const CString& strModulePath, const CString& strUserIniPath = {});

    std::vector<KEYSLOT> m_slots = std::vector<KEYSLOT>(kDriverKeyCount);
    CString m_strModuleDir;
    CString m_strIniPath;     // the settings file read and written
    CString m_strUserIniPath; // where the user's copy lives, or empty

private:
    // The settings file beside the executable, which the user's copy stands in for.
    CString InstalledIniPath() const;
    // A save: `edit` writes into a new copy of the settings file, which then takes its place,
    // or the user's copy's where the executable's folder refuses the new file.
    SAVEREPORT Save(const std::function<DWORD(const CString& file)>& edit);
    // ERROR_SUCCESS, or the platform's reason why editing strSource's content into strTarget
    // failed; *pbFolderRefused tells whether strTarget's folder refused the new file.
    DWORD WriteEdit(const std::function<DWORD(const CString& file)>& edit, const CString& strSource,
                    const CString& strTarget, bool* pbFolderRefused) const;
    // The entries the profile file strSource holds (on a UTF-16 copy of `bytes`, its text,
    // where the profile functions would misread it); *pbAnyKey, when asked, tells whether any
    // section read holds one of an entry's keys.
    static std::vector<KEYSLOT> ReadEntries(const std::string& bytes, const CString& strSource,
                                            bool* pbAnyKey = nullptr);
    // Writes an entry's keys into its section of `file`.
    static DWORD WriteEntry(const CString& file, int nEntry, const KEYSLOT& entry);
};
