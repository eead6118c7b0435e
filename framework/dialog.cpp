// CDialog: template loading, the modal loop and dialog data exchange.
#include "framework/dialog.h"

#include "framework/winapp.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd)
        return;
    HWND hControl = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
    rControl.SubclassWindow(hControl);
}

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* pDlg = dynamic_cast<CDialog*>(FromHandlePermanent(hWnd));
    return pDlg ? pDlg->HandleInitDialog() : TRUE;
}

BOOL CDialog::HandleInitDialog() {
    CRect before;
    GetWindowRect(&before);
    BOOL result = OnInitDialog();
    // A dialog that placed itself keeps its place; any other one is centred.
    CRect after;
    if (m_hWnd) {
        GetWindowRect(&after);
        if (after.TopLeft() == before.TopLeft())
            CenterWindow();
    }
    return result;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_bEndModal = true;
    // Wakes the modal loop if it is waiting for a message.
    if (m_hWnd)
        PostMessage(WM_NULL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) { return m_hWnd && ::IsDialogMessageW(m_hWnd, pMsg); }

BOOL CDialog::OnCmdMsg(UINT nID, UINT nCode, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (CWnd::OnCmdMsg(nID, nCode, wParam, lParam, pResult))
        return TRUE;
    // Plain commands the dialog does not handle get a last chance at the application.
    if (nCode != 0 || nID >= 0xF000)
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, wParam, lParam, pResult);
}

INT_PTR CDialog::DoModal() {
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceW(hInst, MAKEINTRESOURCEW(m_nIDTemplate), MAKEINTRESOURCEW(5));
    HGLOBAL hGlobal = hRes ? ::LoadResource(hInst, hRes) : nullptr;
    auto* pTemplate = hGlobal ? static_cast<LPCDLGTEMPLATEW>(::LockResource(hGlobal)) : nullptr;
    if (!pTemplate)
        return -1;

    // Without a parent the dialog is owned by the main window, unless it is the main window.
    HWND hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!hOwner) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain && pMain != this)
            hOwner = pMain->m_hWnd;
    }
    if (hOwner && (::GetWindowLongPtrW(hOwner, GWL_STYLE) & WS_CHILD))
        hOwner = ::GetAncestor(hOwner, GA_ROOT);
    bool enableOwner = false;
    if (hOwner && ::IsWindowEnabled(hOwner)) {
        ::EnableWindow(hOwner, FALSE);
        enableOwner = true;
    }

    m_nModalResult = -1;
    m_bEndModal = false;
    HWND hWnd = nullptr;
    if (HookWindowCreate()) {
        hWnd = ::CreateDialogIndirectParamW(hInst, pTemplate, hOwner, &CDialog::DialogProc, 0);
        UnhookWindowCreate();
    }

    if (hWnd && m_hWnd == hWnd)
        RunModalLoop();
    else if (hWnd)
        ::DestroyWindow(hWnd); // missed by the hook: no object would handle it

    if (enableOwner)
        ::EnableWindow(hOwner, TRUE);
    if (m_hWnd) {
        if (hOwner && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(hOwner);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    return m_nModalResult;
}

void CDialog::RunModalLoop() {
    bool showOnIdle = !(GetStyle() & WS_VISIBLE);
    MSG msg;
    while (!m_bEndModal && m_hWnd) {
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            // Idle: the dialog is shown once its start-up messages have been handled.
            if (showOnIdle) {
                showOnIdle = false;
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
            }
            CWnd::DeleteTempMap();
            if (m_bEndModal || !m_hWnd)
                break;
        }
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            // The quit message ends this loop and every loop outside it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_nModalResult = -1;
            break;
        }
        if (!AfxPreTranslateMessage(&msg, m_hWnd)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}
