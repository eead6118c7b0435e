// Key combinations of an ordinary keyboard as RegisterHotKey takes them, and their spelling in
// the settings file and on fnkey's command line ("Ctrl+Alt+F7", "Win+Shift+N", "LaunchApp1").
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

struct KEYCOMBINATION {
    UINT nModifiers = 0; // MOD_CONTROL, MOD_ALT, MOD_SHIFT, MOD_WIN
    UINT nKey = 0;       // virtual-key code; 0 for no combination
    bool IsEmpty() const { return nKey == 0; }
    bool operator==(const KEYCOMBINATION&) const = default;
};

// Whether the virtual key can end a combination: A..Z, 0..9, F1..F24, Space, Insert, Delete,
// Home, End, PageUp, PageDown, Left, Right, Up, Down, Pause, NumPad0..NumPad9 and the
// keyboard's launch keys (LaunchApp1, LaunchApp2, LaunchMail, LaunchMedia, BrowserHome,
// BrowserSearch, BrowserFavorites).
bool IsCombinationKey(UINT nKey);

// Modifiers Ctrl, Alt, Shift and Win in any order, then one key, joined by "+"; names are
// case-insensitive and blanks around each name are ignored. Refused combinations read too.
std::optional<KEYCOMBINATION> ParseKeyCombination(std::wstring_view text);

// The spelling ParseKeyCombination reads back, modifiers in the order Ctrl, Alt, Shift, Win.
// Without a key it is the modifiers alone, each followed by "+" ("Ctrl+Alt+"); empty for none.
std::wstring KeyCombinationText(const KEYCOMBINATION& combination);

// Why a user would never mean the combination as a launcher key, as the string-table id of a
// sentence; 0 when it may be one. A letter, digit or Space without Ctrl, Alt or Win types text,
// and F12 is kept by the system for debuggers. Held to both the settings file's values and the
// dialog's choices; KeyChoiceRefusal adds the dialog's own.
UINT KeyCombinationRefusal(const KEYCOMBINATION& combination);
