// A key slot's own key combination as the settings file keeps it: the key "Hotkey" in the
// slot's section, written only while the slot has a combination.
#pragma once

#include "app/keys/key_combination.h"
#include "framework/cstring.h"

constexpr wchar_t kHotkeyKeyName[] = L"Hotkey";

struct SLOTHOTKEY {
    KEYCOMBINATION combination; // empty: the slot has none
    // A value of the file that names no combination, or one that is refused: ignored, but
    // written back as read, so that the file keeps it until the user chooses another.
    CString strIgnoredValue;
};

// The slot's combination from a value of the file; an empty value is none.
SLOTHOTKEY SlotHotkeyFromText(const CString& strValue);
// The value "Hotkey" takes in the slot's section; empty when the key is to be removed.
CString SlotHotkeyText(const SLOTHOTKEY& hotkey);
