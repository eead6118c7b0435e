// CMemDC: composes off-screen over the target's clip box and copies the result back.
#include "framework/mem_dc.h"

CMemDC::CMemDC(CDCHandle target) : m_target(target) {
    target.GetClipBox(&m_rect);
    m_memDC.CreateCompatibleDC(target);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(target, m_rect.Width(), m_rect.Height());
    m_selectBitmap.emplace(m_memDC, std::move(bitmap));
    m_hDC = m_memDC;
    SetWindowOrg(m_rect.left, m_rect.top);
}

CMemDC::~CMemDC() {
    m_target.BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left,
                    m_rect.top, SRCCOPY);
}
