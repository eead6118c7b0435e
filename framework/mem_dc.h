// CMemDC: an off-screen context over a target's clip box that copies itself back on
// destruction, so a control composes its face in one piece and never flickers.
#pragma once

#include "framework/gdi.h"

class CMemDC : public CDC {
public:
    // Drawing through this context uses the target's coordinates.
    explicit CMemDC(CDCHandle dc);
    ~CMemDC() override;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

private:
    CBitmap m_bitmap;               // the off-screen bitmap
    HGDIOBJ m_hOldBitmap = nullptr; // the bitmap selected before it
    CDCHandle m_dc;                 // the target
    CRect m_rect;                   // the area covered: the target's clip box
};
