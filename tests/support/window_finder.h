// Finding another program's windows, for tests and benchmarks: one search over the top-level
// windows, or over a window's descendants, narrowed by process, class, title, visibility and a
// test of the caller's own.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

struct WindowQuery {
    // Descendants of this window; null for the top-level windows.
    HWND hParent = nullptr;
    // The owning process; 0 for any.
    DWORD processId = 0;
    // Compared whole and without regard to case, as the platform compares them; null for any.
    const wchar_t* className = nullptr;
    const wchar_t* title = nullptr;
    bool visibleOnly = false;
    // A last test of the caller's own; empty for none.
    std::function<bool(HWND)> accept = nullptr;
};

// Every window that matches, in the platform's order (top-level windows by Z order).
std::vector<HWND> FindWindows(const WindowQuery& query);
// The first window that matches, or null.
HWND FindFirstWindow(const WindowQuery& query);
