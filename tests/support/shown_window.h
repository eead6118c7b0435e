// A top-level window of the test's own, shown at the front of the z-order without
// activation: a stand-in for the window a user has in front, or for one a key press must
// pass over.
#pragma once

#include <windows.h>

namespace test {

struct ShownWindow {
    explicit ShownWindow(DWORD exStyle = 0, const wchar_t* className = L"STATIC", int size = 50)
        : hWnd(::CreateWindowExW(exStyle, className, L"", WS_POPUP, 10, 10, size, size, nullptr,
                                 nullptr, nullptr, nullptr)) {
        ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    ShownWindow(const ShownWindow&) = delete;
    ShownWindow& operator=(const ShownWindow&) = delete;
    ~ShownWindow() { ::DestroyWindow(hWnd); }

    HWND hWnd;
};

} // namespace test
