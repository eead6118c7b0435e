// CMemDC: composes off-screen over the target's clip box and copies the result back.
#include "controls/list/mem_dc.h"

CMemDC::CMemDC(CDC* pDC) : m_pDC(pDC) {
    // A printer gets the drawing directly: its output is not a screen that could flicker.
    if (pDC->IsPrinting()) {
        m_bPrinting = TRUE;
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
        return;
    }
    m_bMemDC = TRUE;
    pDC->GetClipBox(&m_rect);
    CreateCompatibleDC(pDC->m_hDC);
    m_bitmap.CreateCompatibleBitmap(pDC->m_hDC, m_rect.Width(), m_rect.Height());
    m_hOldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
}

CMemDC::~CMemDC() {
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left,
                      m_rect.top, SRCCOPY);
        SelectObject(m_hOldBitmap);
    } else {
        Detach();
    }
    // The bitmap member and the base then delete the bitmap and the memory context.
}
