// CBitmapButton: face selection and drawing.
#include "framework/bitmap_button.h"

#include "framework/high_contrast.h"

namespace {

BOOL LoadOptional(CBitmap& bitmap, UINT nID) {
    bitmap.DeleteObject();
    return nID ? bitmap.LoadBitmap(nID) : FALSE;
}

// Copies the whole bitmap to the rectangle's top-left corner; the face is drawn at its own
// size, so a button sized to its bitmap shows it one to one.
void PaintFace(HDC hdcTarget, const RECT& rc, HBITMAP hFace) {
    DrawBitmap(hdcTarget, hFace, CRect(CPoint(rc.left, rc.top), BitmapSize(hFace)));
}

} // namespace

IMPLEMENT_DYNAMIC(CBitmapButton, CButton)

BOOL CBitmapButton::LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel,
                                UINT nIDBitmapResourceFocus, UINT nIDBitmapResourceDisabled) {
    LoadOptional(m_bitmapSel, nIDBitmapResourceSel);
    LoadOptional(m_bitmapFocus, nIDBitmapResourceFocus);
    LoadOptional(m_bitmapDisabled, nIDBitmapResourceDisabled);
    return LoadOptional(m_bitmap, nIDBitmapResource);
}

HBITMAP CBitmapButton::FaceForState(UINT nItemState) const {
    const CBitmap* face = &m_bitmap;
    if ((nItemState & ODS_SELECTED) && !m_bitmapSel.IsNull())
        face = &m_bitmapSel;
    else if ((nItemState & ODS_FOCUS) && !m_bitmapFocus.IsNull())
        face = &m_bitmapFocus;
    else if ((nItemState & ODS_DISABLED) && !m_bitmapDisabled.IsNull())
        face = &m_bitmapDisabled;
    return *face;
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    UINT nState = lpDrawItemStruct->itemState;
    if (m_nContrastType && AfxIsHighContrast()) {
        UINT nFrameState = m_nContrastState | ((nState & ODS_SELECTED) ? DFCS_PUSHED : 0U) |
                           ((nState & ODS_DISABLED) ? DFCS_INACTIVE : 0U);
        RECT rc = lpDrawItemStruct->rcItem;
        ::DrawFrameControl(lpDrawItemStruct->hDC, &rc, m_nContrastType, nFrameState);
    } else if (HBITMAP face = FaceForState(nState)) {
        PaintFace(lpDrawItemStruct->hDC, lpDrawItemStruct->rcItem, face);
    }
    // Without a face of its own for the focus, the focused button shows it as push buttons
    // do, once the user works with the keyboard (the button then leaves out ODS_NOFOCUSRECT).
    if ((nState & ODS_FOCUS) && !(nState & ODS_NOFOCUSRECT) && m_bitmapFocus.IsNull())
        ::DrawFocusRect(lpDrawItemStruct->hDC, &lpDrawItemStruct->rcItem);
}
