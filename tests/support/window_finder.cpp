// One window search for tests and benchmarks.
#include "tests/support/window_finder.h"

#include <cwchar>

namespace {

struct Search {
    const WindowQuery& query;
    bool firstOnly;
    std::vector<HWND> found;
};

bool SameText(const wchar_t* wanted, int (*read)(HWND, LPWSTR, int), HWND hWnd) {
    wchar_t text[256] = {};
    read(hWnd, text, 256);
    return _wcsicmp(text, wanted) == 0;
}

bool Matches(const WindowQuery& q, HWND hWnd) {
    if (q.processId) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hWnd, &pid);
        if (pid != q.processId)
            return false;
    }
    if (q.visibleOnly && !::IsWindowVisible(hWnd))
        return false;
    if (q.className && !SameText(q.className, ::GetClassNameW, hWnd))
        return false;
    if (q.title && !SameText(q.title, ::GetWindowTextW, hWnd))
        return false;
    return !q.accept || q.accept(hWnd);
}

BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (!Matches(search->query, hWnd))
        return TRUE;
    search->found.push_back(hWnd);
    return search->firstOnly ? FALSE : TRUE;
}

std::vector<HWND> Run(const WindowQuery& query, bool firstOnly) {
    Search search{query, firstOnly, {}};
    if (query.hParent)
        ::EnumChildWindows(query.hParent, Visit, reinterpret_cast<LPARAM>(&search));
    else
        ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

std::vector<HWND> FindWindows(const WindowQuery& query) { return Run(query, false); }

HWND FindFirstWindow(const WindowQuery& query) {
    std::vector<HWND> found = Run(query, true);
    return found.empty() ? nullptr : found.front();
}
