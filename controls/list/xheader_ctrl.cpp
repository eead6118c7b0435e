// CXHeaderCtrl: the header paints every item itself, off-screen, in one pass over the
// update area.
#include "controls/list/xheader_ctrl.h"

#include <algorithm>

#include "framework/high_contrast.h"
#include "framework/mem_dc.h"

namespace {

constexpr UINT kItemMask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
constexpr int kMaxItemText = 160;
constexpr COLORREF kItemTextColor = RGB(0, 0, 255);
constexpr UINT kItemTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

} // namespace

IMPLEMENT_DYNCREATE(CXHeaderCtrl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CXHeaderCtrl, CHeaderCtrl)
ON_MESSAGE(HDM_SETIMAGELIST, OnSetImageList)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_SYSCOLORCHANGE()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CXHeaderCtrl::CXHeaderCtrl() { ReadSysColors(); }

CXHeaderCtrl::~CXHeaderCtrl() = default;

void CXHeaderCtrl::ReadSysColors() {
    m_crHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_crFace = ::GetSysColor(COLOR_BTNFACE);
    m_crText = ::GetSysColor(COLOR_BTNTEXT);
}

// --- Messages --------------------------------------------------------------------------------

LRESULT CXHeaderCtrl::OnSetImageList(WPARAM, LPARAM lParam) {
    // Every image of a list has the size of image 0.
    IMAGEINFO info{};
    auto hImageList = reinterpret_cast<HIMAGELIST>(lParam);
    if (hImageList && ::ImageList_GetImageInfo(hImageList, 0, &info)) {
        m_cxImage = info.rcImage.right - info.rcImage.left;
        m_cyImage = info.rcImage.bottom - info.rcImage.top;
    }
    return Default();
}

void CXHeaderCtrl::OnPaint() {
    CPaintDC dc(this);
    if (m_bDoubleBuffer) {
        CMemDC memDC(dc);
        DrawHeader(memDC);
    } else {
        DrawHeader(dc);
    }
}

LRESULT CXHeaderCtrl::OnPrintClient(WPARAM wParam, LPARAM) {
    DrawHeader(CDCHandle(reinterpret_cast<HDC>(wParam)));
    return 0;
}

void CXHeaderCtrl::OnSysColorChange() {
    Default();
    ReadSysColors();
}

BOOL CXHeaderCtrl::OnEraseBkgnd(CDCHandle) { return TRUE; }

// --- Painting --------------------------------------------------------------------------------

void CXHeaderCtrl::DrawHeader(CDCHandle dc) {
    CRect rcClip;
    if (dc.GetClipBox(&rcClip) == ERROR)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    dc.FillSolidRect(&rcClip, m_crFace);

    int nItems = GetItemCount();

    CPen penHighlight(PS_SOLID, 1, m_crHighlight);
    CPen penShadow(PS_SOLID, 1, m_crShadow);
    auto drawDivider = [&dc](const CPen& pen, int x, const CRect& rcItem) {
        CSelectObject selectPen(dc, pen);
        dc.MoveTo(x, rcItem.top + 2);
        dc.LineTo(x, rcItem.bottom - 2);
    };
    CSelectObject selectFont(dc, GetFont());
    dc.SetBkColor(m_crFace);
    dc.SetTextColor(m_crText);

    int nTotalWidth = 0;
    for (int i = 0; i < nItems; ++i) {
        int nIndex = OrderToIndex(i);
        wchar_t szText[kMaxItemText] = {};
        HDITEMW hdi{};
        hdi.mask = kItemMask;
        hdi.pszText = szText;
        hdi.cchTextMax = kMaxItemText;
        GetItem(nIndex, &hdi);
        CRect rcItem;
        GetItemRect(nIndex, &rcItem);

        if (rcItem.right >= rcClip.left && rcItem.left <= rcClip.right) {
            if (hdi.fmt & HDF_OWNERDRAW) {
                DRAWITEMSTRUCT dis{};
                dis.CtlType = ODT_HEADER;
                dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
                dis.itemID = static_cast<UINT>(nIndex);
                dis.itemAction = ODA_DRAWENTIRE;
                dis.itemState = 0;
                dis.hwndItem = m_hWnd;
                dis.hDC = dc;
                dis.rcItem = rcItem;
                dis.itemData = 0;
                DrawItem(&dis);
            } else {
                CRect rcInner = rcItem;
                rcInner.DeflateRect(m_nSpacing, 0);
                DrawItem(dc, rcInner, &hdi);
            }

            if (i < nItems - 1) {
                drawDivider(penShadow, rcItem.right - 1, rcItem);
                drawDivider(penHighlight, rcItem.right, rcItem);
            }
        }
        nTotalWidth += hdi.cxy;
    }

    if (nTotalWidth > 0)
        dc.Draw3dRect(rcClient.left, rcClient.top, nTotalWidth, rcClient.Height(), m_crHighlight,
                      m_crShadow);
}

void CXHeaderCtrl::DrawItem(CDCHandle dc, CRect rect, LPHDITEMW lphdi) {
    BITMAP bm{};
    HBITMAP hBitmap = nullptr;
    if ((lphdi->fmt & HDF_BITMAP) && ::GetObjectType(lphdi->hbm) == OBJ_BITMAP &&
        ::GetObjectW(lphdi->hbm, sizeof(bm), &bm))
        hBitmap = lphdi->hbm;

    int w = DrawItemImage(dc, rect, lphdi, FALSE);
    if (w != 0)
        rect.left += w + m_nSpacing;
    w = DrawItemBitmap(dc, rect, lphdi, hBitmap, &bm, TRUE);
    if (w != 0)
        rect.right -= w + m_nSpacing;
    DrawItemText(dc, rect, lphdi);
}

int CXHeaderCtrl::DrawItemImage(CDCHandle dc, CRect rect, LPHDITEMW lphdi, BOOL bRight) {
    HIMAGELIST hImageList = GetImageList();
    // Image 0 is the "no check box" state of the list's columns: it is never drawn.
    if (lphdi->iImage == 0 || !hImageList || rect.Width() <= 0)
        return 0;

    IMAGELISTDRAWPARAMS ildp{};
    ildp.cbSize = sizeof(ildp);
    ildp.himl = hImageList;
    ildp.i = lphdi->iImage;
    ildp.hdcDst = dc;
    ildp.x = bRight ? rect.right - m_cxImage : rect.left;
    ildp.y = (rect.top + rect.bottom) / 2 - m_cyImage / 2;
    ildp.cx = std::min(rect.Width(), m_cxImage);
    ildp.cy = m_cyImage;
    ildp.rgbBk = CLR_DEFAULT;
    ildp.rgbFg = CLR_DEFAULT;
    ildp.fStyle = ILD_NORMAL;
    ildp.dwRop = SRCCOPY;

    // The image's transparent parts take the header's face colour.
    COLORREF crOldBk = ::ImageList_SetBkColor(hImageList, dc.GetBkColor());
    ::ImageList_DrawIndirect(&ildp);
    ::ImageList_SetBkColor(hImageList, crOldBk);
    return m_cxImage;
}

int CXHeaderCtrl::DrawItemBitmap(CDCHandle dc, CRect rect, LPHDITEMW, HBITMAP hBitmap,
                                 const BITMAP* pBitmapInfo, BOOL bRight) {
    if (!hBitmap || rect.Width() <= 0 || pBitmapInfo->bmWidth > rect.Width())
        return 0;

    int x = bRight ? rect.right - pBitmapInfo->bmWidth : rect.left;
    int y = (rect.top + rect.bottom) / 2 - pBitmapInfo->bmHeight / 2;
    CRect rcBitmap(x, y, x + pBitmapInfo->bmWidth, y + pBitmapInfo->bmHeight);
    return DrawBitmap(dc, hBitmap, rcBitmap) ? pBitmapInfo->bmWidth : 0;
}

int CXHeaderCtrl::DrawItemText(CDCHandle dc, CRect rect, LPHDITEMW lphdi) {
    dc.SetTextColor(AfxIsHighContrast() ? m_crText : kItemTextColor);
    // A callback text pointer is a marker, not text.
    bool bHasText = (lphdi->mask & HDI_TEXT) && (lphdi->fmt & HDF_STRING) && lphdi->pszText &&
                    lphdi->pszText != LPSTR_TEXTCALLBACKW;
    if (rect.Width() <= 0 || !bHasText)
        return 0;

    CString text(lphdi->pszText);
    CSize size = dc.GetTextExtent(text);
    dc.DrawText(text, &rect, kItemTextFormat);
    return std::min<int>(size.cx, rect.Width());
}
