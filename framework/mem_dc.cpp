// CMemDC: composes off-screen over the target's clip box and copies the result back.
#include "framework/mem_dc.h"

CMemDC::CMemDC(CDCHandle dc) : m_dc(dc) {
    dc.GetClipBox(&m_rect);
    CreateCompatibleDC(dc.m_hDC);
    m_bitmap.CreateCompatibleBitmap(dc.m_hDC, m_rect.Width(), m_rect.Height());
    m_hOldBitmap = SelectObject(m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
}

CMemDC::~CMemDC() {
    m_dc.BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left,
                m_rect.top, SRCCOPY);
    SelectObject(m_hOldBitmap);
    // The bitmap member and the base then delete the bitmap and the memory context.
}
