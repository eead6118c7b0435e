// CSkinnedDialog: the skin's set-up and its one message map.
#include "framework/skinned_dialog.h"

BEGIN_MESSAGE_MAP(CSkinnedDialog, CDialog)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CSkinnedDialog::CSkinnedDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd) {}

BOOL CSkinnedDialog::OnInitDialog() {
    BOOL result = CDialog::OnInitDialog();
    if (m_skinLook.pfnLoadBitmap)
        m_skin.Attach(*this, m_skinLook);
    return result;
}

void CSkinnedDialog::OnSkinDpiChanged(UINT) {}

void CSkinnedDialog::OnPaint() {
    if (!m_skin.IsAttached()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    HICON hIcon = m_skin.GetSharedIcon();
    if (!hIcon || !IsIconic()) {
        m_skin.DrawBackground(dc, rc);
        return;
    }
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));
    int x = (rc.Width() - m_skin.GetSystemMetric(SM_CXICON) + 1) / 2;
    int y = (rc.Height() - m_skin.GetSystemMetric(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, hIcon);
}

void CSkinnedDialog::OnLButtonDown(UINT, CPoint point) {
    if (m_skin.IsAttached())
        m_skin.DragByBackground(point);
    else
        Default();
}

LRESULT CSkinnedDialog::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
    if (!m_skin.IsAttached())
        return Default();
    if (UINT dpi = m_skin.MoveToDpi(wParam, lParam))
        OnSkinDpiChanged(dpi);
    return 0;
}

LRESULT CSkinnedDialog::OnPrintClient(WPARAM wParam, LPARAM) {
    if (!m_skin.IsAttached())
        return Default();
    CRect rc;
    GetClientRect(&rc);
    m_skin.DrawBackground(CDCHandle(reinterpret_cast<HDC>(wParam)), rc);
    return 0;
}
