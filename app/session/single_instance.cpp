// The instance marker, the hand-over of a second start, and the form's message filter.
#include "app/session/single_instance.h"

#include "app/messages.h"

bool AnotherInstanceHoldsName(HANDLE hMutex, DWORD dwLastError) {
    if (hMutex)
        return dwLastError == ERROR_ALREADY_EXISTS;
    return dwLastError == ERROR_ACCESS_DENIED;
}

bool ShowRunningInstance(DWORD dwWaitMs) {
    HWND hForm = nullptr;
    for (DWORD dwWaited = 0;; dwWaited += 50) {
        hForm = ::FindWindowW(kFormClassName, nullptr);
        if (hForm || dwWaited >= dwWaitMs)
            break;
        ::Sleep(50);
    }
    if (!hForm)
        return false;
    // The user started this process, so it may take the foreground; it passes that on, or
    // the form would only flash in the taskbar.
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hForm, &dwProcessId);
    ::AllowSetForegroundWindow(dwProcessId);
    ::PostMessageW(hForm, WM_SHOW_FORM, 0, 0);
    return true;
}

void AllowFormMessagesFromNormalRights(HWND hForm) {
    const UINT messages[] = {WM_FN_HOTKEY, WM_SHOW_FORM,
                             ::RegisterWindowMessageW(L"TaskbarCreated")};
    for (UINT message : messages)
        ::ChangeWindowMessageFilterEx(hForm, message, MSGFLT_ALLOW, nullptr);
}
