// CMemDC: an off-screen context over a target's clip box that copies itself back on
// destruction, so a control composes its face in one piece and never flickers.
#pragma once

#include <optional>

#include "framework/gdi.h"

class CMemDC : public CDCHandle {
public:
    // Drawing through this context uses the target's coordinates.
    explicit CMemDC(CDCHandle target);
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;
    ~CMemDC();

private:
    CDCHandle m_target;
    CRect m_rect; // the area covered: the target's clip box
    CDC m_memDC;
    std::optional<CSelectObject> m_selectBitmap; // the off-screen bitmap, owned
};
