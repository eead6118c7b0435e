// fnkey's listen mode: global hotkeys of an ordinary keyboard stand in for the Fn keys, and
// each press is delivered to the THotkeyForm window as the hotkey driver would deliver it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/keys/key_combination.h"

// One hotkey and the driver code it delivers.
struct HotkeyBinding {
    DWORD code;
    KEYCOMBINATION combo;
};

// Exit code of the listen mode when a hotkey is already registered by another program.
constexpr int kExitKeyTaken = 3;

// Ctrl+Alt+F1 .. Ctrl+Alt+F5 for S1 .. S5.
std::vector<HotkeyBinding> defaultBindings();

// "S1".."S5" for the driver's codes, the code in hex otherwise.
std::string keyCodeName(DWORD code);

// Registers the hotkeys and delivers their presses until Ctrl+C or Ctrl+Break, a WM_QUIT or
// WM_CLOSE posted to this thread, or until the named event (when not empty) is signalled.
// Returns 0 then, or kExitKeyTaken when a hotkey cannot be registered.
int listenForHotkeys(const std::vector<HotkeyBinding>& bindings, const std::wstring& stopEvent);
