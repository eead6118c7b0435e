// CDialog: dialogs from templates, run modally in a loop of their own; dialog data exchange.
#pragma once

#include "framework/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Binds the dialog's control nIDC to rControl by subclassing it, once.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Creates the dialog over a disabled owner and runs it until EndDialog or a quit message.
    // Returns the EndDialog result, or -1 when the dialog could not be created or a quit
    // message ended the run.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    // Moves the focus to the control as the dialog manager does, default button included.
    void GotoDlgCtrl(const CWnd& wndCtrl) {
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(wndCtrl.m_hWnd), TRUE);
    }

    // Overridables
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, UINT nCode, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // From EndDialog on, also while the dialog's windows go and focus leaves its controls.
    bool IsEnding() const { return m_bEndModal; }

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL HandleInitDialog();
    void RunModalLoop();

    int m_nModalResult = -1;
    bool m_bEndModal = false;
};
