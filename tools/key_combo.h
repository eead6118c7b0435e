// Key combinations as a user writes them on fnkey's command line ("Ctrl+Alt+F1", "Win+F2") and
// as RegisterHotKey takes them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

struct KeyCombo {
    UINT modifiers = 0; // MOD_CONTROL, MOD_ALT, MOD_SHIFT, MOD_WIN
    UINT vk = 0;
    bool operator==(const KeyCombo&) const = default;
};

// Modifiers Ctrl, Alt, Shift and Win, then one key: F1..F24, A..Z, 0..9 or a named key
// (Space, Insert, Delete, Home, End, PageUp, PageDown, Pause, Left, Up, Right, Down).
// Names are case-insensitive.
std::optional<KeyCombo> parseKeyCombo(std::wstring_view text);

// The spelling parseKeyCombo reads back, modifiers in the order Ctrl, Alt, Shift, Win.
std::string keyComboText(KeyCombo combo);
