// CSkinnedDialog: the skin's set-up and its one message map.
#include "framework/skinned_dialog.h"

namespace {

BOOL CALLBACK TellOfSysColors(HWND hChild, LPARAM) {
    ::SendMessageW(hChild, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

} // namespace

BEGIN_MESSAGE_MAP(CSkinnedDialog, CDialog)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_SYSCOLORCHANGE()
ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
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

void CSkinnedDialog::OnSysColorChange() {
    Default();
    FollowSystemColours();
}

LRESULT CSkinnedDialog::OnSettingChange(WPARAM wParam, LPARAM) {
    LRESULT result = Default();
    // High Contrast turned on or off changes what every control draws in, even where the
    // colours themselves stay the same.
    if (wParam == SPI_SETHIGHCONTRAST)
        FollowSystemColours();
    return result;
}

LRESULT CSkinnedDialog::OnThemeChanged(WPARAM, LPARAM) {
    LRESULT result = Default();
    FollowSystemColours();
    return result;
}

void CSkinnedDialog::FollowSystemColours() {
    ::EnumChildWindows(m_hWnd, &TellOfSysColors, 0);
    RedrawWindow(nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
