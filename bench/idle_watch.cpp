// Linked into a copy of the form and into the minimal tray program, for the tray benchmark
// only: counts the messages the main thread retrieves between two marks the benchmark posts,
// and writes the count with the message numbers, then the process's own private memory, object
// counts (the platform may not tell them to another process) and the timers that fired, to the
// file named by IDLE_WATCH_LOG.
#include <windows.h>

#include <cstdio>
#include <set>
#include <utility>
#include <vector>

#include "tests/support/self_figures.h"

namespace {

UINT g_mark = 0;
bool g_counting = false;
std::vector<UINT> g_retrieved;
// Each timer by its window and id; caret blinks and other system timers come as WM_SYSTIMER.
std::set<std::pair<HWND, WPARAM>> g_timers;
constexpr UINT kSysTimer = 0x0118;

void WriteLog() {
    wchar_t path[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"IDLE_WATCH_LOG", path, MAX_PATH))
        return;
    FILE* f = _wfopen(path, L"w");
    if (!f)
        return;
    std::fprintf(f, "%zu", g_retrieved.size());
    for (UINT message : g_retrieved)
        std::fprintf(f, " 0x%04X", message);
    std::fprintf(f, "\n%.0f %lu %lu %d %zu\n", PrivateKb(), GdiObjectsOfThisProcess(),
                 ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), WindowsOfThisThread(),
                 g_timers.size());
    std::fclose(f);
}

void OnRetrieved(const MSG& msg) {
    if (msg.message == g_mark) {
        g_counting = msg.wParam == 1;
        if (g_counting) {
            g_retrieved.clear();
            g_timers.clear();
        } else
            WriteLog();
    } else if (g_counting) {
        g_retrieved.push_back(msg.message);
        if (msg.message == WM_TIMER || msg.message == kSysTimer)
            g_timers.emplace(msg.hwnd, msg.wParam);
    }
}

// Only retrieved messages are seen: a look that leaves one in the queue is no wake of its own.
const bool g_watching = [] {
    g_mark = ::RegisterWindowMessageW(L"HotkeyIdleWatchMark");
    return WatchRetrievedMessages(&OnRetrieved);
}();

} // namespace
