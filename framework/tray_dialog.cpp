// CTrayDialog: the tray icon's record, its add and delete, and its mouse events.
#include "framework/tray_dialog.h"

#include <algorithm>

#include "framework/dpi.h"
#include "framework/icon.h"

namespace {

// Sent to every top-level window when the shell's taskbar has been (re)created; the icons it
// knew are gone by then.
const UINT WM_TASKBARCREATED = ::RegisterWindowMessageW(L"TaskbarCreated");

// The notification area draws its icons at the small icon size for the DPI of the monitor the
// taskbar is on. A program aware of each monitor's DPI keeps the system DPI it started with,
// which no longer says so once the user has changed the scale.
CSize TrayIconSize() {
    HWND hTaskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    UINT dpi = hTaskbar ? GetWindowDpi(hTaskbar) : GetSystemDpi();
    return CSize(GetSystemMetricForDpi(SM_CXSMICON, dpi), GetSystemMetricForDpi(SM_CYSMICON, dpi));
}

} // namespace

CTrayDialog::ShellNotifyIconFn CTrayDialog::s_pfnShellNotifyIcon = &::Shell_NotifyIconW;

BEGIN_MESSAGE_MAP(CTrayDialog, CSkinnedDialog)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SYSCOMMAND()
ON_MESSAGE(WM_TRAY_NOTIFY, OnTrayNotify)
ON_REGISTERED_MESSAGE(WM_TASKBARCREATED, OnTaskbarCreated)
ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
ON_WM_TIMER()
END_MESSAGE_MAP()

CTrayDialog::CTrayDialog(UINT nIDTemplate, CWnd* pParent) : CSkinnedDialog(nIDTemplate, pParent) {
    // The first-version layout: every shell since knows it, and it is all the icon needs.
    m_nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    m_nid.uID = kTrayIconId;
    m_nid.uFlags = NIF_MESSAGE;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
}

// The icon itself is deleted with the window in OnDestroy; the menu goes with m_menuTray.
CTrayDialog::~CTrayDialog() = default;

HICON CTrayDialog::SetTrayIcon(UINT nIDResource) {
    if (!LoadTrayPicture(nIDResource, TrayIconSize().cx))
        return nullptr;
    m_nTrayIconResource = nIDResource;
    m_nid.uFlags |= NIF_ICON;
    return m_nid.hIcon;
}

BOOL CTrayDialog::LoadTrayPicture(UINT nIDResource, int nSize) {
    if (!m_iconTray.Load(nIDResource, nSize, nSize))
        return FALSE;
    if (m_bTrayIconGrey)
        m_iconTray.MakeGrey();
    m_nTrayIconSize = nSize;
    m_nid.hIcon = m_iconTray;
    return TRUE;
}

BOOL CTrayDialog::LoadTrayIconForTray() {
    int size = TrayIconSize().cx;
    return m_nTrayIconResource != 0 && size != m_nTrayIconSize &&
           LoadTrayPicture(m_nTrayIconResource, size);
}

void CTrayDialog::SetTrayIconGrey(BOOL bGrey) {
    if (m_bTrayIconGrey == bGrey)
        return;
    m_bTrayIconGrey = bGrey;
    if (m_nTrayIconResource != 0)
        LoadTrayPicture(m_nTrayIconResource, m_nTrayIconSize);
}

void CTrayDialog::ReloadTrayIcon() {
    // The shell keeps a copy of the picture it was handed, so the old one may go first.
    if (LoadTrayIconForTray())
        UpdateTrayIcon();
}

BOOL CTrayDialog::UpdateTrayIcon() {
    return m_bTrayIconShown && s_pfnShellNotifyIcon(NIM_MODIFY, &m_nid);
}

void CTrayDialog::SetTrayTip(LPCWSTR lpszTip) {
    // The first-version record ends after 64 units of tip, terminator included, although the
    // structure declares more; lstrcpyn stops one short and always terminates.
    ::lstrcpynW(m_nid.szTip, lpszTip ? lpszTip : L"", kTipUnits);
    m_nid.uFlags |= NIF_TIP;
}

BOOL CTrayDialog::SetTrayMenu(UINT nIDResource) { return m_menuTray.LoadMenu(nIDResource); }

BOOL CTrayDialog::AddTrayIcon() {
    if (m_bTrayIconShown)
        return FALSE;
    BOOL result = s_pfnShellNotifyIcon(NIM_ADD, &m_nid);
    if (result)
        TrayIconArrived();
    else
        TrayIconRefused();
    return result;
}

BOOL CTrayDialog::RemoveTrayIcon() {
    if (!m_bTrayIconShown && !m_bTrayIconPending)
        return FALSE;
    // A refused add may have arrived since: the delete takes away whatever is there.
    m_bTrayIconPending = FALSE;
    StopTrayRetry();
    BOOL result = s_pfnShellNotifyIcon(NIM_DELETE, &m_nid);
    if (result)
        m_bTrayIconShown = FALSE;
    return result;
}

BOOL CTrayDialog::HideToTray() {
    if (!IsWindowVisible())
        return FALSE;
    // The icon may be there although the record says otherwise, from an add the shell timed out
    // on or a delete it refused: the add then fails where a modify succeeds.
    if (!s_pfnShellNotifyIcon(NIM_ADD, &m_nid) && !s_pfnShellNotifyIcon(NIM_MODIFY, &m_nid)) {
        TrayIconRefused();
        return FALSE;
    }
    TrayIconArrived();
    ShowWindow(SW_HIDE);
    return TRUE;
}

void CTrayDialog::TrayIconArrived() {
    m_bTrayIconShown = TRUE;
    m_bTrayIconPending = FALSE;
    StopTrayRetry();
}

void CTrayDialog::TrayIconRefused() {
    m_bTrayIconShown = FALSE;
    m_bTrayIconPending = TRUE;
    StopTrayRetry();
    // At logon the shell may refuse after its own time-out while the taskbar exists and is
    // merely slow, so no "TaskbarCreated" would ever come. The hidden window is reachable only
    // through its icon; a visible one needs none.
    if (m_hWnd && !IsWindowVisible() && SetTimer(kTrayRetryTimerId, kFirstTrayRetryMs))
        m_nTrayRetryMs = kFirstTrayRetryMs;
}

void CTrayDialog::StopTrayRetry() {
    if (m_nTrayRetryMs != 0 && m_hWnd)
        KillTimer(kTrayRetryTimerId);
    m_nTrayRetryMs = 0;
}

int CTrayDialog::OnCreate(LPCREATESTRUCT) {
    if (Default() == -1)
        return -1;
    m_nid.hWnd = m_hWnd;
    m_nid.uID = kTrayIconId;
    return 0;
}

void CTrayDialog::OnDestroy() {
    StopTrayRetry();
    Default();
    // An icon left behind would stay in the tray until the mouse passes over it; a refused add
    // may still have put one there.
    if (m_nid.hWnd && m_nid.uID != 0 && (m_bTrayIconShown || m_bTrayIconPending))
        s_pfnShellNotifyIcon(NIM_DELETE, &m_nid);
}

void CTrayDialog::OnSysCommand(UINT nID, LPARAM lParam) {
    // A bare Alt or F10 (no key in lParam) would put a window with neither caption nor menu
    // bar into the keyboard mode of a system menu that nobody sees, deaf to every key but
    // Esc; Alt+Space still opens the system menu.
    if ((nID & 0xFFF0) == SC_KEYMENU && lParam == 0 && !(GetStyle() & WS_CAPTION) &&
        !::GetMenu(m_hWnd))
        return;
    if (!m_bMinimizeToTray || (nID & 0xFFF0) != SC_MINIMIZE) {
        Default();
        return;
    }
    // The window is hidden rather than minimised; when the icon cannot be put in the tray the
    // request is consumed and the window stays as it is.
    HideToTray();
}

void CTrayDialog::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kTrayRetryTimerId) {
        Default();
        return;
    }
    // A tick nothing asked for (another program can send one) starts no retries of its own.
    if (!m_bTrayIconPending || m_nTrayRetryMs == 0 || IsWindowVisible()) {
        StopTrayRetry();
        return;
    }
    // An add the shell timed out on may have arrived meanwhile; the icon then takes a modify,
    // and a second add would be refused.
    if (s_pfnShellNotifyIcon(NIM_MODIFY, &m_nid) || s_pfnShellNotifyIcon(NIM_ADD, &m_nid)) {
        TrayIconArrived();
        return;
    }
    if (m_nTrayRetryMs >= kLastTrayRetryMs) {
        StopTrayRetry(); // from here on only a new taskbar brings the icon back
        return;
    }
    m_nTrayRetryMs = std::min(m_nTrayRetryMs * 2, kLastTrayRetryMs);
    SetTimer(kTrayRetryTimerId, m_nTrayRetryMs);
}

LRESULT CTrayDialog::OnSettingChange(WPARAM wParam, LPARAM lParam) {
    LRESULT result = CSkinnedDialog::OnSettingChange(wParam, lParam);
    ReloadTrayIcon();
    return result;
}

LRESULT CTrayDialog::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
    if (wParam != kTrayIconId)
        return 0;
    CPoint point;
    ::GetCursorPos(&point);
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDOWN:
        OnTrayLButtonDown(point);
        break;
    case WM_LBUTTONDBLCLK:
        OnTrayLButtonDblClk(point);
        break;
    case WM_RBUTTONDOWN:
    case WM_CONTEXTMENU:
        OnTrayRButtonDown(point);
        break;
    case WM_RBUTTONDBLCLK:
        OnTrayRButtonDblClk(point);
        break;
    case WM_MOUSEMOVE:
        OnTrayMouseMove(point);
        break;
    default:
        break;
    }
    return 1;
}

LRESULT CTrayDialog::OnTaskbarCreated(WPARAM, LPARAM) {
    // The new taskbar starts empty, perhaps on a monitor of another scale. The icon of a hidden
    // window is put back, a refused one included (a start before the taskbar existed), or the
    // window could never be shown; a visible window needs none.
    LoadTrayIconForTray();
    if (IsWindowVisible()) {
        m_bTrayIconShown = FALSE;
        m_bTrayIconPending = FALSE;
        StopTrayRetry();
        return 0;
    }
    if (!m_bTrayIconShown && !m_bTrayIconPending)
        return 0;
    if (s_pfnShellNotifyIcon(NIM_ADD, &m_nid))
        TrayIconArrived();
    else
        TrayIconRefused();
    return 0;
}

void CTrayDialog::OnTrayLButtonDown(CPoint) {}

void CTrayDialog::OnTrayLButtonDblClk(CPoint) { PostMessage(WM_SHOW_FORM); }

void CTrayDialog::OnTrayRButtonDown(CPoint point) {
    CMenuHandle menu = m_menuTray.GetSubMenu(0);
    if (menu.IsNull())
        return;
    // A pop-up menu closes on a click elsewhere only while its owner is the foreground
    // window, and the message posted afterwards lets the next menu open at the first try.
    SetForegroundWindow();
    menu.TrackPopupMenu(TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, point.x, point.y, m_hWnd);
    PostMessage(WM_NULL);
    // Set only after the first run, so that the menu shows no default item the first time.
    menu.SetDefaultItem(m_nDefaultMenuItem, TRUE);
}

void CTrayDialog::OnTrayRButtonDblClk(CPoint) {}

void CTrayDialog::OnTrayMouseMove(CPoint) {}
