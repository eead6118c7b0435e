// The key slots S1 to S5 and their settings file "Hotkey.ini" beside the executable; S1's
// program comes from the registry value "S1_KEY" instead.
#pragma once

#include <array>
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

    // Sets m_strModuleDir and m_strIniPath from the running executable's path.
    void BuildIniPath();
    // Fills S2 to S5 from the settings file and returns the rows to show, in slot order.
    std::vector<KEYROW> LoadSettings();
    // Copies each row's path into the slot whose display name equals its trimmed key text.
    void SyncSlotsFromList(const CKeyRowSource& rows);
    // Writes "DisplayName" and "DefaultPath" of every assigned slot S2 to S5, so that the
    // profile read gives back each value exactly. FALSE when the platform refused a write.
    BOOL SaveSettings() const;
    // Replaces S1's path with the registry value when it can be read as text (REG_SZ or
    // REG_EXPAND_SZ, taken as stored), from the 64-bit view or, when it is missing there,
    // from the 32-bit view.
    void RefreshS1FromRegistry();

    // The directory part of an executable path and the settings path beside it.
    void BuildIniPathFrom(const CString& strModulePath);

    std::array<KEYSLOT, kSlotCount> m_slots;
    CString m_strModuleDir;
    CString m_strIniPath;
};
