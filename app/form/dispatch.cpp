// Hotkey dispatch: a press of a driver's key or of an entry's own combination, one road from
// the entry to its start.
#include "app/form/hotkey_form.h"
#include "app/launch/foreground.h"
#include "app/launch/launch_queue.h"

LRESULT CHotkeyFormDlg::OnFnHotkey(WPARAM wParam, LPARAM) {
    PressEntry(EntryOfKeyCode(wParam));
    return 1;
}

void CHotkeyFormDlg::BringToForeground() {
    DWORD thisThread = ::GetCurrentThreadId();
    DWORD foregroundThread = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
    // Joining the foreground thread's input lets this thread take the foreground.
    ::AttachThreadInput(foregroundThread, thisThread, TRUE);
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(m_hWnd);
    ::AttachThreadInput(foregroundThread, thisThread, FALSE);
}

void CHotkeyFormDlg::PressEntry(int nEntry) {
    // Paused, no press starts anything, whichever way it came, and the keyboard stays put.
    if (m_bPaused)
        return;
    // Whether the key's program was in front is known only before the form takes the front.
    HWND hwndFront = ::GetForegroundWindow();
    // The form takes the foreground, so that it may hand it on to what the press starts.
    BringToForeground();
    if (nEntry < 0 || nEntry >= static_cast<int>(m_store.m_slots.size())) {
        ReturnForeground(hwndFront);
        return;
    }
    if (nEntry == CHotkeySettingsStore::kSlotS1)
        m_store.RefreshS1FromRegistry();
    const KEYSLOT& entry = m_store.m_slots[nEntry];
    QueueLaunch({entry.strDefaultPath, entry.launch, {m_hWnd, hwndFront}});
}
