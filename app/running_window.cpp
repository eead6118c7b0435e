// Finding a program's running window by its process's image path, and bringing it up.
#include "app/running_window.h"

#include <map>

#include "framework/kernel_object.h"

namespace {

DWORD IntegrityLevelOf(HANDLE hProcess) {
    HANDLE hToken = nullptr;
    if (!::OpenProcessToken(hProcess, TOKEN_QUERY, &hToken))
        return MAXDWORD; // a token this process may not even read is above its own rights
    CKernelObject token(hToken);
    alignas(TOKEN_MANDATORY_LABEL) BYTE buffer[64] = {};
    DWORD size = 0;
    if (!::GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof(buffer), &size))
        return 0;
    PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
    return *::GetSidSubAuthority(sid, *::GetSidSubAuthorityCount(sid) - 1);
}

// The long form of a path, so that a short 8.3 name stored for a key still matches.
CString LongPath(const CString& path) {
    wchar_t longPath[MAX_PATH] = {};
    DWORD length = ::GetLongPathNameW(path, longPath, MAX_PATH);
    return length > 0 && length < MAX_PATH ? CString(longPath) : path;
}

struct ProcessMark {
    bool bOfProgram = false;
    bool bHigherRights = false;
};

ProcessMark MarkProcess(DWORD processId, const CString& program, DWORD ownLevel) {
    ProcessMark mark;
    CKernelObject process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return mark;
    wchar_t image[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (!::QueryFullProcessImageNameW(process, 0, image, &length))
        return mark;
    // Only a short (8.3) name is worth asking the file system for the long one.
    mark.bOfProgram = program.CompareNoCase(image) == 0 ||
                      (std::wcschr(image, L'~') && LongPath(image).CompareNoCase(program) == 0);
    if (mark.bOfProgram)
        mark.bHigherRights = IntegrityLevelOf(process) > ownLevel;
    return mark;
}

} // namespace

HWND ChooseProgramWindow(const std::vector<TOPWINDOW>& zOrder) {
    for (const TOPWINDOW& window : zOrder)
        if (window.bOfProgram && !window.bHigherRights && window.bVisible && !window.bToolWindow &&
            !window.bOwned)
            return window.hWnd;
    return nullptr;
}

std::vector<TOPWINDOW> ListTopWindows(const CString& strProgramPath) {
    struct Search {
        CString program;
        DWORD ownLevel;
        std::map<DWORD, ProcessMark> marks; // each process is asked once
        std::vector<TOPWINDOW> windows;
    } search{LongPath(strProgramPath), IntegrityLevelOf(::GetCurrentProcess()), {}, {}};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            DWORD processId = 0;
            ::GetWindowThreadProcessId(hWnd, &processId);
            auto found = s.marks.find(processId);
            if (found == s.marks.end())
                found =
                    s.marks.emplace(processId, MarkProcess(processId, s.program, s.ownLevel)).first;
            LONG_PTR exStyle = ::GetWindowLongPtrW(hWnd, GWL_EXSTYLE);
            s.windows.push_back({hWnd, found->second.bOfProgram, found->second.bHigherRights,
                                 ::IsWindowVisible(hWnd) != FALSE,
                                 (exStyle & WS_EX_TOOLWINDOW) != 0,
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

void ApplyToRunningWindow(HWND hWnd, RunningAction action) {
    if (action == RunningAction::Minimize) {
        ::ShowWindow(hWnd, SW_MINIMIZE);
        return;
    }
    // Restored only from the taskbar: a maximized window stays maximized.
    if (::IsIconic(hWnd))
        ::ShowWindow(hWnd, SW_RESTORE);
    // A dialog the program has open over its window is where the user left the keyboard.
    HWND hPopup = ::GetLastActivePopup(hWnd);
    HWND hTarget = hPopup && ::IsWindowVisible(hPopup) && ::IsWindowEnabled(hPopup) ? hPopup : hWnd;
    // This process holds the foreground since the press, so the platform lets it hand the
    // foreground on, and activation gives the window its keyboard focus. Joining input queues
    // here as the press does would part them again under the new window and lose it.
    ::SetForegroundWindow(hTarget);
}
