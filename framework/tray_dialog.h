// CTrayDialog: a dialog that can stand for itself in the taskbar notification area. It keeps
// one tray icon with a tip, hands the icon's mouse events to overridable handlers, shows the
// tray menu on a right press, and hides to the tray on the system minimize command.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "framework/dialog.h"
#include "framework/menu.h"

class CTrayDialog : public CDialog {
public:
    // The shell call behind every add and delete of the icon. Tests put a recorder here.
    using ShellNotifyIconFn = BOOL(WINAPI*)(DWORD dwMessage, PNOTIFYICONDATAW lpData);
    static ShellNotifyIconFn s_pfnShellNotifyIcon;

    // The notification area's message for the icon (wParam icon id, lParam mouse message),
    // and the request to bring the window back that a left double click on the icon posts.
    static constexpr UINT kTrayNotifyMessage = WM_USER + 3;
    static constexpr UINT kShowWindowMessage = WM_USER + 4;
    // Identifier of the dialog's one icon.
    static constexpr UINT kTrayIconId = 1;
    // Units of tip text the first-version record holds, terminator included.
    static constexpr int kTipUnits = 64;

    // Construction
    explicit CTrayDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
    ~CTrayDialog() override;

    // Configuration. Changes made while the icon is shown reach the shell at the next add.
    // The icon handle, or null (and no change) when the resource is missing.
    HICON SetTrayIcon(UINT nIDResource);
    // Keeps as much of the text as the tip holds, 63 characters.
    void SetTrayTip(LPCWSTR lpszTip);
    BOOL SetTrayMenu(UINT nIDResource);
    void SetMinimizeToTray(BOOL bMinimizeToTray) { m_bMinimizeToTray = bMinimizeToTray; }

    // Operations: nonzero when the shell took the request, 0 when there was nothing to do.
    BOOL AddTrayIcon();
    BOOL RemoveTrayIcon();

    // Attributes
    BOOL IsTrayIconShown() const { return m_bTrayIconShown; }
    const NOTIFYICONDATAW& GetTrayData() const { return m_nid; }

    // Overridable tray events; point is the cursor in screen coordinates.
    virtual void OnTrayLButtonDown(CPoint point);
    virtual void OnTrayLButtonDblClk(CPoint point);
    virtual void OnTrayRButtonDown(CPoint point);
    virtual void OnTrayRButtonDblClk(CPoint point);
    virtual void OnTrayMouseMove(CPoint point);

protected:
    // Message handlers
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnSysCommand(UINT nID, LPARAM lParam);
    // wParam is the icon id, lParam the mouse message.
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);

    // Data members
    BOOL m_bTrayIconShown = FALSE;
    // TRUE after an add that the shell refused, until an add succeeds or the icon is removed:
    // at logon the program may start before the taskbar exists.
    BOOL m_bTrayIconPending = FALSE;
    NOTIFYICONDATAW m_nid{};
    CMenu m_menuTray;
    // Position, not identifier, of the tray menu's default item.
    UINT m_nDefaultMenuItem = 0;
    BOOL m_bMinimizeToTray = TRUE;

    DECLARE_MESSAGE_MAP()
};
