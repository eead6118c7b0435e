// Linked into a copy of the form for the torture suite only: on the registered message
// "HotkeyTortureFigures" the form's thread writes its own private memory, GDI and USER object
// counts, windows and handles to the file named by HOTKEY_FIGURES_LOG. The process measures
// itself because the platform may not tell these figures to another process.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cwchar>

#include "bench/self_figures.h"

namespace {

UINT g_figuresMessage = 0;

void WriteFigures() {
    wchar_t path[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"HOTKEY_FIGURES_LOG", path, MAX_PATH))
        return;
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof(pmc);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                           sizeof(pmc));
    double privateKb = pmc.PrivateUsage ? pmc.PrivateUsage / 1024.0 : CommittedPrivateKb();
    const bool gdiCounted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS) == 0;
    unsigned long gdi = GdiObjectsOfThisProcess();
    DWORD handles = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &handles);
    // Written under another name and moved into place, so a reader never sees half a line.
    wchar_t partial[MAX_PATH + 8] = {};
    std::swprintf(partial, MAX_PATH + 8, L"%ls.part", path);
    FILE* f = _wfopen(partial, L"w");
    if (!f)
        return;
    std::fprintf(f, "%.0f %lu %d %lu %d %lu\n", privateKb, gdi, gdiCounted ? 1 : 0,
                 ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), WindowsOfThisThread(),
                 handles);
    std::fclose(f);
    ::MoveFileExW(partial, path, MOVEFILE_REPLACE_EXISTING);
}

LRESULT CALLBACK OnGetMessage(int code, WPARAM wParam, LPARAM lParam) {
    // Seen in every message loop of the thread, the nested ones of modal dialogs included.
    if (code == HC_ACTION && wParam == PM_REMOVE &&
        reinterpret_cast<const MSG*>(lParam)->message == g_figuresMessage)
        WriteFigures();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Installed during static initialisation, on the thread that will run the form.
const HHOOK g_hook = [] {
    g_figuresMessage = ::RegisterWindowMessageW(L"HotkeyTortureFigures");
    return ::SetWindowsHookExW(WH_GETMESSAGE, OnGetMessage, nullptr, ::GetCurrentThreadId());
}();

} // namespace
