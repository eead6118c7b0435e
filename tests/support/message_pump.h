// Message pumps for the tests: the thread's messages run as the library's message loops run
// them (pre-translation included), for a while, until a condition holds, or while waiting for
// another process.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/winapp.h"
#include "framework/wnd.h"

namespace test {

// Runs the messages already queued for this thread.
inline void PumpPending() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!AfxPreTranslateMessage(&msg, nullptr)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    CWnd::DeleteTempMap();
}

// Runs the thread's messages for about nMilliseconds.
inline void Pump(DWORD nMilliseconds = 50) {
    DWORD start = ::GetTickCount();
    do {
        PumpPending();
        ::Sleep(5);
    } while (::GetTickCount() - start < nMilliseconds);
}

// Runs the thread's messages until done() holds or nMilliseconds passed; whether it held.
inline bool PumpUntil(const std::function<bool()>& done, DWORD nMilliseconds = 5000) {
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > nMilliseconds)
            return false;
        Pump(10);
    }
    return true;
}

// Waits for the handle (a process, an event) while the thread's messages keep flowing; false
// when it was not signalled within nMilliseconds. What the other side posted before it let go
// has run by the return.
inline bool WaitPumping(HANDLE hObject, DWORD nMilliseconds) {
    ULONGLONG deadline = ::GetTickCount64() + nMilliseconds;
    for (;;) {
        ULONGLONG now = ::GetTickCount64();
        DWORD wait = now < deadline ? DWORD(deadline - now) : 0;
        DWORD result = ::MsgWaitForMultipleObjects(1, &hObject, FALSE, wait, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0)
            break;
        if (result != WAIT_OBJECT_0 + 1)
            return false;
        PumpPending();
    }
    PumpPending();
    return true;
}

} // namespace test
