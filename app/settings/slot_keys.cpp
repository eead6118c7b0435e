// The per-slot keys of the settings file and how each maps onto the slot.
#include "app/settings/slot_keys.h"

#include "app/settings/settings_store.h"
#include "app/keys/slot_hotkey.h"

namespace {

struct SlotKey {
    const wchar_t* pszKey;
    CString (*pfnText)(const KEYSLOT& slot);
    void (*pfnTake)(KEYSLOT& slot, const CString& strText);
    // Written even when empty: the program has always written both, and a file read by
    // another tool may expect them.
    bool bAlwaysWritten;
};

// One row per key. A key that is not always written is removed while its text is empty, so
// its text should be empty exactly when the setting is at its default.
const SlotKey kSlotKeys[] = {
    {L"DisplayName", [](const KEYSLOT& s) { return s.strDisplayName; },
     [](KEYSLOT& s, const CString& t) { s.strDisplayName = t; }, true},
    {L"DefaultPath", [](const KEYSLOT& s) { return s.strDefaultPath; },
     [](KEYSLOT& s, const CString& t) { s.strDefaultPath = t; }, true},
    {kHotkeyKeyName, [](const KEYSLOT& s) { return SlotHotkeyText(s.hotkey); },
     [](KEYSLOT& s, const CString& t) { s.hotkey = SlotHotkeyFromText(t); }, false},
    {L"StartIn", [](const KEYSLOT& s) { return s.launch.strStartIn; },
     [](KEYSLOT& s, const CString& t) { s.launch.strStartIn = t; }, false},
    {L"Window", [](const KEYSLOT& s) { return LaunchWindowText(s.launch.eWindow); },
     [](KEYSLOT& s, const CString& t) { s.launch.eWindow = LaunchWindowFromText(t); }, false},
    {L"RunAs", [](const KEYSLOT& s) { return RunAsText(s.launch.bRunAsAdmin); },
     [](KEYSLOT& s, const CString& t) { s.launch.bRunAsAdmin = RunAsFromText(t); }, false},
    {L"IfRunning", [](const KEYSLOT& s) { return IfRunningText(s.launch.eIfRunning); },
     [](KEYSLOT& s, const CString& t) { s.launch.eIfRunning = IfRunningFromText(t); }, false},
};

} // namespace

std::vector<SLOTKEYVALUE> SlotKeyValues(const KEYSLOT& slot) {
    std::vector<SLOTKEYVALUE> values;
    for (const SlotKey& key : kSlotKeys) {
        CString text = key.pfnText(slot);
        bool remove = text.IsEmpty() && !key.bAlwaysWritten;
        values.push_back({key.pszKey, text, remove, key.bAlwaysWritten});
    }
    return values;
}

KEYSLOT SlotFromKeys(const std::function<CString(const wchar_t* pszKey)>& readValue) {
    KEYSLOT slot;
    for (const SlotKey& key : kSlotKeys)
        key.pfnTake(slot, readValue(key.pszKey));
    return slot;
}
