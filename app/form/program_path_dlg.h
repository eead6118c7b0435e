// CProgramPathDlg: the small captionless dialog in which the user picks the program of one
// key. Apply hands the chosen path to the main form while the dialog is still open.
#pragma once

#include "app/keys/key_capture.h"
#include "app/launch/launch_options.h"
#include "framework/tray_dialog.h"
#include "controls/skin/browse_button.h"
#include "controls/skin/transparent_static.h"

class CHotkeyFormDlg;

class CProgramPathDlg : public CTrayDialog {
public:
    // The browse control's notification after each browse.
    static constexpr UINT kBrowseNotifyMessage = WM_APP + 100;

    CProgramPathDlg();
    ~CProgramPathDlg() override;

    // The form to tell on Apply, the key's label, its current path and its list row.
    void SetEntry(CHotkeyFormDlg* pOwner, CString strKey, CString strPath, int nRow);
    int GetRow() const { return m_nRow; }
    // The path the user chose, taken from the browse control when Apply was pressed.
    const CString& GetChosenPath() const { return m_strPath; }
    // How the program starts: shown when the dialog opens, and as chosen once Apply is pressed.
    void SetLaunchOptions(const LAUNCHOPTIONS& options) { m_launch = options; }
    const LAUNCHOPTIONS& GetChosenOptions() const { return m_launch; }
    // Tells the user, over this dialog, that the chosen program could not be kept: the file
    // that refused it and the platform's reason.
    void ReportSaveFailure(const CString& strFile, DWORD dwError);
    // The key's own combination shown when the dialog opens, and the one shown when Apply was
    // pressed.
    void SetHotkey(const KEYCOMBINATION& combination) { m_hotkey = combination; }
    const KEYCOMBINATION& GetChosenHotkey() const { return m_hotkey; }
    // Tells the user, over this dialog, why the chosen combination cannot be taken; the
    // dialog then stays open.
    void RefuseHotkey(const CString& strWhy);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // Message handlers
    // IDOK, also Enter.
    void OnApply();
    void OnClearHotkey();
    // While the combination field has the focus, the form's own combinations are let go, so
    // that a press of one is captured rather than starting its program.
    void OnHotkeyFocus();
    void OnHotkeyBlur();
    // The path browsed or typed: the options only a program has follow it.
    LRESULT OnPathBrowsed(WPARAM wParam, LPARAM lParam);
    void OnPathChanged();

    void ShowLaunchOptions();
    void ReadLaunchOptions();

    // Data members
    CString m_strKey;
    CString m_strPath;
    int m_nRow = -1;
    CTransparentStatic m_stKey;
    CTransparentStatic m_stLabel;
    CHotkeyFormDlg* m_pOwner = nullptr;
    CBrowseButton m_btnBrowse;
    CTransparentStatic m_stHotkeyLabel;
    CKeyCaptureEdit m_editHotkey;
    KEYCOMBINATION m_hotkey;
    bool m_bHotkeyRefused = false;
    LAUNCHOPTIONS m_launch;
    CTransparentStatic m_stStartIn;
    CBrowseButton m_btnStartIn; // folder mode
    CTransparentStatic m_stWindow;
    CTransparentCheckBox m_chkAdmin;
    CTransparentStatic m_stIfRunning;

    DECLARE_MESSAGE_MAP()
};
