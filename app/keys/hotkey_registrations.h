// CHotkeyRegistrations: the form's registrations of the key slots' own combinations, so that a
// press of one reaches the form as WM_HOTKEY with the slot's id; released with the owner.
#pragma once

#include <windows.h>

#include <array>

#include "app/settings/settings_store.h"

class CHotkeyRegistrations {
public:
    using Slots = std::array<KEYSLOT, CHotkeySettingsStore::kSlotCount>;

    CHotkeyRegistrations() = default;
    CHotkeyRegistrations(const CHotkeyRegistrations&) = delete;
    CHotkeyRegistrations& operator=(const CHotkeyRegistrations&) = delete;
    ~CHotkeyRegistrations() { ReleaseAll(); }

    // Registers each slot's combination for the window in place of the ones registered
    // before, without repeats while a key is held, and notes the ones that were refused.
    void RegisterAll(HWND hWnd, const Slots& slots);
    // Lets go of every registration; the refusals stay noted.
    void ReleaseAll();
    // Whether the slot has a combination that could not be registered when last asked.
    bool IsUnavailable(int nSlot) const { return m_errors[nSlot] != ERROR_SUCCESS; }

    // ERROR_SUCCESS when the combination can be registered for the window now, otherwise the
    // platform's reason (ERROR_HOTKEY_ALREADY_REGISTERED when another program holds it).
    static DWORD TryRegister(HWND hWnd, const KEYCOMBINATION& combination);
    // The slot a WM_HOTKEY id stands for, or -1.
    static int SlotOfId(WPARAM id);

private:
    HWND m_hWnd = nullptr;
    std::array<bool, CHotkeySettingsStore::kSlotCount> m_registered{};
    std::array<DWORD, CHotkeySettingsStore::kSlotCount> m_errors{};
};
