// GDI wrapper operations that are more than a call.
#include "framework/gdi.h"

#include <algorithm>
#include <vector>

#include "framework/module.h"
#include "framework/report.h"
#include "framework/wnd.h"

namespace afx {

// Their handles stay the same for the life of the process, so they are collected once;
// painters create objects often enough for the lookup to matter.
bool IsSharedGdiObject(HGDIOBJ hObject) {
    static const std::vector<HGDIOBJ> shared = [] {
        std::vector<HGDIOBJ> handles;
        for (int i = WHITE_BRUSH; i <= DC_PEN; ++i)
            handles.push_back(::GetStockObject(i));
        for (int i = COLOR_SCROLLBAR; i <= COLOR_MENUBAR; ++i)
            handles.push_back(::GetSysColorBrush(i));
        std::sort(handles.begin(), handles.end());
        return handles;
    }();
    return std::binary_search(shared.begin(), shared.end(), hObject);
}

HWND WindowHandleOf(CWnd* pWnd) { return pWnd ? pWnd->m_hWnd : nullptr; }

} // namespace afx

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
    return Replace(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource)));
}

void CDCHandle::FillSolidRect(LPCRECT lpRect, COLORREF crColor) {
    // ExtTextOut with an opaque rectangle fills without creating a brush.
    COLORREF crOld = ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, crOld);
}

void CDCHandle::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor) {
    // A negative extent counts back from x or y, as Draw3dRect uses it for the far edges.
    CRect rect(x, y, x + cx, y + cy);
    rect.NormalizeRect();
    FillSolidRect(&rect, crColor);
}

void CDCHandle::Draw3dRect(LPCRECT lpRect, COLORREF crTopLeft, COLORREF crBottomRight) {
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, crTopLeft, crBottomRight);
}

void CDCHandle::Draw3dRect(int x, int y, int cx, int cy, COLORREF crTopLeft,
                           COLORREF crBottomRight) {
    FillSolidRect(x, y, cx - 1, 1, crTopLeft);
    FillSolidRect(x, y, 1, cy - 1, crTopLeft);
    FillSolidRect(x + cx, y, -1, cy, crBottomRight);
    FillSolidRect(x, y + cy, cx, -1, crBottomRight);
}

CSize BitmapSize(HBITMAP hBitmap) {
    BITMAP bm{};
    if (!hBitmap || !::GetObjectW(hBitmap, sizeof(bm), &bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

BOOL DrawBitmap(CDCHandle dc, HBITMAP hBitmap, const CRect& rcTarget) {
    CSize size = BitmapSize(hBitmap);
    CDC memDC;
    if (size.cx <= 0 || size.cy <= 0 || !memDC.CreateCompatibleDC(dc))
        return FALSE;
    CSelectObject select(memDC, hBitmap);
    if (rcTarget.Size() == size)
        return dc.BitBlt(rcTarget.left, rcTarget.top, size.cx, size.cy, memDC, 0, 0, SRCCOPY);
    return dc.StretchBlt(rcTarget.left, rcTarget.top, rcTarget.Width(), rcTarget.Height(), memDC, 0,
                         0, size.cx, size.cy, SRCCOPY);
}
