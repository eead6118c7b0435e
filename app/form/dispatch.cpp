// Hotkey dispatch: from the driver's key code to a started program.
#include "app/launch/foreground.h"
#include "app/form/hotkey_form.h"
#include "app/launch/launch_queue.h"

LRESULT CHotkeyFormDlg::OnFnHotkey(WPARAM wParam, LPARAM) {
    // Whether the key's program was in front is known only before the form takes the front.
    HWND hwndFront = ::GetForegroundWindow();
    BringToForeground();
    if (wParam >= kKeyCodeS1 && wParam <= kKeyCodeS5) {
        auto slot = static_cast<int>(wParam - kKeyCodeS1);
        if (slot == CHotkeySettingsStore::kSlotS1)
            m_store.RefreshS1FromRegistry();
        LaunchSlot(m_store.m_slots[slot], m_hWnd, hwndFront);
    } else {
        ReturnForeground(hwndFront);
    }
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

void CHotkeyFormDlg::LaunchSlot(const KEYSLOT& slot, HWND hwndOwner, HWND hwndFrontAtPress) {
    QueueLaunch({slot.strDefaultPath, slot.launch, {hwndOwner, hwndFrontAtPress}});
}
