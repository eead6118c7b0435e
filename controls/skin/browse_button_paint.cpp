// CBrowseButton's painting: the frame, the caption face and the three drawn folder icons,
// each face composed in a bitmap of its own and copied to the control in one piece.
#include "controls/skin/browse_button.h"

#include <algorithm>
#include <cstdlib>
#include <span>

#include "framework/high_contrast.h"

namespace {

// The icons' fixed colours.
constexpr COLORREF K = RGB(0, 0, 0);       // black
constexpr COLORREF W = RGB(255, 255, 255); // white
constexpr COLORREF Y = RGB(255, 255, 0);   // yellow
constexpr COLORREF o = RGB(128, 128, 0);   // olive
constexpr COLORREF g = RGB(128, 128, 128); // grey
constexpr COLORREF l = RGB(192, 192, 192); // light grey
constexpr COLORREF a = RGB(0, 255, 255);   // cyan
constexpr COLORREF b = RGB(0, 0, 255);     // blue
constexpr COLORREF n = RGB(0, 0, 128);     // navy

// One straight stroke of a 1-pixel pen, both ends included.
struct Stroke {
    COLORREF cr;
    int x0, y0, x1, y1;
};

// A colour of an icon and the grey it becomes while the control is disabled.
struct DisabledColour {
    COLORREF crEnabled;
    COLORREF crDisabled;
};

constexpr Stroke kOpenFolder[] = {
    {K, 1, 13, 11, 13}, {K, 6, 8, 15, 8},   {K, 1, 5, 1, 12},   {K, 5, 5, 11, 5},
    {K, 12, 1, 15, 4},  {K, 12, 12, 15, 9}, {K, 2, 12, 5, 9},   {K, 2, 4, 4, 4},
    {K, 14, 4, 15, 3},  {K, 9, 2, 10, 1},   {K, 11, 6, 11, 7},  {K, 13, 4, 15, 2},
    {K, 11, 1, 11, 1},  {W, 2, 11, 7, 6},   {W, 2, 9, 5, 6},    {W, 2, 7, 4, 5},
    {W, 8, 7, 9, 6},    {W, 10, 7, 10, 7},  {W, 2, 5, 2, 5},    {Y, 2, 10, 6, 6},
    {Y, 2, 8, 4, 6},    {Y, 7, 7, 8, 6},    {Y, 2, 6, 3, 5},    {Y, 9, 7, 10, 6},
    {o, 5, 10, 13, 10}, {o, 3, 12, 11, 12}, {o, 4, 11, 12, 11}, {o, 6, 9, 14, 9},
};

constexpr Stroke kClosedFolder[] = {
    {K, 3, 13, 15, 13},  {K, 15, 4, 15, 12}, {K, 12, 7, 12, 8},  {K, 13, 10, 14, 11},
    {K, 14, 12, 14, 12}, {K, 13, 9, 13, 9},  {W, 1, 7, 10, 7},   {W, 9, 4, 13, 4},
    {W, 3, 2, 7, 2},     {W, 2, 3, 2, 5},    {W, 2, 10, 3, 11},  {W, 1, 8, 2, 9},
    {W, 8, 3, 8, 3},     {Y, 9, 8, 12, 11},  {Y, 4, 11, 7, 8},   {Y, 4, 3, 6, 5},
    {Y, 3, 10, 5, 8},    {Y, 8, 9, 10, 11},  {Y, 6, 3, 8, 5},    {Y, 3, 4, 4, 5},
    {Y, 6, 11, 7, 10},   {Y, 12, 5, 13, 6},  {Y, 8, 11, 11, 8},  {Y, 10, 5, 10, 5},
    {Y, 3, 8, 3, 8},     {g, 0, 6, 12, 6},   {g, 2, 12, 13, 12}, {g, 14, 3, 14, 10},
    {g, 3, 1, 7, 1},     {g, 9, 3, 13, 3},   {g, 1, 3, 1, 5},    {g, 0, 8, 1, 9},
    {g, 12, 9, 13, 8},   {g, 1, 10, 2, 11},  {g, 2, 2, 2, 2},    {g, 13, 11, 13, 11},
    {g, 8, 2, 8, 2},     {g, 0, 7, 0, 7},    {g, 11, 7, 11, 7},  {l, 2, 8, 5, 11},
    {l, 6, 8, 9, 11},    {l, 4, 8, 7, 11},   {l, 8, 8, 11, 11},  {l, 3, 3, 5, 5},
    {l, 5, 3, 7, 5},     {l, 10, 8, 12, 10}, {l, 7, 3, 9, 5},    {l, 11, 5, 11, 5},
    {l, 13, 5, 13, 5},   {l, 13, 7, 13, 7},  {l, 3, 5, 3, 5},
};

constexpr Stroke kFolderMagnifier[] = {
    {K, 14, 3, 14, 11},  {K, 1, 12, 8, 12},   {K, 6, 4, 8, 6},     {K, 6, 10, 8, 8},
    {K, 14, 13, 14, 14}, {K, 12, 15, 13, 15}, {K, 13, 12, 13, 12}, {W, 1, 3, 12, 3},
    {W, 1, 4, 1, 10},    {W, 3, 8, 6, 5},     {W, 3, 6, 4, 5},     {Y, 8, 4, 12, 8},
    {Y, 10, 8, 12, 10},  {Y, 10, 4, 12, 6},   {Y, 3, 1, 4, 2},     {Y, 5, 1, 6, 2},
    {Y, 12, 4, 12, 4},   {Y, 2, 2, 2, 2},     {Y, 2, 4, 2, 4},     {Y, 2, 10, 2, 10},
    {o, 13, 3, 13, 11},  {o, 2, 11, 7, 11},   {o, 9, 8, 12, 11},   {o, 9, 7, 9, 9},
    {g, 0, 2, 0, 11},    {g, 8, 2, 13, 2},    {g, 2, 0, 6, 0},     {g, 2, 8, 4, 10},
    {g, 7, 4, 9, 6},     {g, 2, 6, 4, 4},     {g, 5, 4, 5, 4},     {g, 7, 1, 7, 1},
    {g, 2, 7, 2, 7},     {g, 1, 1, 1, 1},     {l, 5, 10, 8, 7},    {l, 9, 4, 12, 7},
    {l, 11, 8, 12, 9},   {l, 7, 10, 8, 9},    {l, 1, 2, 2, 1},     {l, 6, 1, 7, 2},
    {l, 3, 2, 4, 1},     {l, 3, 10, 3, 10},   {l, 12, 5, 12, 5},   {l, 5, 2, 5, 2},
    {a, 9, 11, 12, 14},  {a, 5, 5, 7, 7},     {a, 3, 7, 5, 9},     {a, 4, 6, 6, 8},
    {b, 9, 10, 13, 14},  {b, 10, 10, 13, 13}, {n, 8, 11, 11, 14},
};

constexpr DisabledColour kOpenFolderDisabled[] = {{K, g}, {Y, l}, {o, g}};
constexpr DisabledColour kClosedFolderDisabled[] = {{K, g}, {Y, l}};
constexpr DisabledColour kFolderMagnifierDisabled[] = {{K, g}, {Y, l}, {o, l},
                                                       {a, W}, {b, g}, {n, g}};

COLORREF StrokeColour(COLORREF cr, std::span<const DisabledColour> disabled, bool bDisabled) {
    if (bDisabled)
        for (const DisabledColour& d : disabled)
            if (d.crEnabled == cr)
                return d.crDisabled;
    return cr;
}

// Mid grey and darker: the strokes that keep an icon's outline in High Contrast, drawn in the
// button's text colour while the light ones are left to the face.
bool IsDarkStroke(COLORREF cr) {
    return GetRValue(cr) * 30 + GetGValue(cr) * 59 + GetBValue(cr) * 11 <= 128 * 100;
}

// Draws every pixel of each stroke, both ends included, as the cell it covers at dpi: at
// 96 DPI the 1-pixel strokes themselves, above it the same picture, sharp, at the display's
// scale. The strokes run across, down or at 45 degrees.
void DrawStrokes(CDCHandle dc, std::span<const Stroke> strokes,
                 std::span<const DisabledColour> disabled, bool bDisabled, UINT dpi) {
    const bool bContrast = AfxIsHighContrast() != FALSE;
    const COLORREF crContrast = ::GetSysColor(bDisabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    for (const Stroke& s : strokes) {
        if (bContrast && !IsDarkStroke(s.cr))
            continue;
        COLORREF cr = bContrast ? crContrast : StrokeColour(s.cr, disabled, bDisabled);
        int dx = (s.x1 > s.x0) - (s.x1 < s.x0), dy = (s.y1 > s.y0) - (s.y1 < s.y0);
        int nPixels = std::max(std::abs(s.x1 - s.x0), std::abs(s.y1 - s.y0)) + 1;
        for (int i = 0; i < nPixels; ++i) {
            CRect cell = ScaledPixelCell(s.x0 + i * dx, s.y0 + i * dy, dpi);
            dc.FillSolidRect(&cell, cr);
        }
    }
}

void CopyFace(CDCHandle dc, CDC& memDC, const CRect& rcFace) {
    dc.BitBlt(rcFace.left, rcFace.top, rcFace.Width(), rcFace.Height(), memDC, 0, 0, SRCCOPY);
}

} // namespace

void CBrowseButton::OnPaint() {
    CPaintDC dc(this);
    DrawButton(dc);
}

LRESULT CBrowseButton::OnPrintClient(WPARAM wParam, LPARAM) {
    DrawButton(CDCHandle(reinterpret_cast<HDC>(wParam)));
    return 0;
}

void CBrowseButton::DrawButton(CDCHandle dc) {
    COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);
    DrawFrame(dc, crFace);
    CRect face = m_rcFace;
    // The face sinks when pressed.
    if (m_bPressed)
        face.OffsetRect(1, 1);
    if (!(m_dwOptions & BBS_ICON))
        DrawCaptionFace(dc, crFace, face);
    else if (m_dwOptions & BBS_OPENFOLDER)
        DrawOpenFolderIcon(dc, crFace, face);
    else if (m_dwOptions & BBS_CLOSEDFOLDER)
        DrawClosedFolderIcon(dc, crFace, face);
    else if (m_dwOptions & BBS_FOLDERMAGNIFIER)
        DrawFolderMagnifierIcon(dc, crFace, face);
    // A press leaves the focus on the button; it shows it inside the frame, as push buttons
    // do, unless the keyboard cues are hidden.
    if (::GetFocus() == m_hWnd && m_hWnd && !(SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS)) {
        CRect rcFocus = m_rcButton;
        rcFocus.DeflateRect(3, 3);
        ::DrawFocusRect(dc, &rcFocus);
    }
}

void CBrowseButton::DrawFrame(CDCHandle dc, COLORREF crFace) {
    dc.FillSolidRect(&m_rcButton, crFace);
    CRect rc = m_rcButton;
    if (m_dwOptions & BBS_FLAT) {
        if (m_bPressed)
            dc.Draw3dRect(&rc, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        else if (m_bHot)
            dc.Draw3dRect(&rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        return;
    }
    if (m_bPressed) {
        COLORREF crDark = ::GetSysColor(COLOR_3DDKSHADOW);
        COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
        dc.Draw3dRect(&rc, crDark, crDark);
        rc.DeflateRect(1, 1);
        dc.Draw3dRect(&rc, crShadow, crShadow);
    } else {
        dc.Draw3dRect(&rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
        rc.DeflateRect(1, 1);
        dc.Draw3dRect(&rc, ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }
}

template <class TDraw>
void CBrowseButton::DrawFace(CDCHandle dc, COLORREF crFace, const CRect& rcFace, TDraw draw) {
    CDC memDC;
    memDC.CreateCompatibleDC(dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(dc, rcFace.Width(), rcFace.Height());
    CSelectObject selectBitmap(memDC, std::move(bitmap));
    memDC.FillSolidRect(0, 0, rcFace.Width(), rcFace.Height(), crFace);
    draw(memDC);
    CopyFace(dc, memDC, rcFace);
}

void CBrowseButton::DrawCaptionFace(CDCHandle dc, COLORREF crFace, const CRect& rcFace) {
    if (m_strCaption.IsEmpty() || rcFace.IsRectEmpty())
        return;
    DrawFace(dc, crFace, rcFace, [this](CDC& memDC) {
        CSelectObject font(memDC, GetFont());
        memDC.SetBkMode(TRANSPARENT);
        const bool bDisabled = (GetStyle() & WS_DISABLED) != 0;
        if (AfxIsHighContrast()) {
            // High Contrast has a colour of its own for disabled text, and no relief.
            memDC.SetTextColor(::GetSysColor(bDisabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
            memDC.TextOut(0, 0, m_strCaption);
        } else if (bDisabled) {
            // Embossed: a highlight copy one pixel down and right, under the shadow copy.
            memDC.SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
            memDC.TextOut(1, 1, m_strCaption);
            memDC.SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
            memDC.TextOut(0, 0, m_strCaption);
        } else {
            memDC.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
            memDC.TextOut(0, 0, m_strCaption);
        }
    });
}

void CBrowseButton::DrawOpenFolderIcon(CDCHandle dc, COLORREF crFace, const CRect& rcFace) {
    bool bDisabled = (GetStyle() & WS_DISABLED) != 0;
    DrawFace(dc, crFace, rcFace, [&](CDC& memDC) {
        DrawStrokes(memDC, kOpenFolder, kOpenFolderDisabled, bDisabled, m_nDpi);
    });
}

void CBrowseButton::DrawClosedFolderIcon(CDCHandle dc, COLORREF crFace, const CRect& rcFace) {
    bool bDisabled = (GetStyle() & WS_DISABLED) != 0;
    DrawFace(dc, crFace, rcFace, [&](CDC& memDC) {
        DrawStrokes(memDC, kClosedFolder, kClosedFolderDisabled, bDisabled, m_nDpi);
    });
}

void CBrowseButton::DrawFolderMagnifierIcon(CDCHandle dc, COLORREF crFace, const CRect& rcFace) {
    bool bDisabled = (GetStyle() & WS_DISABLED) != 0;
    DrawFace(dc, crFace, rcFace, [&](CDC& memDC) {
        DrawStrokes(memDC, kFolderMagnifier, kFolderMagnifierDisabled, bDisabled, m_nDpi);
    });
}
