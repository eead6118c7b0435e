// Giving the foreground back after a key press that showed nothing.
#include "app/launch/foreground.h"

#include "app/launch/running_window.h"

namespace {

bool IsOfThisProcess(HWND hWnd) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    return processId == ::GetCurrentProcessId();
}

// The first window behind hwndAfter, or from the top, that the user could switch to; the
// desktop's own window when there is none.
HWND WindowBehind(HWND hwndAfter) {
    HWND hWnd = hwndAfter ? ::GetWindow(hwndAfter, GW_HWNDNEXT) : ::GetTopWindow(nullptr);
    for (; hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        if (!::IsIconic(hWnd) && !IsOfThisProcess(hWnd) && CanTakeFront(hWnd))
            return hWnd;
    return ::GetShellWindow();
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
    // The window in front at the press may be the desktop's own, or the form while shown.
    HWND hwndTarget = hwndPutAway ? nullptr : hwndFrontAtPress;
    if (!hwndTarget || !::IsWindowVisible(hwndTarget) || ::IsIconic(hwndTarget))
        hwndTarget = WindowBehind(hwndPutAway);
    if (hwndTarget)
        ::SetForegroundWindow(hwndTarget);
}
