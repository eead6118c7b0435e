// The least a tray program can do, as the yardstick of the form's start-up and idle cost:
// register a dialog class, create a hidden dialog of it, add one tray icon, run a loop.
#include <windows.h>

#include <shellapi.h>

#include "minimal_tray.h"

namespace {

constexpr UINT kCallback = WM_APP + 1;

NOTIFYICONDATAW g_nid{};

INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        g_nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
        g_nid.hWnd = hWnd;
        g_nid.uID = 1;
        g_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        g_nid.uCallbackMessage = kCallback;
        g_nid.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
        ::lstrcpynW(g_nid.szTip, L"Minimal tray", 64);
        ::Shell_NotifyIconW(NIM_ADD, &g_nid);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)
            ::DestroyWindow(hWnd);
        return TRUE;
    case WM_DESTROY:
        ::Shell_NotifyIconW(NIM_DELETE, &g_nid);
        ::PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int) {
    WNDCLASSW wc{};
    ::GetClassInfoW(hInstance, L"#32770", &wc);
    wc.lpszClassName = L"TMinimalTray";
    ::RegisterClassW(&wc);
    HWND hWnd =
        ::CreateDialogParamW(hInstance, MAKEINTRESOURCEW(IDD_MINIMAL_TRAY), nullptr, DialogProc, 0);
    if (!hWnd)
        return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!::IsDialogMessageW(hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return 0;
}
