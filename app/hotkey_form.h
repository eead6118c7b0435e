// CHotkeyFormDlg: the main form. It owns the key slots, receives the hotkey driver's
// messages and starts the assigned programs. It stays hidden until asked to show.
#pragma once

#include "app/messages.h"
#include "app/settings_store.h"
#include "controls/list/xlist_ctrl.h"
#include "framework/controls.h"
#include "framework/dialog.h"

class CHotkeyFormDlg : public CDialog, public CHotkeySettingsStore {
public:
    explicit CHotkeyFormDlg(CWnd* pParent = nullptr);
    ~CHotkeyFormDlg() override;

    // Joins the foreground thread's input, takes the foreground and focus, and parts again.
    void BringToForeground();
    // Starts the slot's program; failures are silent.
    static void LaunchSlot(const KEYSLOT& slot);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void InitFormWindow();
    void InitKeyList();
    void AddKeyRow(int nIndex, const CString& strKey, const CString& strPath);

    // Message handlers
    // LRESULT OnFnHotkey(WPARAM wParam, LPARAM lParam)
    LRESULT OnFnHotkey(WPARAM wParam, LPARAM lParam);
    // void OnWindowPosChanging(WINDOWPOS* lpwndpos)
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);

    HICON m_hIcon;
    CXListCtrl m_listKeys;
    BOOL m_bStartHidden = TRUE;

    DECLARE_MESSAGE_MAP()
};
