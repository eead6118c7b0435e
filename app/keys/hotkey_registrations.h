// CHotkeyRegistrations: the form's registrations of the key entries' own combinations, so
// that a press of one reaches the form as WM_HOTKEY with the entry's id; released with the
// owner.
#pragma once

#include <windows.h>

#include <vector>

#include "app/keys/key_combination.h"

class CHotkeyRegistrations {
public:
    CHotkeyRegistrations() = default;
    CHotkeyRegistrations(const CHotkeyRegistrations&) = delete;
    CHotkeyRegistrations& operator=(const CHotkeyRegistrations&) = delete;
    ~CHotkeyRegistrations() { ReleaseAll(); }

    // Registers each entry's combination (empty: none) for the window in place of the ones
    // registered before, without repeats while a key is held, and notes the ones refused.
    void RegisterAll(HWND hWnd, const std::vector<KEYCOMBINATION>& combinations);
    // Lets go of every registration; the refusals stay noted.
    void ReleaseAll();
    // Whether the entry has a combination that could not be registered when last asked.
    bool IsUnavailable(int nEntry) const {
        return nEntry >= 0 && nEntry < static_cast<int>(m_errors.size()) &&
               m_errors[nEntry] != ERROR_SUCCESS;
    }
    // The entry a WM_HOTKEY id stands for, or -1.
    int EntryOfId(WPARAM id) const;

    // ERROR_SUCCESS when the combination can be registered for the window now, otherwise the
    // platform's reason (ERROR_HOTKEY_ALREADY_REGISTERED when another program holds it).
    static DWORD TryRegister(HWND hWnd, const KEYCOMBINATION& combination);

private:
    HWND m_hWnd = nullptr;
    std::vector<bool> m_registered;
    std::vector<DWORD> m_errors;
};
