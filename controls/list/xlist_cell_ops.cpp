// CXListCtrl: the public operations that give cells their kinds and attributes: disabled
// rows, bold text, images, tool tips, check boxes, drop-down choices and progress bars.
#include <algorithm>

#include "controls/list/progress_text.h"
#include "controls/list/xlist_ctrl.h"

namespace {

constexpr int kMaxDropRows = 100;

} // namespace

BOOL CXListCtrl::SetRowEnabled(int nItem, BOOL bEnable) {
    XLISTCELL* pCell = GetCell(nItem, 0);
    if (!pCell)
        return FALSE;
    pCell->bRowEnabled = bEnable ? TRUE : FALSE;
    RedrawRow(nItem);
    return TRUE;
}

BOOL CXListCtrl::GetRowEnabled(int nItem) const {
    if (!IsValidRow(nItem))
        return FALSE;
    return IsRowEnabled(GetRowCells(nItem));
}

BOOL CXListCtrl::SetBold(int nItem, int nSubItem, BOOL bBold) {
    XLISTCELL* pCell = GetCell(nItem, nSubItem);
    if (!pCell)
        return FALSE;
    pCell->bBoldText = bBold ? TRUE : FALSE;
    RedrawCell(nItem, nSubItem);
    return TRUE;
}

BOOL CXListCtrl::GetBold(int nItem, int nSubItem) const {
    const XLISTCELL* pCell = GetCell(nItem, nSubItem);
    return pCell ? pCell->bBoldText : FALSE;
}

BOOL CXListCtrl::SetItemImage(int nItem, int nSubItem, int nImage) {
    XLISTCELL* pCell = GetCell(nItem, nSubItem);
    if (!pCell)
        return FALSE;
    pCell->nImageIndex = nImage < 0 ? -1 : nImage;
    RedrawCell(nItem, nSubItem);
    return TRUE;
}

int CXListCtrl::GetItemImage(int nItem, int nSubItem) const {
    const XLISTCELL* pCell = GetCell(nItem, nSubItem);
    return pCell ? pCell->nImageIndex : -1;
}

BOOL CXListCtrl::SetItemToolTipText(int nItem, int nSubItem, LPCWSTR lpszToolTipText) {
    XLISTCELL* pCell = GetCell(nItem, nSubItem);
    if (!pCell)
        return FALSE;
    pCell->strTipText = lpszToolTipText;
    return TRUE;
}

CString CXListCtrl::GetItemToolTipText(int nItem, int nSubItem) const {
    const XLISTCELL* pCell = GetCell(nItem, nSubItem);
    return pCell ? pCell->strTipText : CString();
}

BOOL CXListCtrl::SetCheckbox(int nItem, int nSubItem, int nCheckState) {
    XLISTCELL* pCell = GetCell(nItem, nSubItem);
    if (!pCell || nCheckState < -1 || nCheckState > 1)
        return FALSE;
    pCell->nCheckState = nCheckState;
    RedrawCell(nItem, nSubItem);
    UpdateHeaderCheckFromRows(nSubItem);
    return TRUE;
}

int CXListCtrl::GetCheckbox(int nItem, int nSubItem) const {
    const XLISTCELL* pCell = GetCell(nItem, nSubItem);
    return pCell ? pCell->nCheckState : -1;
}

void CXListCtrl::UpdateHeaderCheckFromRows(int nSubItem) {
    if (GetHeaderCheck(nSubItem) <= 0)
        return;
    SetHeaderCheck(nSubItem, CountCheckedRows(nSubItem) == GetItemCount() ? 2 : 1);
}

BOOL CXListCtrl::SetComboBox(int nItem, int nSubItem, BOOL bEnable, CStringArray* pChoices,
                             int nDropRows, int nDefaultChoice) {
    XLISTCELL* pCell = GetCell(nItem, nSubItem);
    if (!pCell || (bEnable && !pChoices))
        return FALSE;
    // A combo that goes away takes its open drop list with it.
    if (m_pDropList && m_nComboRow == nItem && m_nComboCol == nSubItem)
        CloseDropList();
    pCell->bHasCombo = bEnable ? TRUE : FALSE;
    pCell->bComboDown = FALSE;
    pCell->pChoices = bEnable ? pChoices : nullptr;
    pCell->nDropRows = std::clamp(nDropRows, 1, kMaxDropRows);
    pCell->nDefaultChoice = nDefaultChoice;
    if (bEnable && GetItemText(nItem, nSubItem).IsEmpty())
        CListCtrl::SetItemText(nItem, nSubItem, CellText(pCell, L""));
    RedrawCell(nItem, nSubItem);
    return TRUE;
}

LPCWSTR CXListCtrl::CellText(const XLISTCELL* pCell, LPCWSTR lpszText) {
    if ((lpszText && *lpszText) || !pCell || !pCell->bHasCombo || !pCell->pChoices ||
        pCell->nDefaultChoice < 0 || pCell->nDefaultChoice >= pCell->pChoices->GetSize())
        return lpszText;
    return pCell->pChoices->GetAt(pCell->nDefaultChoice);
}

BOOL CXListCtrl::IsComboBox(int nItem, int nSubItem) const {
    const XLISTCELL* pCell = GetCell(nItem, nSubItem);
    return pCell ? pCell->bHasCombo : FALSE;
}

BOOL CXListCtrl::SetProgress(int nItem, int nSubItem, BOOL bEnable, int nPercent,
                             LPCWSTR lpszFormat, BOOL bShowPercent) {
    XLISTCELL* pCell = GetCell(nItem, nSubItem);
    if (!pCell)
        return FALSE;
    pCell->bHasProgress = bEnable ? TRUE : FALSE;
    pCell->nPercent = std::clamp(nPercent, 0, 100);
    pCell->strPercentFormat = IsSingleIntegerFormat(lpszFormat) ? lpszFormat : L"";
    pCell->bShowPercent = bShowPercent ? TRUE : FALSE;
    RedrawCell(nItem, nSubItem);
    return TRUE;
}

BOOL CXListCtrl::UpdateProgress(int nItem, int nSubItem, int nPercent) {
    XLISTCELL* pCell = GetCell(nItem, nSubItem);
    if (!pCell || !pCell->bHasProgress)
        return FALSE;
    pCell->nPercent = std::clamp(nPercent, 0, 100);
    RedrawCell(nItem, nSubItem);
    return TRUE;
}

int CXListCtrl::GetProgress(int nItem, int nSubItem) const {
    const XLISTCELL* pCell = GetCell(nItem, nSubItem);
    return pCell && pCell->bHasProgress ? pCell->nPercent : -1;
}
