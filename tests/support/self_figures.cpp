// A process's own windows, objects and private memory, and a watch on the messages it retrieves.
#include "tests/support/self_figures.h"

#include <psapi.h>

namespace {

void (*g_onMessage)(const MSG&) = nullptr;

LRESULT CALLBACK OnGetMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE)
        g_onMessage(*reinterpret_cast<const MSG*>(lParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK CountWindow(HWND hWnd, LPARAM lParam) {
    ++*reinterpret_cast<int*>(lParam);
    ::EnumChildWindows(hWnd, CountWindow, lParam);
    return TRUE;
}

double CommittedPrivateKb() {
    double kb = 0;
    MEMORY_BASIC_INFORMATION mbi{};
    for (auto* p = static_cast<BYTE*>(nullptr); ::VirtualQuery(p, &mbi, sizeof(mbi)) == sizeof(mbi);
         p = static_cast<BYTE*>(mbi.BaseAddress) + mbi.RegionSize) {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE)
            kb += mbi.RegionSize / 1024.0;
    }
    return kb;
}

} // namespace

int WindowsOfThisThread() {
    int n = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&n));
    return n;
}

unsigned long GdiObjectsOfThisProcess() {
    if (unsigned long n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
        return n;
    // Wine accepts a handle given by its table index alone (upper word 0), so every index
    // that names an object counts once.
    constexpr ULONG_PTR kTableSize = 0x10000;
    unsigned long n = 0;
    for (ULONG_PTR index = 1; index < kTableSize; ++index)
        n += ::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
    return n;
}

double PrivateKb() {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof(pmc);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                           sizeof(pmc));
    return pmc.PrivateUsage ? pmc.PrivateUsage / 1024.0 : CommittedPrivateKb();
}

bool WatchRetrievedMessages(void (*onMessage)(const MSG& msg)) {
    g_onMessage = onMessage;
    return ::SetWindowsHookExW(WH_GETMESSAGE, OnGetMessage, nullptr, ::GetCurrentThreadId()) !=
           nullptr;
}
