// Desktop helpers for the end-to-end tests.
#include "tests/support/desktop.h"

#include <commctrl.h>

#include "framework/kernel_object.h"
#include "tests/support/window_finder.h"

namespace {

// The visible pop-up menu of the process, or of any process for 0.
HWND FindPopupMenu(DWORD pid) {
    return FindFirstWindow({.processId = pid, .className = L"#32768", .visibleOnly = true});
}

} // namespace

std::vector<CRect> TrayIcons() {
    // Without a tray of the X desktop, Wine shows its own small window with one child per icon.
    std::vector<CRect> icons;
    if (HWND tray = FindFirstWindow({.title = L"Wine System Tray", .visibleOnly = true})) {
        for (HWND icon : FindWindows({.hParent = tray, .visibleOnly = true})) {
            CRect rc;
            ::GetWindowRect(icon, &rc);
            icons.push_back(rc);
        }
    }
    return icons;
}

bool WaitForTrayIcons(size_t n, DWORD ms) {
    return WaitFor([n] { return TrayIcons().size() == n; }, ms);
}

// Wine's tray sits at the top of the screen, where the menu is pushed down over the cursor, so
// the button is released away from the menu rather than on one of its items. Wine's tray also
// takes the activation on a press and, with injected input, that can cancel a menu that opened
// just before; a user would press once more, and so do we.
HWND OpenTrayMenu(DWORD pid) {
    auto icons = TrayIcons();
    if (icons.size() != 1)
        return nullptr;
    HWND menu = nullptr;
    for (int attempt = 0; attempt < 3 && !menu; ++attempt) {
        MouseMove(icons[0].CenterPoint());
        Press(true);
        menu = WaitForPopupMenu(pid, 1500);
        MouseMove(CPoint(900, 700));
        Release(true);
    }
    return menu;
}

HWND WaitForPopupMenu(DWORD pid, DWORD ms) {
    HWND menu = nullptr;
    WaitFor([&] { return (menu = FindPopupMenu(pid)) != nullptr; }, ms);
    return menu;
}

bool WaitForNoPopupMenu(DWORD ms) {
    return WaitFor([] { return FindPopupMenu(0) == nullptr; }, ms);
}

namespace {

// A block of memory in the process that owns a window, for messages whose parameters point
// at memory the window's process must reach; freed at scope end.
class RemoteBlock {
public:
    RemoteBlock(HWND hWnd, SIZE_T bytes) : m_bytes(bytes) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hWnd, &pid);
        m_hProcess.Attach(
            ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
        if (m_hProcess)
            m_pRemote = static_cast<BYTE*>(::VirtualAllocEx(
                m_hProcess, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    ~RemoteBlock() {
        if (m_pRemote)
            ::VirtualFreeEx(m_hProcess, m_pRemote, 0, MEM_RELEASE);
    }
    BYTE* get() const { return m_pRemote; }
    void Write(SIZE_T offset, const void* p, SIZE_T bytes) const {
        ::WriteProcessMemory(m_hProcess, m_pRemote + offset, p, bytes, nullptr);
    }
    void Read(SIZE_T offset, void* p, SIZE_T bytes) const {
        ::ReadProcessMemory(m_hProcess, m_pRemote + offset, p, bytes, nullptr);
    }

private:
    SIZE_T m_bytes;
    CKernelObject m_hProcess;
    BYTE* m_pRemote = nullptr;
};

} // namespace

CString RemoteListItemText(HWND hList, int nItem, int nSubItem, int nChars) {
    RemoteBlock block(hList, sizeof(LVITEMW) + nChars * sizeof(wchar_t));
    if (!block.get())
        return CString();
    LVITEMW item{};
    item.iSubItem = nSubItem;
    item.cchTextMax = nChars;
    item.pszText = reinterpret_cast<LPWSTR>(block.get() + sizeof(LVITEMW));
    block.Write(0, &item, sizeof(item));
    ::SendMessageW(hList, LVM_GETITEMTEXTW, static_cast<WPARAM>(nItem),
                   reinterpret_cast<LPARAM>(block.get()));
    std::vector<wchar_t> buffer(static_cast<size_t>(nChars) + 1, L'\0');
    block.Read(sizeof(LVITEMW), buffer.data(), nChars * sizeof(wchar_t));
    return buffer.data();
}

CRect RemoteListItemRect(HWND hList, int nItem) {
    RemoteBlock block(hList, sizeof(RECT));
    CRect rc;
    if (!block.get())
        return rc;
    rc.left = LVIR_BOUNDS;
    block.Write(0, &rc, sizeof(RECT));
    ::SendMessageW(hList, LVM_GETITEMRECT, static_cast<WPARAM>(nItem),
                   reinterpret_cast<LPARAM>(block.get()));
    block.Read(0, &rc, sizeof(RECT));
    ::MapWindowPoints(hList, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void SendDpiChanged(HWND hWnd, UINT dpi, const RECT& rcSuggested) {
    RemoteBlock block(hWnd, sizeof(RECT));
    if (!block.get())
        return;
    block.Write(0, &rcSuggested, sizeof(RECT));
    ::SendMessageW(hWnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(block.get()));
}
