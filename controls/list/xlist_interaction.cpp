// CXListCtrl interaction: check box and combo clicks, opening the drop list, its timers and
// messages, header check boxes, and a tool tip per cell.
#include <cstring>

#include "controls/list/registered_messages.h"
#include "controls/list/xlist_ctrl.h"
#include "framework/winapp.h"

namespace {

constexpr UINT kWatchInterval = 100;
constexpr UINT kDeferInterval = 50;
constexpr int kToolIdsPerRow = 1000;
constexpr int kTipTextSize = 80;

// Shared by every list: a release that redraws must not start another one.
bool g_bReleasingComboButton = false;

} // namespace

void CXListCtrl::NotifyParent(UINT nMessage, int nItem, int nSubItem) {
    HWND hTarget = ::GetParent(m_hWnd);
    if (!hTarget)
        hTarget = ::GetWindow(m_hWnd, GW_OWNER);
    if (hTarget && ::IsWindow(hTarget))
        ::SendMessageW(hTarget, nMessage, static_cast<WPARAM>(nItem),
                       static_cast<LPARAM>(nSubItem));
}

// --- Mouse -----------------------------------------------------------------------------------

int CXListCtrl::RowFromPoint(CPoint point) const {
    int nCount = GetItemCount();
    for (int i = 0; i < nCount; ++i) {
        CRect rc;
        if (CListCtrl::GetItemRect(i, &rc, LVIR_BOUNDS) && rc.PtInRect(point))
            return i;
    }
    return -1;
}

int CXListCtrl::ColumnFromPoint(int nItem, CPoint point) const {
    int nColumns = GetColumnCount();
    for (int i = 0; i < nColumns; ++i) {
        CRect rc;
        if (GetSubItemRect(nItem, i, LVIR_BOUNDS, rc) && rc.PtInRect(point))
            return i;
    }
    return -1;
}

void CXListCtrl::OnLButtonDown(UINT, CPoint point) {
    int nItem = RowFromPoint(point);
    const CellArray* pRow = nItem >= 0 ? GetRowCells(nItem) : nullptr;
    if (nItem >= 0 && (!pRow || !IsRowEnabled(pRow)))
        return; // consumed: the row is neither selected nor focused
    int nSubItem = nItem >= 0 ? ColumnFromPoint(nItem, point) : -1;
    if (nSubItem < 0) {
        if (m_pDropList)
            CancelDropList();
        Default();
        return;
    }

    XLISTCELL* pCell = CellAt(pRow, nSubItem);
    switch (CellKindOf(pCell)) {
    case XCellKind::Check:
        pCell->nCheckState = pCell->nCheckState == 0 ? 1 : 0;
        RedrawCell(nItem, nSubItem);
        NotifyParent(WM_XLISTCTRL_CHECKBOX_CLICKED, nItem, nSubItem);
        UpdateHeaderCheckFromRows(nSubItem);
        break;
    case XCellKind::Combo: {
        CloseDropList();
        pCell = GetCell(nItem, nSubItem);
        CRect rc;
        GetSubItemRect(nItem, nSubItem, LVIR_BOUNDS, rc);
        if (pCell && point.x >= rc.right - rc.Height()) {
            pCell->bComboDown = TRUE;
            m_bComboArmed = TRUE;
            m_nComboRow = nItem;
            m_nComboCol = nSubItem;
            m_rcComboButton = ComboButtonRect(ComboFrameRect(rc));
            RedrawCell(nItem, nSubItem);
            SetTimer(TIMER_COMBO_WATCH, kWatchInterval);
            // The default processing selects the row, which shows the combo; the drop list
            // opens under it, and the pressed button paints before a quick release's click
            // notification lets go of it.
            Default();
            if (!m_pDropList && IsComboBox(nItem, nSubItem) &&
                (GetItemState(nItem, LVIS_SELECTED) & LVIS_SELECTED))
                OpenDropList(nItem, nSubItem);
            UpdateWindow();
            return;
        }
        break;
    }
    default:
        if (m_pDropList)
            CancelDropList();
        break;
    }
    Default();
}

BOOL CXListCtrl::OnClick(NMHDR*, LRESULT* pResult) {
    ReleaseComboButton();
    *pResult = 0;
    return FALSE;
}

void CXListCtrl::ReleaseComboButton() {
    if (g_bReleasingComboButton)
        return;
    g_bReleasingComboButton = true;
    if (m_bComboArmed) {
        if (XLISTCELL* pCell = GetCell(m_nComboRow, m_nComboCol)) {
            pCell->bComboDown = FALSE;
            RedrawCell(m_nComboRow, m_nComboCol);
        }
    }
    m_bComboArmed = FALSE;
    g_bReleasingComboButton = false;
}

// --- The drop list ---------------------------------------------------------------------------

void CXListCtrl::OpenDropList(int nItem, int nSubItem) {
    XLISTCELL* pCell = GetCell(nItem, nSubItem);
    CRect rcCell;
    if (!pCell || !GetSubItemRect(nItem, nSubItem, LVIR_BOUNDS, rcCell))
        return;
    const CRect rcFrame = ComboFrameRect(rcCell);
    const CString strText = GetItemText(nItem, nSubItem);
    const int nDropRows = pCell->nDropRows;
    const CStringArray* pChoices = pCell->pChoices;

    auto* pList = new CXComboList(this);
    m_pDropList.reset(pList);
    m_nComboRow = nItem;
    m_nComboCol = nSubItem;

    // From the cell's bottom edge down, one cell height less a pixel per row.
    CRect rcPopup(rcFrame.left, rcFrame.bottom - 1, rcFrame.right - 1,
                  rcFrame.bottom - 1 + (rcFrame.Height() - 2) * nDropRows);
    ClientToScreen(&rcPopup);
    // The margin around the list box in the list box's own colour, whatever the system's.
    LPCWSTR lpszClass =
        AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC, ::LoadCursorW(nullptr, IDC_ARROW),
                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    BOOL bCreated =
        lpszClass &&
        pList->CreateEx(0, lpszClass, L"", WS_POPUP | WS_VISIBLE | WS_BORDER, rcPopup, this, 0);
    // Creating the window moves the focus, and that can close the drop list again.
    if (!bCreated || m_pDropList.get() != pList)
        return;
    m_strComboUndo.Empty();

    // The previous drop list is gone, so the font made for it may be replaced. The cells are
    // drawn in the list's font.
    LOGFONTW lf{};
    if (::GetObjectW(GetFont(), sizeof(lf), &lf) &&
        (m_fontDropList.IsNull() || std::memcmp(&lf, &m_lfDropList, sizeof(lf)) != 0) &&
        m_fontDropList.CreateFontIndirect(&lf))
        m_lfDropList = lf;
    if (!m_fontDropList.IsNull())
        pList->SetFont(&m_fontDropList, FALSE);

    CListBox& listBox = pList->m_ListBox;
    if (pChoices) {
        for (int i = 0; i < pChoices->GetSize(); ++i) {
            if (!pChoices->GetAt(i).IsEmpty())
                listBox.AddString(pChoices->GetAt(i));
        }
    }

    int nSelect = 0;
    if (strText.IsEmpty()) {
        CString strFirst;
        if (listBox.GetCount() > 0)
            listBox.GetText(0, strFirst);
        SetItemText(nItem, nSubItem, strFirst);
        if (m_pDropList.get() != pList)
            return;
    } else {
        nSelect = listBox.FindStringExact(-1, strText);
        if (nSelect == LB_ERR)
            nSelect = 0;
    }
    listBox.SetCurSel(nSelect);
    listBox.GetText(nSelect, m_strComboUndo);
    pList->SetActive(Scale(kDropListScrollBarWidth));
}

void CXListCtrl::CloseDropList() {
    // Taken out first, so that messages sent while the window goes find no drop list.
    CWndPtr<CXComboList> pList = std::move(m_pDropList);
}

void CXListCtrl::CancelDropList() {
    KillTimer(TIMER_COMBO_WATCH);
    SetTimer(TIMER_COMBO_CLOSE, kDeferInterval);
    SetItemText(m_nComboRow, m_nComboCol, m_strComboUndo); // redraws the cell
}

LRESULT CXListCtrl::OnDropListChoose(WPARAM, LPARAM) {
    KillTimer(TIMER_COMBO_WATCH);
    SetTimer(TIMER_COMBO_COMMIT, kDeferInterval);
    return 0;
}

LRESULT CXListCtrl::OnDropListEscape(WPARAM, LPARAM) {
    CancelDropList();
    return 0;
}

LRESULT CXListCtrl::OnDropListKeyDown(WPARAM, LPARAM) {
    SetTimer(TIMER_COMBO_TRACK, kDeferInterval);
    return 0;
}

// --- Timers ----------------------------------------------------------------------------------

void CXListCtrl::OnTimer(UINT_PTR nIDEvent) {
    // The drop list's current choice, or LB_ERR when there is none to take.
    auto currentChoice = [this](CString& strChoice) {
        if (!m_pDropList || !::IsWindow(m_pDropList->m_ListBox.m_hWnd))
            return LB_ERR;
        int nSelect = m_pDropList->m_ListBox.GetCurSel();
        if (nSelect != LB_ERR)
            m_pDropList->m_ListBox.GetText(nSelect, strChoice);
        return nSelect;
    };

    switch (nIDEvent) {
    case TIMER_COMBO_WATCH:
        if (m_bComboArmed) {
            CPoint pt;
            ::GetCursorPos(&pt);
            ScreenToClient(&pt);
            if (!m_rcComboButton.PtInRect(pt))
                ReleaseComboButton();
        } else if (m_pDropList) {
            m_pDropList->SetActive(Scale(kDropListScrollBarWidth));
        } else {
            KillTimer(TIMER_COMBO_WATCH);
        }
        break;
    case TIMER_COMBO_CLOSE:
        KillTimer(TIMER_COMBO_CLOSE);
        CloseDropList();
        break;
    case TIMER_COMBO_COMMIT: {
        KillTimer(TIMER_COMBO_COMMIT);
        CString strChoice;
        if (currentChoice(strChoice) != LB_ERR && IsValidCell(m_nComboRow, m_nComboCol)) {
            SetItemText(m_nComboRow, m_nComboCol, strChoice); // redraws the cell
            NotifyParent(WM_XLISTCTRL_COMBO_SELECTION, m_nComboRow, m_nComboCol);
        }
        CloseDropList();
        break;
    }
    case TIMER_COMBO_TRACK: {
        KillTimer(TIMER_COMBO_TRACK);
        CString strChoice;
        if (currentChoice(strChoice) != LB_ERR && IsValidCell(m_nComboRow, m_nComboCol)) {
            SetItemText(m_nComboRow, m_nComboCol, strChoice); // redraws the cell
        }
        break;
    }
    default:
        // Not ours: the list view runs timers of its own on this window, and others may too.
        Default();
        break;
    }
}

// --- Header check boxes ----------------------------------------------------------------------

BOOL CXListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    int nSubItem = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    int nState = GetHeaderCheck(nSubItem);
    if (nState <= 0)
        return FALSE;
    int nNewState = nState == 1 ? 2 : 1;
    SetHeaderCheck(nSubItem, nNewState);
    ::UpdateWindow(GetHeaderCtrlHandle());

    int nCount = GetItemCount();
    for (int i = 0; i < nCount; ++i) {
        XLISTCELL* pCell = CellAt(GetRowCells(i), nSubItem);
        if (pCell && pCell->nCheckState != -1) {
            pCell->nCheckState = nNewState == 2 ? 1 : 0;
            RedrawCell(i, nSubItem);
        }
    }
    // Not consumed: the parent still hears of the click.
    return FALSE;
}

// --- Tool tips -------------------------------------------------------------------------------

INT_PTR CXListCtrl::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const {
    LVHITTESTINFO hit{};
    hit.pt = point;
    SubItemHitTest(&hit);
    if (!(hit.flags & LVHT_ONITEMLABEL))
        return -1;
    pTI->hwnd = m_hWnd;
    pTI->uId = static_cast<UINT_PTR>(hit.iItem * kToolIdsPerRow + hit.iSubItem + 1);
    GetClientRect(&pTI->rect);
    pTI->lpszText = LPSTR_TEXTCALLBACKW;
    return static_cast<INT_PTR>(pTI->uId);
}

BOOL CXListCtrl::OnToolTipNeedText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
    if (pNMHDR->idFrom == 0)
        return TRUE;
    *pResult = 0;
    DWORD pos = ::GetMessagePos();
    LVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    ScreenToClient(&hit.pt);
    SubItemHitTest(&hit);
    if (!(hit.flags & LVHT_ONITEMLABEL))
        return FALSE;

    const XLISTCELL* pCell = GetCell(hit.iItem, hit.iSubItem);
    if (!pCell || pCell->strTipText.IsEmpty())
        return FALSE;
    if (pNMHDR->code == TTN_NEEDTEXTA) {
        auto* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        ::WideCharToMultiByte(CP_THREAD_ACP, 0, pCell->strTipText, -1, pInfo->szText, kTipTextSize,
                              nullptr, nullptr);
        // A text too long for the buffer leaves it unterminated.
        pInfo->szText[kTipTextSize - 1] = '\0';
    } else {
        auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        ::lstrcpynW(pInfo->szText, pCell->strTipText, kTipTextSize);
    }
    return FALSE;
}
