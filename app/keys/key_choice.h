// The key combinations a user may not choose in the program path dialog, beyond those refused
// everywhere: one that takes away a character an installed keyboard layout types with AltGr,
// the shortcuts every program uses, and Ctrl with Pause.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/keys/key_combination.h"

// A character a keyboard layout types for a key with AltGr, and that layout's name.
struct ALTGRCHARACTER {
    std::wstring strCharacter; // "€"
    std::wstring strLayout;    // "German (Germany)"
};

// What the user's keyboard layouts type for a virtual key with AltGr; none when none types one.
using AltGrCharacterLookup = std::optional<ALTGRCHARACTER> (*)(UINT nKey);

// The first of the installed keyboard layouts that types a character for the key with AltGr.
std::optional<ALTGRCHARACTER> InstalledLayoutsAltGrCharacter(UINT nKey);

// Why the user may not choose the combination in the dialog, as a sentence; empty when it may
// be chosen. Besides KeyCombinationRefusal's reasons: Windows reports AltGr as Ctrl+Alt, so a
// registered Ctrl+Alt combination would take the key's AltGr character away from every
// program. A combination already in the settings file is held to KeyCombinationRefusal only.
std::wstring
KeyChoiceRefusal(const KEYCOMBINATION& combination,
                 AltGrCharacterLookup pfnAltGrCharacter = &InstalledLayoutsAltGrCharacter);
