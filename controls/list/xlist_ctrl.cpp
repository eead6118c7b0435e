// CXListCtrl: construction and lifecycle, the cell arrays, and the row, text, colour and
// header check operations.
#include "controls/list/xlist_ctrl.h"

#include <algorithm>

#include "controls/list/registered_messages.h"
#include "framework/high_contrast.h"

IMPLEMENT_DYNAMIC(CXListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CXListCtrl, CListCtrl)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
ON_MESSAGE(WM_PAINT, OnPaint)
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_LBUTTONDOWN()
ON_WM_TIMER()
ON_NOTIFY_REFLECT_EX(NM_CLICK, OnClick)
ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, OnColumnClick)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipNeedText)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipNeedText)
ON_REGISTERED_MESSAGE(WM_XCOMBOLIST_VK_RETURN, OnDropListChoose)
ON_REGISTERED_MESSAGE(WM_XCOMBOLIST_CLICK, OnDropListChoose)
ON_REGISTERED_MESSAGE(WM_XCOMBOLIST_VK_ESCAPE, OnDropListEscape)
ON_REGISTERED_MESSAGE(WM_XCOMBOLIST_KEYDOWN, OnDropListKeyDown)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SYSCOLORCHANGE()
ON_MESSAGE(LVM_SETBKCOLOR, OnSetBkColor)
ON_MESSAGE(LVM_INSERTCOLUMNW, OnInsertColumn)
ON_MESSAGE(LVM_DELETEITEM, OnDeleteItem)
ON_MESSAGE(LVM_DELETEALLITEMS, OnDeleteAllItems)
END_MESSAGE_MAP()

// --- Construction and lifecycle --------------------------------------------------------------

CXListCtrl::CXListCtrl() { ReadSysColors(); }

CXListCtrl::~CXListCtrl() = default;

void CXListCtrl::ReadSysColors() {
    m_crBtnFace = ::GetSysColor(COLOR_BTNFACE);
    m_crBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_crBtnText = ::GetSysColor(COLOR_BTNTEXT);
    m_crGrayText = ::GetSysColor(COLOR_GRAYTEXT);
    m_crHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    m_crHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_crWindow = ::GetSysColor(COLOR_WINDOW);
    m_crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
}

void CXListCtrl::HookHeader() {
    if (m_bHeaderHooked)
        return;
    HWND hHeader = GetHeaderCtrlHandle();
    if (hHeader && m_wndHeader.SubclassWindow(hHeader))
        m_bHeaderHooked = TRUE;
}

void CXListCtrl::PreSubclassWindow() {
    CListCtrl::PreSubclassWindow();
    // A list made from a dialog template already has its header here; one created through
    // the library gets it during WM_CREATE.
    TakeWindow();
}

int CXListCtrl::OnCreate(LPCREATESTRUCT) {
    if (Default() == -1)
        return -1;
    TakeWindow();
    return 0;
}

void CXListCtrl::TakeWindow() {
    HookHeader();
    SetDpi(GetWindowDpi(m_hWnd));
}

void CXListCtrl::SetDpi(UINT dpi) {
    m_nDpi = dpi;
    m_wndHeader.m_nSpacing = ScaleToDpi(CXHeaderCtrl::kSpacingAt96Dpi, dpi);
    if (m_hWnd)
        Invalidate();
}

LRESULT CXListCtrl::OnInsertColumn(WPARAM, LPARAM) {
    LRESULT result = Default();
    // A list view created hidden may make its header only for its first column.
    HookHeader();
    return result;
}

void CXListCtrl::OnDestroy() {
    // The drop list reports to this window; it must not outlive it.
    CloseDropList();
    int nCount = GetItemCount();
    for (int i = 0; i < nCount; ++i) {
        if (GetRowCells(i))
            SetItemData(i, 0);
    }
    m_cellArrays.clear();
    Default();
}

void CXListCtrl::OnSysColorChange() {
    Default();
    ReadSysColors();
    if (m_crListBack)
        ApplyListBack();
}

LRESULT CXListCtrl::OnSetBkColor(WPARAM, LPARAM lParam) {
    m_crListBack = static_cast<COLORREF>(lParam);
    return ApplyListBack();
}

LRESULT CXListCtrl::ApplyListBack() {
    COLORREF cr = AfxIsHighContrast() ? m_crWindow : *m_crListBack;
    return DefWindowProc(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(cr));
}

LRESULT CXListCtrl::OnDeleteItem(WPARAM wParam, LPARAM) {
    int nItem = static_cast<int>(wParam);
    LPARAM lParam = IsValidRow(nItem) ? static_cast<LPARAM>(GetItemData(nItem)) : 0;
    LRESULT result = Default();
    if (result) {
        CloseDropList();
        FreeCells(lParam);
    }
    return result;
}

LRESULT CXListCtrl::OnDeleteAllItems(WPARAM, LPARAM) {
    LRESULT result = Default();
    if (result) {
        CloseDropList();
        m_cellArrays.clear();
    }
    return result;
}

// --- Cell arrays -----------------------------------------------------------------------------

const CXListCtrl::CellArray* CXListCtrl::FindCells(LPARAM lParam) const {
    if (!lParam)
        return nullptr;
    auto it = m_cellArrays.find(lParam);
    return it == m_cellArrays.end() ? nullptr : &it->second;
}

const CXListCtrl::CellArray* CXListCtrl::GetRowCells(int nItem) const {
    return FindCells(static_cast<LPARAM>(GetItemData(nItem)));
}

XLISTCELL* CXListCtrl::CellAt(const CellArray* pArray, int nSubItem) {
    // Columns added after the row was inserted have no record in its array.
    if (!pArray || nSubItem < 0 || nSubItem >= pArray->nCount)
        return nullptr;
    return &pArray->pCells[nSubItem];
}

// --- Rows and texts --------------------------------------------------------------------------

int CXListCtrl::InsertItem(int nItem, LPCWSTR lpszItem) {
    if (nItem < 0)
        return -1;
    return InsertItem(nItem, lpszItem, m_crWindowText, m_crWindow);
}

int CXListCtrl::InsertItem(int nItem, LPCWSTR lpszItem, COLORREF crText, COLORREF crBack) {
    if (nItem < 0)
        return -1;
    int nRow = CListCtrl::InsertItem(nItem, lpszItem);
    if (nRow < 0)
        return nRow;

    // Column 0 always has a record, even in a list that has no columns yet.
    CellArray array;
    array.nCount = std::max(GetColumnCount(), 1);
    array.pCells = std::make_unique<XLISTCELL[]>(static_cast<size_t>(array.nCount));
    array.pCells[0].crCellText = crText;
    array.pCells[0].crCellBack = crBack;
    array.pCells[0].nImageIndex = -1;

    auto lParam = reinterpret_cast<LPARAM>(array.pCells.get());
    m_cellArrays.emplace(lParam, std::move(array));
    if (!SetItemData(nRow, static_cast<DWORD_PTR>(lParam))) {
        FreeCells(lParam);
        return -1;
    }
    return nRow;
}

BOOL CXListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText) {
    if (!IsValidCell(nItem, nSubItem))
        return FALSE;
    BOOL result =
        CListCtrl::SetItemText(nItem, nSubItem, CellText(GetCell(nItem, nSubItem), lpszText));
    RedrawCell(nItem, nSubItem);
    return result;
}

BOOL CXListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText, COLORREF crText,
                             COLORREF crBack) {
    if (!IsValidCell(nItem, nSubItem))
        return FALSE;
    BOOL result = TRUE;
    XLISTCELL* pCell = GetCell(nItem, nSubItem);
    if (lpszText)
        result = CListCtrl::SetItemText(nItem, nSubItem, CellText(pCell, lpszText));
    if (pCell) {
        pCell->crCellText = crText == static_cast<COLORREF>(-1) ? m_crWindowText : crText;
        pCell->crCellBack = crBack == static_cast<COLORREF>(-1) ? m_crWindow : crBack;
    }
    RedrawCell(nItem, nSubItem);
    return result;
}

int CXListCtrl::GetColumnCount() const {
    return static_cast<int>(::SendMessageW(GetHeaderCtrlHandle(), HDM_GETITEMCOUNT, 0, 0));
}

int CXListCtrl::GetHeaderCheck(int nSubItem) const {
    if (!IsValidColumn(nSubItem))
        return -1;
    HDITEMW hdi{};
    hdi.mask = HDI_IMAGE;
    ::SendMessageW(GetHeaderCtrlHandle(), HDM_GETITEMW, static_cast<WPARAM>(nSubItem),
                   reinterpret_cast<LPARAM>(&hdi));
    return hdi.iImage;
}

BOOL CXListCtrl::SetHeaderCheck(int nSubItem, int nCheckState) {
    if (!IsValidColumn(nSubItem))
        return FALSE;
    HDITEMW hdi{};
    hdi.mask = HDI_IMAGE;
    hdi.iImage = nCheckState;
    ::SendMessageW(GetHeaderCtrlHandle(), HDM_SETITEMW, static_cast<WPARAM>(nSubItem),
                   reinterpret_cast<LPARAM>(&hdi));
    return TRUE;
}

int CXListCtrl::CountCheckedRows(int nSubItem) const {
    if (!IsValidColumn(nSubItem))
        return 0;
    int nChecked = 0;
    int nCount = GetItemCount();
    for (int i = 0; i < nCount; ++i) {
        const XLISTCELL* pCell = CellAt(GetRowCells(i), nSubItem);
        if (pCell && pCell->nCheckState == 1)
            ++nChecked;
    }
    return nChecked;
}

BOOL CXListCtrl::GetSubItemRect(int nItem, int nSubItem, int nArea, RECT& rect) const {
    if (!IsValidCell(nItem, nSubItem))
        return FALSE;
    BOOL result = CListCtrl::GetSubItemRect(nItem, nSubItem, nArea, rect);
    // The list view gives column 0 the bounds of the whole row.
    if (nSubItem == 0 && GetColumnCount() >= 2) {
        CRect rcNext;
        result = CListCtrl::GetSubItemRect(nItem, 1, LVIR_BOUNDS, rcNext);
        rect.right = rcNext.left;
    }
    return result;
}

void CXListCtrl::RedrawCell(int nItem, int nSubItem) {
    CRect rect;
    if (!GetSubItemRect(nItem, nSubItem, LVIR_BOUNDS, rect))
        return;
    InvalidateRect(&rect, TRUE);
    UpdateWindow();
}

void CXListCtrl::RedrawRow(int nItem) {
    CRect rect;
    if (!CListCtrl::GetItemRect(nItem, &rect, LVIR_BOUNDS))
        return;
    InvalidateRect(&rect, TRUE);
    UpdateWindow();
}
