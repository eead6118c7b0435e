// CBitmapButton: an owner-drawn push button that shows a bitmap face for each state, or in
// High Contrast the system's own face for it.
#pragma once

#include "framework/controls.h"
#include "framework/gdi.h"

class CBitmapButton : public CButton {
    DECLARE_DYNAMIC(CBitmapButton)

public:
    // Loads the faces from the application's resources; 0 leaves a face out, and a state
    // without its own face shows the normal one. FALSE when the normal face is missing.
    BOOL LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel = 0,
                     UINT nIDBitmapResourceFocus = 0, UINT nIDBitmapResourceDisabled = 0);
    // The face DrawFrameControl draws in the system's colours while High Contrast is on: its
    // type and state (DFC_CAPTION, DFCS_CAPTIONCLOSE); a type of 0 keeps the bitmaps.
    void SetHighContrastFace(UINT nType, UINT nState) {
        m_nContrastType = nType;
        m_nContrastState = nState;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // The face drawn for a WM_DRAWITEM state (ODS_* bits), or null when none is loaded.
    HBITMAP FaceForState(UINT nItemState) const;

protected:
    // Data members
    CBitmap m_bitmap;
    CBitmap m_bitmapSel;
    CBitmap m_bitmapFocus;
    CBitmap m_bitmapDisabled;
    UINT m_nContrastType = 0;
    UINT m_nContrastState = 0;
};
