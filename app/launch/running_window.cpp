// Finding a program's running window by its process's image path, and bringing it up.
#include "app/launch/running_window.h"

#include <map>

#include "app/launch/foreground.h"
#include "framework/kernel_object.h"
#include "framework/system_library.h"

namespace {

// DWMWA_CLOAKED, which MinGW's headers may lack.
constexpr DWORD kDwmCloaked = 14;

bool IsCloakedByDwm(HWND hWnd) {
    // Loaded on first use: the window manager's DLL is not one Windows always takes from
    // System32, and only a press that looks for a window needs it.
    static CSystemLibrary s_dwm(L"dwmapi.dll");
    using GetAttribute = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
    static const auto s_pfnGetAttribute = s_dwm.GetProc<GetAttribute>("DwmGetWindowAttribute");
    DWORD cloaked = 0;
    return s_pfnGetAttribute &&
           SUCCEEDED(s_pfnGetAttribute(hWnd, kDwmCloaked, &cloaked, sizeof(cloaked))) &&
           cloaked != 0;
}

bool IsDesktopWindow(HWND hWnd) {
    wchar_t className[16] = {};
    ::GetClassNameW(hWnd, className, ARRAYSIZE(className));
    return std::wcscmp(className, L"Progman") == 0 || std::wcscmp(className, L"WorkerW") == 0;
}

// The long form of a path, so that a short 8.3 name stored for a key still matches.
CString LongPath(const CString& path) {
    wchar_t longPath[MAX_PATH] = {};
    DWORD length = ::GetLongPathNameW(path, longPath, MAX_PATH);
    return length > 0 && length < MAX_PATH ? CString(longPath) : path;
}

bool IsProcessOfProgram(DWORD processId, const CString& program) {
    // Limited query rights are granted on a process at higher rights too.
    CKernelObject process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return false;
    wchar_t image[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (!::QueryFullProcessImageNameW(process, 0, image, &length))
        return false;
    // Only a short (8.3) name is worth asking the file system for the long one.
    return program.CompareNoCase(image) == 0 ||
           (std::wcschr(image, L'~') && LongPath(image).CompareNoCase(program) == 0);
}

} // namespace

bool (*g_pfnIsCloaked)(HWND hWnd) = &IsCloakedByDwm;

bool CanTakeFront(HWND hWnd) {
    if (!::IsWindowVisible(hWnd))
        return false;
    LONG_PTR exStyle = ::GetWindowLongPtrW(hWnd, GWL_EXSTYLE);
    if (exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE))
        return false;
    RECT rc{};
    // A minimized window keeps its place in the taskbar whatever its size on the screen.
    if (!::IsIconic(hWnd) &&
        (!::GetWindowRect(hWnd, &rc) || rc.right <= rc.left || rc.bottom <= rc.top))
        return false;
    return !IsDesktopWindow(hWnd) && !g_pfnIsCloaked(hWnd);
}

HWND ChooseProgramWindow(const std::vector<TOPWINDOW>& zOrder) {
    for (const TOPWINDOW& window : zOrder)
        if (window.bOfProgram && window.bCanTakeFront && !window.bOwned)
            return window.hWnd;
    return nullptr;
}

std::vector<TOPWINDOW> ListTopWindows(const CString& strProgramPath) {
    struct Search {
        CString program;
        std::map<DWORD, bool> ofProgram; // each process is asked once
        std::vector<TOPWINDOW> windows;
    } search{LongPath(strProgramPath), {}, {}};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            DWORD processId = 0;
            ::GetWindowThreadProcessId(hWnd, &processId);
            auto found = s.ofProgram.find(processId);
            if (found == s.ofProgram.end())
                found =
                    s.ofProgram.emplace(processId, IsProcessOfProgram(processId, s.program)).first;
            // Only the program's own windows are looked at closer.
            bool ofProgram = found->second;
            s.windows.push_back({hWnd, ofProgram, ofProgram && CanTakeFront(hWnd),
                                 ::GetWindow(hWnd, GW_OWNER) != nullptr});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

RunningAction ActionForRunningWindow(HWND hWnd, bool bToggle, HWND hwndFrontAtPress) {
    bool inFront = hwndFrontAtPress && ::GetAncestor(hwndFrontAtPress, GA_ROOTOWNER) == hWnd &&
                   !::IsIconic(hWnd);
    return bToggle && inFront ? RunningAction::Minimize : RunningAction::BringToFront;
}

void ApplyToRunningWindow(HWND hWnd, RunningAction action, HWND hwndFrontAtPress) {
    // The asynchronous show: a program that stopped answering holds neither this press nor
    // the next ones of its key.
    if (action == RunningAction::Minimize) {
        ::ShowWindowAsync(hWnd, SW_MINIMIZE);
        ReturnForeground(hwndFrontAtPress, hWnd);
        return;
    }
    // Restored only from the taskbar: a maximized window stays maximized.
    if (::IsIconic(hWnd))
        ::ShowWindowAsync(hWnd, SW_RESTORE);
    // A dialog the program has open over its window is where the user left the keyboard.
    HWND hPopup = ::GetLastActivePopup(hWnd);
    HWND hTarget = hPopup && ::IsWindowVisible(hPopup) && ::IsWindowEnabled(hPopup) ? hPopup : hWnd;
    // This process holds the foreground since the press, so the platform lets it hand the
    // foreground on, and activation gives the window its keyboard focus. Joining input queues
    // here as the press does would part them again under the new window and lose it.
    if (!::SetForegroundWindow(hTarget))
        ReturnForeground(hwndFrontAtPress);
}
