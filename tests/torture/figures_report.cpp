// Linked into a copy of the form for the torture suite only: on the registered message
// "HotkeyTortureFigures" the form's thread writes its own private memory, GDI and USER object
// counts, windows and handles to the file named by HOTKEY_FIGURES_LOG. The process measures
// itself because the platform may not tell these figures to another process.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "tests/support/self_figures.h"

namespace {

UINT g_figuresMessage = 0;

void WriteFigures() {
    wchar_t path[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"HOTKEY_FIGURES_LOG", path, MAX_PATH))
        return;
    double privateKb = PrivateKb();
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

void OnRetrieved(const MSG& msg) {
    if (msg.message == g_figuresMessage)
        WriteFigures();
}

const bool g_watching = [] {
    g_figuresMessage = ::RegisterWindowMessageW(L"HotkeyTortureFigures");
    return WatchRetrievedMessages(&OnRetrieved);
}();

} // namespace
