// The launch benchmark's floor: the least a windowed program does to start a program from a
// posted message. It starts the command line it was given each time its window receives
// kStartMessage, exactly as the form starts a key's program, and ends on WM_CLOSE.
#include <windows.h>

#include <string>

#include "bench/launch_floor.h"

namespace {

std::wstring g_commandLine;

void StartCommandLine() {
    std::wstring line = g_commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
}

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case bench::kStartMessage:
        StartCommandLine();
        return 1;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    g_commandLine = commandLine;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = bench::kFloorClassName;
    if (!::RegisterClassW(&windowClass))
        return 1;
    // Hidden, as the form is in the tray.
    if (!::CreateWindowExW(0, bench::kFloorClassName, L"launch floor", WS_OVERLAPPEDWINDOW, 0, 0,
                           100, 100, nullptr, nullptr, instance, nullptr))
        return 1;
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
