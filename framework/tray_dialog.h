// CTrayDialog: a dialog that can stand for itself in the taskbar notification area. It keeps
// one tray icon with a tip, hands the icon's mouse events to overridable handlers, shows the
// tray menu on a right press, and hides to the tray on the system minimize command.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "framework/icon.h"
#include "framework/menu.h"
#include "framework/skinned_dialog.h"
#include "framework/tray_messages.h"

class CTrayDialog : public CSkinnedDialog {
public:
    // The shell call behind every add and delete of the icon. Tests put a recorder here.
    using ShellNotifyIconFn = BOOL(WINAPI*)(DWORD dwMessage, PNOTIFYICONDATAW lpData);
    static ShellNotifyIconFn s_pfnShellNotifyIcon;

    // Identifier of the dialog's one icon.
    static constexpr UINT kTrayIconId = 1;
    // Units of tip text the first-version record holds, terminator included.
    static constexpr int kTipUnits = 64;
    // A refused icon is tried again after the first wait, each wait twice the one before up to
    // the last; after that only a new taskbar brings another try.
    static constexpr UINT kFirstTrayRetryMs = 1000;
    static constexpr UINT kLastTrayRetryMs = 60000;
    static constexpr UINT_PTR kTrayRetryTimerId = 0x7A01;

    // Construction
    explicit CTrayDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
    ~CTrayDialog() override;

    // Configuration. Changes made while the icon is shown reach the shell at the next add.
    // The icon at the notification area's size for the display (16 pixels at 96 DPI), or null
    // (and no change) when the resource is missing. It is loaded again at the new size when the
    // taskbar, the display scale or the system's metrics change.
    HICON SetTrayIcon(UINT nIDResource);
    // Keeps as much of the text as the tip holds, 63 characters.
    void SetTrayTip(LPCWSTR lpszTip);
    // Shows the icon in grey, as a program does whose work is paused, or in colour again, at
    // every size it is loaded at from now on. Only the record changes: see UpdateTrayIcon.
    void SetTrayIconGrey(BOOL bGrey);
    BOOL SetTrayMenu(UINT nIDResource);
    void SetMinimizeToTray(BOOL bMinimizeToTray) { m_bMinimizeToTray = bMinimizeToTray; }

    // Operations: nonzero when the shell took the request, 0 when there was nothing to do.
    // An add the shell refuses is tried again on a timer while the window stays hidden; a
    // remove also deletes an icon whose refused add may have arrived late.
    BOOL AddTrayIcon();
    BOOL RemoveTrayIcon();
    // Hides a visible window to the tray once the icon is there, whatever the record says of
    // it; a window left visible means the shell refused.
    BOOL HideToTray();
    // Loads the icon at the notification area's present size, handing a shown icon the new
    // picture; nothing happens while the size is the same.
    void ReloadTrayIcon();
    // Hands a shown icon its picture and tip as the record has them now; an icon still to be
    // added takes them with its add.
    BOOL UpdateTrayIcon();

    // Attributes
    BOOL IsTrayIconShown() const { return m_bTrayIconShown; }
    const NOTIFYICONDATAW& GetTrayData() const { return m_nid; }
    // The wait before the next try of a refused icon, 0 when none is due.
    UINT GetTrayRetryDelay() const { return m_nTrayRetryMs; }

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
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);

    // The shell has the icon: the record says so and no retry is due.
    void TrayIconArrived();
    // The shell refused an add that may still arrive: a hidden window tries again from the
    // first wait, a visible one wants no icon.
    void TrayIconRefused();
    void StopTrayRetry();
    // Loads the icon at the notification area's size into the record; TRUE when it changed.
    BOOL LoadTrayIconForTray();
    // Loads the resource's icon at the size, grey when so asked, into the record.
    BOOL LoadTrayPicture(UINT nIDResource, int nSize);

    // Data members
    BOOL m_bTrayIconShown = FALSE;
    // TRUE after an add that the shell refused, until an add succeeds or the icon is removed:
    // at logon the program may start before the taskbar exists, or the shell may time out on
    // an add that it carries out later.
    BOOL m_bTrayIconPending = FALSE;
    UINT m_nTrayRetryMs = 0;
    NOTIFYICONDATAW m_nid{};
    CIcon m_iconTray; // m_nid's icon
    UINT m_nTrayIconResource = 0;
    int m_nTrayIconSize = 0;
    BOOL m_bTrayIconGrey = FALSE;
    CMenu m_menuTray;
    // Position, not identifier, of the tray menu's default item.
    UINT m_nDefaultMenuItem = 0;
    BOOL m_bMinimizeToTray = TRUE;

    DECLARE_MESSAGE_MAP()
};
