// Reading and writing a slot's key combination in the settings file.
#include "app/keys/slot_hotkey.h"

SLOTHOTKEY SlotHotkeyFromText(const CString& strValue) {
    SLOTHOTKEY hotkey;
    if (strValue.IsEmpty())
        return hotkey;
    auto combination = ParseKeyCombination(strValue.GetString());
    if (combination && !KeyCombinationRefusal(*combination))
        hotkey.combination = *combination;
    else
        hotkey.strIgnoredValue = strValue;
    return hotkey;
}

CString SlotHotkeyText(const SLOTHOTKEY& hotkey) {
    if (!hotkey.combination.IsEmpty())
        return CString(KeyCombinationText(hotkey.combination).c_str());
    return hotkey.strIgnoredValue;
}
