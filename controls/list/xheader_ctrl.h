// CXHeaderCtrl: the list's column header, painted off-screen in the system's button colours,
// with an image at the left of each item, a bitmap at the right and blue centred text (in High
// Contrast, the button text colour).
#pragma once

#include "framework/controls.h"

class CXHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNCREATE(CXHeaderCtrl)

public:
    // The gap between an item's edge, image, bitmap and text at 96 DPI.
    static constexpr int kSpacingAt96Dpi = 6;

    // Data members
    BOOL m_bDoubleBuffer = TRUE;      // paint through an off-screen bitmap
    int m_nSpacing = kSpacingAt96Dpi; // the gap at the header's DPI
    int m_cxImage = 0;                // size of the image list's images, from image 0
    int m_cyImage = 0;
    COLORREF m_crHighlight; // cached system colours, re-read on WM_SYSCOLORCHANGE
    COLORREF m_crShadow;
    COLORREF m_crFace;
    COLORREF m_crText;

    // Construction
    CXHeaderCtrl();
    ~CXHeaderCtrl() override;

    // Operations
    // Paints every item that meets the context's clip box, the dividers and the frame.
    void DrawHeader(CDCHandle dc);

    // Overridables
    // The owner-draw virtual of the base stays as it is: it draws nothing.
    using CHeaderCtrl::DrawItem;
    // Draws one ordinary item into rect, which is already inset by m_nSpacing on both sides.
    virtual void DrawItem(CDCHandle dc, CRect rect, LPHDITEMW lphdi);

protected:
    // Each returns the width it used, or 0 when it drew nothing.
    int DrawItemImage(CDCHandle dc, CRect rect, LPHDITEMW lphdi, BOOL bRight);
    int DrawItemBitmap(CDCHandle dc, CRect rect, LPHDITEMW lphdi, HBITMAP hBitmap,
                       const BITMAP* pBitmapInfo, BOOL bRight);
    int DrawItemText(CDCHandle dc, CRect rect, LPHDITEMW lphdi);

    void ReadSysColors();

    // Message handlers
    LRESULT OnSetImageList(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    // wParam: the context to paint into.
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void OnSysColorChange();
    BOOL OnEraseBkgnd(CDCHandle dc);

    DECLARE_MESSAGE_MAP()
};
