// Desktop helpers for the end-to-end tests.
#include "desktop.h"

#include <commctrl.h>

namespace {

BOOL CALLBACK CollectVisibleChild(HWND hWnd, LPARAM lParam) {
    if (::IsWindowVisible(hWnd)) {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        reinterpret_cast<std::vector<CRect>*>(lParam)->push_back(rc);
    }
    return TRUE;
}

void SendMouse(DWORD flags, CPoint screen = CPoint()) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        // Absolute positions are in 1/65536 of the primary screen.
        in.mi.dx = MulDiv(screen.x, 65536, ::GetSystemMetrics(SM_CXSCREEN)) + 1;
        in.mi.dy = MulDiv(screen.y, 65536, ::GetSystemMetrics(SM_CYSCREEN)) + 1;
    }
    ::SendInput(1, &in, sizeof(in));
}

struct MenuSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMenuOf(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<MenuSearch*>(lParam);
    wchar_t cls[16] = {};
    ::GetClassNameW(hWnd, cls, 16);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (wcscmp(cls, L"#32768") == 0 && ::IsWindowVisible(hWnd) &&
        (search->pid == 0 || pid == search->pid)) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindPopupMenu(DWORD pid) {
    MenuSearch search{pid, nullptr};
    ::EnumWindows(FindMenuOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

std::vector<CRect> TrayIcons() {
    // Without a tray of the X desktop, Wine shows its own small window with one child per icon.
    std::vector<CRect> icons;
    HWND tray = ::FindWindowW(nullptr, L"Wine System Tray");
    if (tray && ::IsWindowVisible(tray))
        ::EnumChildWindows(tray, CollectVisibleChild, reinterpret_cast<LPARAM>(&icons));
    return icons;
}

bool WaitForTrayIcons(size_t n, DWORD ms) {
    return WaitFor([n] { return TrayIcons().size() == n; }, ms);
}

void MouseMove(CPoint screen) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen);
    ::Sleep(30);
}

void Click(CPoint screen, bool right, int count) {
    MouseMove(screen);
    for (int i = 0; i < count; ++i) {
        Press(right);
        Release(right);
    }
}

void Press(bool right) {
    SendMouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    ::Sleep(20);
}

void Release(bool right) {
    SendMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    ::Sleep(40);
}

void Drag(CPoint from, CPoint to) {
    MouseMove(from);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    ::Sleep(100);
    for (int step = 1; step <= 8; ++step)
        MouseMove(CPoint(from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8));
    SendMouse(MOUSEEVENTF_LEFTUP);
    ::Sleep(200);
}

void PressKey(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
}

HWND WaitForPopupMenu(DWORD pid, DWORD ms) {
    HWND menu = nullptr;
    WaitFor([&] { return (menu = FindPopupMenu(pid)) != nullptr; }, ms);
    return menu;
}

bool WaitForNoPopupMenu(DWORD ms) {
    return WaitFor([] { return FindPopupMenu(0) == nullptr; }, ms);
}

COLORREF ScreenPixel(CPoint screen) {
    HDC dc = ::GetDC(nullptr);
    COLORREF cr = ::GetPixel(dc, screen.x, screen.y);
    ::ReleaseDC(nullptr, dc);
    return cr;
}

CString RemoteListItemText(HWND hList, int nItem, int nSubItem) {
    // The list view copies into the caller's buffer, which must then live in its process.
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hList, &pid);
    HANDLE process =
        ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return CString();
    constexpr int kChars = 260;
    SIZE_T bytes = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
    auto* remote = static_cast<BYTE*>(
        ::VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    CString text;
    if (remote) {
        LVITEMW item{};
        item.iSubItem = nSubItem;
        item.cchTextMax = kChars;
        item.pszText = reinterpret_cast<LPWSTR>(remote + sizeof(LVITEMW));
        ::WriteProcessMemory(process, remote, &item, sizeof(item), nullptr);
        ::SendMessageW(hList, LVM_GETITEMTEXTW, static_cast<WPARAM>(nItem),
                       reinterpret_cast<LPARAM>(remote));
        wchar_t buffer[kChars] = {};
        ::ReadProcessMemory(process, remote + sizeof(LVITEMW), buffer, sizeof(buffer), nullptr);
        buffer[kChars - 1] = 0;
        text = buffer;
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    ::CloseHandle(process);
    return text;
}
