// Background and dragging of the skinned dialogs.
#include "app/skinned_dialog.h"

void StretchBackground(CDCHandle dc, const CRect& rcClient, const CBitmap& bmpBack) {
    BITMAP bm{};
    if (bmpBack.IsNull() || !bmpBack.GetBitmap(&bm))
        return;
    CDC memDC;
    if (!memDC.CreateCompatibleDC(dc))
        return;
    CSelectObject select(memDC, bmpBack);
    dc.StretchBlt(rcClient.left, rcClient.top, rcClient.Width(), rcClient.Height(), memDC, 0, 0,
                  bm.bmWidth, bm.bmHeight, SRCCOPY);
}

void PaintSkinnedBackground(CWnd& wnd, const CBitmap& bmpBack) {
    CPaintDC dc(&wnd);
    CRect rc;
    wnd.GetClientRect(&rc);
    StretchBackground(dc, rc, bmpBack);
}

void DragByBackground(CWnd& wnd, CPoint point) {
    // Posted, not sent: the platform's move loop starts once this press has been handled.
    wnd.PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    wnd.Default();
}
