// CMemDC: composes off-screen over the target's clip box and copies the result back.
#include "framework/mem_dc.h"

CMemDC::CMemDC(CDCHandle dc) : m_dc(dc) {
    // A printer gets the drawing directly: its output is not a screen that could flicker.
    if (dc.IsPrinting()) {
        m_bPrinting = TRUE;
        m_hDC = dc.m_hDC;
        m_hAttribDC = dc.m_hAttribDC;
        return;
    }
    m_bMemDC = TRUE;
    dc.GetClipBox(&m_rect);
    CreateCompatibleDC(dc.m_hDC);
    m_bitmap.CreateCompatibleBitmap(dc.m_hDC, m_rect.Width(), m_rect.Height());
    m_hOldBitmap = SelectObject(m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
}

CMemDC::~CMemDC() {
    if (m_bMemDC) {
        m_dc.BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left,
                    m_rect.top, SRCCOPY);
        SelectObject(m_hOldBitmap);
    } else {
        Detach();
    }
    // The bitmap member and the base then delete the bitmap and the memory context.
}
