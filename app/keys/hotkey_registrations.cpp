// Registering the key entries' own combinations with the platform.
#include "app/keys/hotkey_registrations.h"

namespace {

// Entry n is registered under id kFirstEntryId + n; the trial registration uses an id of its
// own, which no entry's reaches: ids of applications stop at 0xBFFF.
constexpr int kFirstEntryId = 1;
constexpr int kTrialId = 0xBFFF;

DWORD Register(HWND hWnd, int id, const KEYCOMBINATION& combination) {
    // Without MOD_NOREPEAT a held key would start its program again with every repeat.
    if (::RegisterHotKey(hWnd, id, combination.nModifiers | MOD_NOREPEAT, combination.nKey))
        return ERROR_SUCCESS;
    DWORD error = ::GetLastError();
    return error ? error : ERROR_HOTKEY_ALREADY_REGISTERED;
}

} // namespace

void CHotkeyRegistrations::RegisterAll(HWND hWnd, const std::vector<KEYCOMBINATION>& combinations) {
    ReleaseAll();
    m_hWnd = hWnd;
    m_registered.assign(combinations.size(), false);
    m_errors.assign(combinations.size(), ERROR_SUCCESS);
    for (size_t i = 0; i < combinations.size(); ++i) {
        if (combinations[i].IsEmpty())
            continue;
        m_errors[i] = Register(hWnd, kFirstEntryId + static_cast<int>(i), combinations[i]);
        m_registered[i] = m_errors[i] == ERROR_SUCCESS;
    }
}

void CHotkeyRegistrations::ReleaseAll() {
    for (size_t i = 0; i < m_registered.size(); ++i) {
        if (m_registered[i])
            ::UnregisterHotKey(m_hWnd, kFirstEntryId + static_cast<int>(i));
        m_registered[i] = false;
    }
}

DWORD CHotkeyRegistrations::TryRegister(HWND hWnd, const KEYCOMBINATION& combination) {
    DWORD error = Register(hWnd, kTrialId, combination);
    if (error == ERROR_SUCCESS)
        ::UnregisterHotKey(hWnd, kTrialId);
    return error;
}

int CHotkeyRegistrations::EntryOfId(WPARAM id) const {
    return id >= kFirstEntryId && id < kFirstEntryId + m_errors.size()
               ? static_cast<int>(id) - kFirstEntryId
               : -1;
}
