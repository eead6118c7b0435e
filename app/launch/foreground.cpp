// Giving the foreground back after a key press that showed nothing.
#include "app/launch/foreground.h"

#include "app/launch/running_window.h"

namespace {

bool IsOfThisProcess(HWND hWnd) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    return processId == ::GetCurrentProcessId();
}

// The first window behind hwndAfter that the user could switch to, the form if it is shown.
HWND WindowBehind(HWND hwndAfter) {
    for (HWND hWnd = ::GetWindow(hwndAfter, GW_HWNDNEXT); hWnd;
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        if (!::IsIconic(hWnd) && CanTakeFront(hWnd))
            return hWnd;
    return nullptr;
}

} // namespace

void ReturnForeground(HWND hwndFrontAtPress, HWND hwndPutAway) {
    // Another program has taken the foreground since the press: the user's choice, or the
    // program the press started, keeps it.
    HWND hwndNow = ::GetForegroundWindow();
    bool bHeld = hwndNow && (IsOfThisProcess(hwndNow) ||
                             (hwndPutAway && ::GetAncestor(hwndNow, GA_ROOTOWNER) == hwndPutAway));
    if (!bHeld)
        return;
    // The window in front at the press may be the desktop's own, or the form while shown;
    // with none, or one gone since, the desktop takes the keyboard, as when a window closes.
    HWND hwndTarget = hwndPutAway ? WindowBehind(hwndPutAway) : hwndFrontAtPress;
    if (!hwndTarget || !::IsWindowVisible(hwndTarget) || ::IsIconic(hwndTarget))
        hwndTarget = ::GetShellWindow();
    if (hwndTarget)
        ::SetForegroundWindow(hwndTarget);
}
