// CTransparentStatic: transparent text, and a repaint of the parent's background whenever
// the text changes, so that no trace of a longer old text stays behind. CTransparentCheckBox:
// the same text for a check box, whose text never changes.
#include "controls/skin/transparent_static.h"

#include "framework/high_contrast.h"

namespace {

// Text over the parent's background, which the parent has drawn already; in High Contrast
// the parent's picture is gone, and the text is the window's text over the window colour.
HBRUSH TransparentText(CDCHandle dc) {
    if (AfxIsHighContrast()) {
        dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        dc.SetBkColor(::GetSysColor(COLOR_WINDOW));
        return CBrushHandle::SysColor(COLOR_WINDOW);
    }
    dc.SetBkMode(TRANSPARENT);
    return CBrushHandle::Stock(NULL_BRUSH);
}

} // namespace

IMPLEMENT_DYNAMIC(CTransparentStatic, CStatic)

BEGIN_MESSAGE_MAP(CTransparentStatic, CStatic)
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

LRESULT CTransparentStatic::OnSetText(WPARAM, LPARAM) {
    LRESULT result = Default();
    CWnd* pParent = GetParent();
    if (pParent && pParent->m_hWnd) {
        CRect rc;
        GetWindowRect(&rc);
        pParent->ScreenToClient(&rc);
        pParent->InvalidateRect(&rc, TRUE);
        pParent->UpdateWindow();
    }
    return result;
}

HBRUSH CTransparentStatic::CtlColor(CDCHandle dc, UINT) { return TransparentText(dc); }

IMPLEMENT_DYNAMIC(CTransparentCheckBox, CButton)

BEGIN_MESSAGE_MAP(CTransparentCheckBox, CButton)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

HBRUSH CTransparentCheckBox::CtlColor(CDCHandle dc, UINT) { return TransparentText(dc); }
