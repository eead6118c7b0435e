// window_probe: a program with one ordinary top-level window, for the tests of a key that
// brings up or puts away a program that already runs. It ends when its window is closed.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int nShow) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_DESTROY)
            ::PostQuitMessage(0);
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    };
    wc.hInstance = hInstance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"HotkeyWindowProbe";
    if (!::RegisterClassW(&wc))
        return 1;
    HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"Window probe", WS_OVERLAPPEDWINDOW, 100,
                                  100, 300, 200, nullptr, nullptr, hInstance, nullptr);
    if (!hWnd)
        return 1;
    ::ShowWindow(hWnd, nShow);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
