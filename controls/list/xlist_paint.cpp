// CXListCtrl painting: the custom draw stages, the four cell painters (plain text with an
// image, check box, combo, progress bar) and the empty list. Painting reads the control's
// state and draws into the context it is given, nothing else.
#include <algorithm>
#include <optional>

#include "controls/list/progress_text.h"
#include "controls/list/xlist_ctrl.h"
#include "framework/high_contrast.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kProgressField = RGB(224, 224, 224);
constexpr int kCheckBoxIndent = 9;
constexpr int kCheckTextGap = 4;

void Line(CDCHandle dc, int x1, int y1, int x2, int y2) {
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

// Pixels x0..x1 by y0..y1 (ends included) of a small picture drawn for 96 DPI, as the cells
// they cover at dpi, relative to origin.
void FillPixels(CDCHandle dc, CPoint origin, int x0, int y0, int x1, int y1, COLORREF cr,
                UINT dpi) {
    CRect first = ScaledPixelCell(x0, y0, dpi), last = ScaledPixelCell(x1, y1, dpi);
    CRect rc(first.left, first.top, last.right, last.bottom);
    rc.OffsetRect(origin);
    dc.FillSolidRect(&rc, cr);
}

// The combo arrow: three lines of 5, 3 and 1 pixels at 96 DPI, each one lower and narrower.
void DrawComboArrow(CDCHandle dc, CPoint origin, COLORREF cr, UINT dpi) {
    for (int i = 0, length = 5; i < 3; ++i, length -= 2)
        FillPixels(dc, origin, i, i, i + length - 1, i, cr, dpi);
}

} // namespace

// --- Custom draw -----------------------------------------------------------------------------

void CXListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* pCD = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    switch (pCD->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        // Asked once a repaint: under Wine each ask is a trip to the server, and one for every
        // row doubled the cost of a repaint.
        m_bFrameFocusedRow =
            ::GetFocus() == m_hWnd && !(SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS);
        m_bHighContrast = AfxIsHighContrast();
        *pResult = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        if (m_bFrameFocusedRow && (pCD->nmcd.uItemState & CDIS_FOCUS))
            *pResult |= CDRF_NOTIFYPOSTPAINT;
        break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        PaintCell(pCD);
        *pResult = CDRF_SKIPDEFAULT;
        break;
    case CDDS_ITEMPOSTPAINT:
        PaintFocusFrame(static_cast<int>(pCD->nmcd.dwItemSpec), CDCHandle(pCD->nmcd.hdc));
        *pResult = CDRF_DODEFAULT;
        break;
    default:
        *pResult = CDRF_DODEFAULT;
        break;
    }
}

void CXListCtrl::PaintCell(NMLVCUSTOMDRAW* pCD) {
    // The list view lends its context for this one notification.
    CDCHandle dc(pCD->nmcd.hdc);
    const CellArray* pRow = FindCells(pCD->nmcd.lItemlParam);
    CellPaint cell{static_cast<int>(pCD->nmcd.dwItemSpec),
                   pCD->iSubItem,
                   dc,
                   m_crWindowText,
                   m_crWindow,
                   CRect(),
                   pRow,
                   CellAt(pRow, pCD->iSubItem)};
    // The colours an owner gives its cells give way to the system's pair in High Contrast.
    if (cell.pCell && !m_bHighContrast) {
        cell.crBack = cell.pCell->crCellBack;
        cell.crText = cell.pCell->crCellText;
    }
    if (!IsRowEnabled(pRow))
        cell.crText = m_crGrayText;
    pCD->clrText = cell.crText;
    pCD->clrTextBk = cell.crBack;
    GetSubItemRect(cell.nItem, cell.nSubItem, LVIR_BOUNDS, cell.rect);

    switch (CellKindOf(cell.pCell)) {
    case XCellKind::Progress:
        PaintProgressCell(cell);
        return;
    case XCellKind::Combo:
        // The drop-down button is shown on the selected row only.
        if (GetItemState(cell.nItem, LVIS_SELECTED) & LVIS_SELECTED)
            PaintComboCell(cell);
        else
            PaintCellText(cell);
        return;
    case XCellKind::Check:
        PaintCheckCell(cell);
        return;
    case XCellKind::Plain:
        break;
    }
    cell.rect.left += PaintCellImage(cell);
    PaintCellText(cell);
}

void CXListCtrl::ResolveCellColors(CellPaint& cell) const {
    if (!(GetItemState(cell.nItem, LVIS_SELECTED) & LVIS_SELECTED))
        return;
    if (!(GetExtendedStyle() & LVS_EX_FULLROWSELECT) && cell.nSubItem != 0)
        return;
    if (::GetFocus() == m_hWnd) {
        cell.crText = m_crHighlightText;
        cell.crBack = m_crHighlight;
    } else if (GetStyle() & LVS_SHOWSELALWAYS) {
        cell.crText = Ink(m_crWindowText, m_crBtnText);
        cell.crBack = m_crBtnFace;
    }
}

void CXListCtrl::PaintFocusFrame(int nItem, CDCHandle dc) {
    // The cells paint over whatever focus rectangle the list view would draw, so the focused
    // row gets its dotted frame here, once the user works with the keyboard.
    if (!(GetItemState(nItem, LVIS_FOCUSED) & LVIS_FOCUSED))
        return;
    CRect rc;
    CPen pen;
    bool bSelected = (GetItemState(nItem, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    if (!GetItemRect(nItem, &rc, LVIR_BOUNDS) ||
        !pen.CreateDottedPen(bSelected ? m_crHighlightText : m_crWindowText))
        return;
    CSelectObject selectPen(dc, pen);
    dc.MoveTo(rc.left, rc.top);
    dc.LineTo(rc.right - 1, rc.top);
    dc.LineTo(rc.right - 1, rc.bottom - 1);
    dc.LineTo(rc.left, rc.bottom - 1);
    dc.LineTo(rc.left, rc.top);
}

// --- Plain cells -----------------------------------------------------------------------------

int CXListCtrl::PaintCellImage(CellPaint& cell) {
    CDCHandle dc = cell.dc;
    const CRect& rc = cell.rect;
    ResolveCellColors(cell);
    dc.FillSolidRect(&rc, cell.crBack);

    int nSpacing = m_wndHeader.m_nSpacing;
    int x = rc.left + nSpacing;
    HIMAGELIST hImages = GetImageList(LVSIL_SMALL);
    if (!hImages || !cell.pCell || cell.pCell->nImageIndex < 0)
        return 0;
    int nImage = cell.pCell->nImageIndex;
    IMAGEINFO info{};
    CRect rcImage;
    if (ImageList_GetImageInfo(hImages, nImage, &info))
        rcImage = info.rcImage;
    int w = rcImage.Width();
    int h = rcImage.Height();
    if (rc.right - x <= 0)
        return 0;

    COLORREF crOldBack = ImageList_SetBkColor(hImages, cell.crBack);
    IMAGELISTDRAWPARAMS draw{};
    draw.cbSize = sizeof(draw);
    draw.himl = hImages;
    draw.i = nImage;
    draw.hdcDst = dc;
    draw.x = x;
    draw.y = (rc.top + rc.bottom) / 2 - h / 2;
    draw.cx = std::min(static_cast<int>(rc.right) - x, w);
    draw.cy = std::min(rc.Height(), h);
    draw.rgbBk = CLR_DEFAULT;
    draw.rgbFg = CLR_DEFAULT;
    draw.fStyle = ILD_NORMAL;
    draw.dwRop = SRCCOPY;
    ImageList_DrawIndirect(&draw);
    ImageList_SetBkColor(hImages, crOldBack);
    return nSpacing + w;
}

void CXListCtrl::PaintCellText(CellPaint& cell) {
    CDCHandle dc = cell.dc;
    ResolveCellColors(cell);
    dc.FillSolidRect(&cell.rect, cell.crBack);
    CString text = GetItemText(cell.nItem, cell.nSubItem);
    if (text.IsEmpty())
        return;

    HDITEMW hdi{};
    hdi.mask = HDI_FORMAT;
    ::SendMessageW(GetHeaderCtrlHandle(), HDM_GETITEMW, static_cast<WPARAM>(cell.nSubItem),
                   reinterpret_cast<LPARAM>(&hdi));
    UINT nFormat = DT_LEFT;
    if (hdi.fmt & HDF_RIGHT)
        nFormat = DT_RIGHT;
    else if (hdi.fmt & HDF_CENTER)
        nFormat = DT_CENTER;
    nFormat |= DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

    std::optional<CSelectObject> selectBold;
    if (cell.pCell && cell.pCell->bBoldText) {
        LOGFONTW lf{};
        ::GetObjectW(dc.GetCurrentObject(OBJ_FONT), sizeof(lf), &lf);
        lf.lfWeight = FW_BOLD;
        CFont fontBold;
        if (fontBold.CreateFontIndirect(&lf))
            selectBold.emplace(dc, std::move(fontBold));
    }
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(cell.crText);
    dc.SetBkColor(cell.crBack);
    dc.DrawText(text, &cell.rect, nFormat);
}

// --- Check box cells -------------------------------------------------------------------------

void CXListCtrl::PaintCheckCell(CellPaint& cell) {
    CDCHandle dc = cell.dc;
    const CRect& rc = cell.rect;
    ResolveCellColors(cell);
    dc.FillSolidRect(&rc, cell.crBack);

    CRect box(rc.left + Scale(kCheckBoxIndent), rc.top, 0, rc.bottom - 1);
    int nSide = box.Height();
    box.right = box.left + nSide;
    int nTextLeft = box.right + Scale(kCheckTextGap);
    CString text = GetItemText(cell.nItem, cell.nSubItem);
    if (text.IsEmpty()) {
        box.left = rc.left + rc.Width() / 2 - nSide / 2 - 1;
        box.right = box.left + nSide;
    }

    dc.FillSolidRect(&box, m_crWindow);
    box.left += 1;
    dc.DrawEdge(&box, EDGE_SUNKEN, BF_RECT);

    if (cell.pCell->nCheckState == 1) {
        COLORREF cr = IsRowEnabled(cell.pRow) ? Ink(kBlack, m_crWindowText) : m_crGrayText;
        // Seven 3-pixel strokes at 96 DPI: down-left from the top right, then up-left to the
        // tail.
        static constexpr POINT kStrokes[] = {{9, 3}, {8, 4}, {7, 5}, {6, 6},
                                             {5, 7}, {4, 6}, {3, 5}};
        for (const POINT& p : kStrokes)
            FillPixels(dc, box.TopLeft(), p.x, p.y, p.x, p.y + 2, cr, m_nDpi);
    }

    if (!text.IsEmpty()) {
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(cell.crText);
        dc.SetBkColor(cell.crBack);
        CRect rcText(nTextLeft, rc.top, rc.right, rc.bottom);
        dc.DrawText(text, &rcText, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}

// --- Combo cells -----------------------------------------------------------------------------

CRect CXListCtrl::ComboFrameRect(const CRect& rcCell) {
    return {rcCell.left + 1, rcCell.top, rcCell.right - 2, rcCell.bottom + 1};
}

CRect CXListCtrl::ComboButtonRect(const CRect& rcFrame) {
    CRect rcButton(rcFrame.right + 1 - rcFrame.Height(), rcFrame.top, rcFrame.right + 1,
                   rcFrame.bottom);
    rcButton.DeflateRect(2, 2);
    return rcButton;
}

void CXListCtrl::PaintComboCell(CellPaint& cell) {
    CDCHandle dc = cell.dc;
    const XLISTCELL* pCell = cell.pCell;
    const CRect rcFrame = ComboFrameRect(cell.rect);

    {
        CSelectObject selectPen(dc, CPen(PS_SOLID, 1, m_crBtnShadow));
        Line(dc, rcFrame.left, rcFrame.bottom - 2, rcFrame.right, rcFrame.bottom - 2);
        Line(dc, rcFrame.left, rcFrame.top, rcFrame.right, rcFrame.top);
        Line(dc, rcFrame.left, rcFrame.top, rcFrame.left, rcFrame.bottom - 2);
        Line(dc, rcFrame.right, rcFrame.top, rcFrame.right, rcFrame.bottom - 1);
    }

    CRect rcField = rcFrame;
    rcField.DeflateRect(2, 2);
    dc.FillSolidRect(&rcField, Ink(kWhite, m_crWindow));

    CRect rcButton = ComboButtonRect(rcFrame);
    CString text = GetItemText(cell.nItem, cell.nSubItem);
    if (!text.IsEmpty()) {
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(IsRowEnabled(cell.pRow) ? m_crWindowText : m_crGrayText);
        dc.SetBkColor(m_crWindow);
        CRect rcText(rcFrame.left + 2, rcFrame.top - 1, rcButton.left - 1, rcFrame.bottom);
        dc.DrawText(text, &rcText, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }

    if (!pCell->bComboDown) {
        dc.DrawEdge(&rcButton, EDGE_RAISED, BF_RECT);
        rcButton.DeflateRect(2, 2);
        dc.FillSolidRect(&rcButton, m_crBtnFace);
        DrawComboArrow(dc, CPoint(rcButton.left + Scale(1), rcButton.top + Scale(2)),
                       Ink(kBlack, m_crBtnText), m_nDpi);
        return;
    }

    CBrush brushShadow(m_crBtnShadow);
    dc.FrameRect(&rcButton, brushShadow);
    rcButton.DeflateRect(1, 1);
    dc.FillSolidRect(&rcButton, m_crBtnFace);
    DrawComboArrow(dc, CPoint(rcButton.left + Scale(3), rcButton.top + Scale(4)),
                   Ink(kBlack, m_crBtnText), m_nDpi);
}

// --- Progress cells --------------------------------------------------------------------------

void CXListCtrl::PaintProgressCell(CellPaint& cell) {
    CDCHandle dc = cell.dc;
    const XLISTCELL* pCell = cell.pCell;
    const CRect rcFrame(cell.rect.left + 1, cell.rect.top, cell.rect.right - 2,
                        cell.rect.bottom - 1);

    {
        CSelectObject selectPen(dc, CPen(PS_SOLID, 1, m_crBtnShadow));
        Line(dc, rcFrame.left, rcFrame.bottom, rcFrame.right + 1, rcFrame.bottom);
        Line(dc, rcFrame.left, rcFrame.top, rcFrame.right, rcFrame.top);
        Line(dc, rcFrame.left, rcFrame.top, rcFrame.left, rcFrame.bottom);
        Line(dc, rcFrame.right, rcFrame.top, rcFrame.right, rcFrame.bottom);
    }
    dc.FillSolidRect(CRect(rcFrame.left + 1, rcFrame.top + 1, rcFrame.right, rcFrame.bottom),
                     Ink(kProgressField, m_crWindow));
    {
        CSelectObject selectPen(dc, CPen(PS_SOLID, 1, Ink(kBlack, m_crWindowText)));
        Line(dc, rcFrame.left + 1, rcFrame.top + 1, rcFrame.right, rcFrame.top + 1);
        Line(dc, rcFrame.left + 1, rcFrame.top + 1, rcFrame.left + 1, rcFrame.bottom);
    }

    if (pCell->nPercent <= 0)
        return;
    int x = rcFrame.left + 2 + (rcFrame.right - (rcFrame.left + 2)) * pCell->nPercent / 100;
    const CRect rcBar(rcFrame.left + 2, rcFrame.top + 2, x, rcFrame.bottom);
    const CRect rcRest(x + 1, rcFrame.top + 2, rcFrame.right, rcFrame.bottom);
    dc.FillSolidRect(&rcBar, m_crHighlight);

    if (!pCell->bShowPercent)
        return;
    CString text = FormatProgressText(pCell->strPercentFormat, pCell->nPercent);
    CRect rcText = rcFrame;
    rcText.DeflateRect(1, 1);
    rcText.top += 1;
    dc.SetBkMode(TRANSPARENT);
    // The text reads in the background colour over the bar and in the text colour beside it.
    const struct {
        const CRect& rcClip;
        COLORREF crText;
    } parts[] = {{rcBar, Ink(cell.crBack, m_crHighlightText)}, {rcRest, cell.crText}};
    for (const auto& part : parts) {
        CSavedDC saved(dc);
        ::IntersectClipRect(dc, part.rcClip.left, part.rcClip.top, part.rcClip.right,
                            part.rcClip.bottom);
        dc.SetTextColor(part.crText);
        dc.DrawText(text, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// --- Empty list ------------------------------------------------------------------------------

LRESULT CXListCtrl::OnPaint(WPARAM wParam, LPARAM) {
    if (wParam) {
        Default();
        PaintEmptyList(CDCHandle(reinterpret_cast<HDC>(wParam)));
        return 0;
    }
    // The list view paints into a context it is given as it would into its own.
    CPaintDC dc(this);
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    PaintEmptyList(dc);
    return 0;
}

LRESULT CXListCtrl::OnPrintClient(WPARAM wParam, LPARAM) {
    LRESULT result = Default();
    PaintEmptyList(CDCHandle(reinterpret_cast<HDC>(wParam)));
    return result;
}

void CXListCtrl::PaintEmptyList(CDCHandle dc) const {
    if (GetItemCount() > 0)
        return;
    CSavedDC saved(dc);
    CRect rc;
    GetWindowRect(&rc);
    ScreenToClient(&rc);
    if (HWND hHeader = GetHeaderCtrlHandle()) {
        CRect rcItem;
        if (::SendMessageW(hHeader, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rcItem)))
            rc.top += rcItem.bottom;
    }
    rc.top += Scale(10);

    CBrush brush(m_crWindow);
    dc.FillRect(&rc, brush);
    dc.SetTextColor(m_crWindowText);
    dc.SetBkColor(m_crWindow);
    CSelectObject selectFont(dc, ::GetStockObject(ANSI_VAR_FONT));
    dc.DrawText(m_strEmptyText, &rc, DT_CENTER | DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX);
}
