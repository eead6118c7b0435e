// CTrayDialog: the tray icon's record, its add and delete, and its mouse events.
#include "framework/tray_dialog.h"

#include "framework/icon.h"

namespace {

// Sent to every top-level window when the shell's taskbar has been (re)created; the icons it
// knew are gone by then.
const UINT WM_TASKBARCREATED = ::RegisterWindowMessageW(L"TaskbarCreated");

} // namespace

CTrayDialog::ShellNotifyIconFn CTrayDialog::s_pfnShellNotifyIcon = &::Shell_NotifyIconW;

BEGIN_MESSAGE_MAP(CTrayDialog, CDialog)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SYSCOMMAND()
ON_MESSAGE(kTrayNotifyMessage, OnTrayNotify)
ON_REGISTERED_MESSAGE(WM_TASKBARCREATED, OnTaskbarCreated)
END_MESSAGE_MAP()

CTrayDialog::CTrayDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {
    // The first-version layout: every shell since knows it, and it is all the icon needs.
    m_nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    m_nid.uID = kTrayIconId;
    m_nid.uFlags = NIF_MESSAGE;
    m_nid.uCallbackMessage = kTrayNotifyMessage;
}

// The icon itself is deleted with the window in OnDestroy; the menu goes with m_menuTray.
CTrayDialog::~CTrayDialog() = default;

HICON CTrayDialog::SetTrayIcon(UINT nIDResource) {
    HICON hIcon = AfxLoadSmallIcon(nIDResource);
    if (hIcon) {
        m_nid.hIcon = hIcon;
        m_nid.uFlags |= NIF_ICON;
    }
    return hIcon;
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
    m_bTrayIconShown = result ? TRUE : FALSE;
    m_bTrayIconPending = !m_bTrayIconShown;
    return result;
}

BOOL CTrayDialog::RemoveTrayIcon() {
    m_bTrayIconPending = FALSE;
    if (!m_bTrayIconShown)
        return FALSE;
    BOOL result = s_pfnShellNotifyIcon(NIM_DELETE, &m_nid);
    if (result)
        m_bTrayIconShown = FALSE;
    return result;
}

int CTrayDialog::OnCreate(LPCREATESTRUCT) {
    if (Default() == -1)
        return -1;
    m_nid.hWnd = m_hWnd;
    m_nid.uID = kTrayIconId;
    return 0;
}

void CTrayDialog::OnDestroy() {
    Default();
    // An icon left behind would stay in the tray until the mouse passes over it.
    if (m_nid.hWnd && m_nid.uID != 0 && m_bTrayIconShown)
        s_pfnShellNotifyIcon(NIM_DELETE, &m_nid);
}

void CTrayDialog::OnSysCommand(UINT nID, LPARAM) {
    if (!m_bMinimizeToTray || (nID & 0xFFF0) != SC_MINIMIZE) {
        Default();
        return;
    }
    // The window is hidden rather than minimised; when the icon cannot be added (or is there
    // already) the request is consumed and the window stays as it is.
    if (!m_bTrayIconShown && s_pfnShellNotifyIcon(NIM_ADD, &m_nid)) {
        m_bTrayIconShown = TRUE;
        ShowWindow(SW_HIDE);
    }
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
    // The new taskbar starts empty: put back an icon the user expects to see. An icon the shell
    // refused while the window was to stay hidden (a start before the taskbar existed) is added
    // now, or the hidden window could never be shown; a window still visible needs none.
    if (m_bTrayIconShown)
        s_pfnShellNotifyIcon(NIM_ADD, &m_nid);
    else if (m_bTrayIconPending && !IsWindowVisible() && s_pfnShellNotifyIcon(NIM_ADD, &m_nid)) {
        m_bTrayIconShown = TRUE;
        m_bTrayIconPending = FALSE;
    }
    return 0;
}

void CTrayDialog::OnTrayLButtonDown(CPoint) {}

void CTrayDialog::OnTrayLButtonDblClk(CPoint) { PostMessage(kShowWindowMessage); }

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
