// Registering the key slots' own combinations with the platform.
#include "app/keys/hotkey_registrations.h"

namespace {

// Slot n is registered under id kFirstSlotId + n; the trial registration uses an id of its own.
constexpr int kFirstSlotId = 1;
constexpr int kTrialId = 0x100;

DWORD Register(HWND hWnd, int id, const KEYCOMBINATION& combination) {
    // Without MOD_NOREPEAT a held key would start its program again with every repeat.
    if (::RegisterHotKey(hWnd, id, combination.nModifiers | MOD_NOREPEAT, combination.nKey))
        return ERROR_SUCCESS;
    DWORD error = ::GetLastError();
    return error ? error : ERROR_HOTKEY_ALREADY_REGISTERED;
}

} // namespace

void CHotkeyRegistrations::RegisterAll(HWND hWnd, const Slots& slots) {
    ReleaseAll();
    m_hWnd = hWnd;
    for (size_t i = 0; i < slots.size(); ++i) {
        const KEYCOMBINATION& combination = slots[i].hotkey.combination;
        m_errors[i] = ERROR_SUCCESS;
        if (combination.IsEmpty())
            continue;
        m_errors[i] = Register(hWnd, kFirstSlotId + static_cast<int>(i), combination);
        m_registered[i] = m_errors[i] == ERROR_SUCCESS;
    }
}

void CHotkeyRegistrations::ReleaseAll() {
    for (size_t i = 0; i < m_registered.size(); ++i) {
        if (m_registered[i])
            ::UnregisterHotKey(m_hWnd, kFirstSlotId + static_cast<int>(i));
        m_registered[i] = false;
    }
}

DWORD CHotkeyRegistrations::TryRegister(HWND hWnd, const KEYCOMBINATION& combination) {
    DWORD error = Register(hWnd, kTrialId, combination);
    if (error == ERROR_SUCCESS)
        ::UnregisterHotKey(hWnd, kTrialId);
    return error;
}

int CHotkeyRegistrations::SlotOfId(WPARAM id) {
    return id >= kFirstSlotId && id < kFirstSlotId + CHotkeySettingsStore::kSlotCount
               ? static_cast<int>(id) - kFirstSlotId
               : -1;
}
