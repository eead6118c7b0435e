// CProgramPathDlg: the small captionless dialog that edits one key entry: its program, its own
// key combination and how the program starts. An entry goes in and the edited entry comes out;
// Apply tells the owner window while the dialog is still open, and the owner may refuse it.
#pragma once

#include <functional>

#include "app/keys/key_capture.h"
#include "app/settings/settings_store.h"
#include "framework/tray_dialog.h"
#include "controls/skin/browse_button.h"
#include "controls/skin/transparent_static.h"

// The owner's answer to WM_PATH_APPLIED: kPathTaken, or the address of a PATHREFUSAL that
// stays valid until the owner's next answer.
constexpr LRESULT kPathTaken = 1;
struct PATHREFUSAL {
    CString strMessage; // shown over the dialog
    // The user may choose again (a key combination that is taken); otherwise the entry could
    // not be kept at all and the dialog closes.
    bool bChooseAgain = false;
    // The field to choose again in; 0: the key combination.
    int nFieldId = 0;
};

class CProgramPathDlg : public CTrayDialog {
public:
    // The browse control's notification after each browse.
    static constexpr UINT kBrowseNotifyMessage = WM_APP + 100;

    CProgramPathDlg();
    ~CProgramPathDlg() override;

    // The entry to edit, the key's label, and the window told on Apply with WM_PATH_APPLIED.
    void SetEntry(HWND hwndOwner, CString strKey, const KEYSLOT& entry);
    // An entry of the user's own, new or not: its name is a field in the key label's place.
    void SetOwnEntry(HWND hwndOwner, const KEYSLOT& entry);
    // The entry as shown when the dialog opened, and as chosen once Apply was pressed.
    const KEYSLOT& GetEntry() const { return m_entry; }
    // Called with true while the key combination field has the focus, so that the launcher's
    // own combinations can be let go and a press of one is captured rather than starting its
    // program; with false when the focus leaves it while the dialog stays open.
    void SetCaptureHandler(std::function<void(bool bCapturing)> onCapture) {
        m_onCapture = std::move(onCapture);
    }

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
    KEYSLOT m_entry;
    HWND m_hwndOwner = nullptr;
    bool m_bOwnEntry = false;
    std::function<void(bool bCapturing)> m_onCapture;
    CTransparentStatic m_stKey;
    CTransparentStatic m_stLabel;
    CBrowseButton m_btnBrowse;
    CTransparentStatic m_stHotkeyLabel;
    CKeyCaptureEdit m_editHotkey;
    CTransparentStatic m_stStartIn;
    CBrowseButton m_btnStartIn; // folder mode
    CTransparentStatic m_stWindow;
    CTransparentCheckBox m_chkAdmin;
    CTransparentStatic m_stIfRunning;

    DECLARE_MESSAGE_MAP()
};
