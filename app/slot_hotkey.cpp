// Reading and writing a slot's key combination in the settings file.
#include "app/slot_hotkey.h"

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

std::optional<CString> SlotHotkeyText(const SLOTHOTKEY& hotkey) {
    if (!hotkey.combination.IsEmpty())
        return CString(KeyCombinationText(hotkey.combination).c_str());
    if (!hotkey.strIgnoredValue.IsEmpty())
        return hotkey.strIgnoredValue;
    return std::nullopt;
}

SLOTHOTKEY ReadSlotHotkey(const CString& strIniPath, const wchar_t* pszSection) {
    constexpr int kCapacity = 261; // as every other value of the file
    CString strValue;
    ::GetPrivateProfileStringW(pszSection, kHotkeyKeyName, L"", strValue.GetBuffer(kCapacity),
                               kCapacity, strIniPath);
    strValue.ReleaseBuffer();
    return SlotHotkeyFromText(strValue);
}
