// CXListCtrl: a report-view list that keeps colours, bold text, an image, a tool tip, a check
// box, a drop-down choice or a progress bar for every cell, paints every cell itself, and
// tells its parent of check box clicks and committed choices (WM_XLISTCTRL_* messages).
#pragma once

#include <memory>
#include <optional>
#include <unordered_map>

#include "controls/list/xcombo_list.h"
#include "controls/list/xheader_ctrl.h"
#include "controls/list/xlist_cell.h"
#include "framework/controls.h"
#include "framework/dpi.h"

class CXListCtrl : public CListCtrl, public CDpiFollower {
    DECLARE_DYNAMIC(CXListCtrl)

public:
    // Window timers of the drop list's life.
    static constexpr UINT_PTR TIMER_COMBO_WATCH = 1;  // 100 ms while a button is pressed or open
    static constexpr UINT_PTR TIMER_COMBO_CLOSE = 2;  // 50 ms after a cancel
    static constexpr UINT_PTR TIMER_COMBO_COMMIT = 3; // 50 ms after Enter or a release
    static constexpr UINT_PTR TIMER_COMBO_TRACK = 4;  // 50 ms after a key in the drop list
    // The drop list's scroll bar, however the list was opened.
    static constexpr int kDropListScrollBarWidth = 11;

    // Construction
    CXListCtrl();
    ~CXListCtrl() override;

    // Rows and texts. Rows inserted here own their cell data; a row inserted through the
    // base class has none and is treated as a plain, enabled row in the window colours.
    int InsertItem(int nItem, LPCWSTR lpszItem);
    int InsertItem(int nItem, LPCWSTR lpszItem, COLORREF crText, COLORREF crBack);
    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    // lpszText null keeps the text; a colour of -1 takes the system's window colours.
    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText, COLORREF crText, COLORREF crBack);
    int GetColumnCount() const;
    // Header check box of a column: 0 none, 1 unchecked, 2 checked.
    int GetHeaderCheck(int nSubItem) const;
    BOOL SetHeaderCheck(int nSubItem, int nCheckState);
    int CountCheckedRows(int nSubItem) const;
    // Column 0 ends where column 1 begins, not at the end of the row.
    BOOL GetSubItemRect(int nItem, int nSubItem, int nArea, RECT& rect) const;
    // Repaints one cell before returning.
    void RedrawCell(int nItem, int nSubItem);
    // The DPI the cells are drawn for: the window's DPI when the control is made, and the
    // owner's after a move to a monitor of another scale. Check boxes, combo buttons, gaps
    // and the drop list's scroll bar follow it; rows and texts follow the control's font.
    void SetDpi(UINT dpi) override;
    UINT GetDpi() const { return m_nDpi; }

    // Cell attributes. Each checks the row and column first and answers FALSE (or the
    // stated value) without effect when either is out of range or the row has no cell data.
    BOOL SetRowEnabled(int nItem, BOOL bEnable);
    BOOL GetRowEnabled(int nItem) const;
    BOOL SetBold(int nItem, int nSubItem, BOOL bBold);
    BOOL GetBold(int nItem, int nSubItem) const;
    // An index into the small image list, or -1 for none.
    BOOL SetItemImage(int nItem, int nSubItem, int nImage);
    int GetItemImage(int nItem, int nSubItem) const;
    BOOL SetItemToolTipText(int nItem, int nSubItem, LPCWSTR lpszToolTipText);
    CString GetItemToolTipText(int nItem, int nSubItem) const;
    // -1 removes the check box, 0 unchecked, 1 checked; a column with a header check box
    // follows, as after a click.
    BOOL SetCheckbox(int nItem, int nSubItem, int nCheckState);
    int GetCheckbox(int nItem, int nSubItem) const;
    // pChoices is not owned and must outlive the combo; nDropRows is kept within 1..100.
    BOOL SetComboBox(int nItem, int nSubItem, BOOL bEnable, CStringArray* pChoices,
                     int nDropRows = 10, int nDefaultChoice = 0);
    BOOL IsComboBox(int nItem, int nSubItem) const;
    // nPercent is kept within 0..100. lpszFormat takes the percentage as its one integer
    // argument (say L"%d of 100"); null, empty or any other format falls back to "%d%%".
    BOOL SetProgress(int nItem, int nSubItem, BOOL bEnable, int nPercent = 0,
                     LPCWSTR lpszFormat = nullptr, BOOL bShowPercent = TRUE);
    BOOL UpdateProgress(int nItem, int nSubItem, int nPercent);
    // The cell's percentage, or -1 when it is not a progress cell.
    int GetProgress(int nItem, int nSubItem) const;

    // Overridables
    // Each cell label is a tool of its own: id = row * 1000 + column + 1.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;
    virtual BOOL OnToolTipNeedText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);

protected:
    void PreSubclassWindow() override;

    // Cell data
    struct CellArray {
        std::unique_ptr<XLISTCELL[]> pCells;
        int nCount = 0; // columns at the row's insertion; never changes
    };
    bool IsValidRow(int nItem) const { return nItem >= 0 && nItem < GetItemCount(); }
    bool IsValidColumn(int nSubItem) const { return nSubItem >= 0 && nSubItem < GetColumnCount(); }
    bool IsValidCell(int nItem, int nSubItem) const {
        return IsValidRow(nItem) && IsValidColumn(nSubItem);
    }
    // The cell array behind a row's item data, or null when the data is not one of ours.
    const CellArray* FindCells(LPARAM lParam) const;
    const CellArray* GetRowCells(int nItem) const;
    // One cell's record, or null for an invalid cell, a row without cell data or a column
    // added after the row.
    static XLISTCELL* CellAt(const CellArray* pArray, int nSubItem);
    XLISTCELL* GetCell(int nItem, int nSubItem) const {
        return IsValidCell(nItem, nSubItem) ? CellAt(GetRowCells(nItem), nSubItem) : nullptr;
    }
    // The text a cell keeps for lpszText: a combo cell's empty text is its default choice,
    // when it has one.
    static LPCWSTR CellText(const XLISTCELL* pCell, LPCWSTR lpszText);
    static BOOL IsRowEnabled(const CellArray* pArray) {
        return !pArray || pArray->pCells[0].bRowEnabled;
    }
    void FreeCells(LPARAM lParam) { m_cellArrays.erase(lParam); }
    void RedrawRow(int nItem);
    void UpdateHeaderCheckFromRows(int nSubItem);
    void ReadSysColors();
    // The list view's background: the colour the owner gave it, or in High Contrast the window
    // colour.
    LRESULT ApplyListBack();
    void HookHeader();
    // The header and the window's DPI, once the control has its window.
    void TakeWindow();
    // A length of the 96-DPI drawing at the control's DPI.
    int Scale(int nLength) const { return ScaleToDpi(nLength, m_nDpi); }

    // Painting (xlist_paint.cpp)
    struct CellPaint {
        int nItem;
        int nSubItem;
        CDCHandle dc;
        COLORREF crText;
        COLORREF crBack;
        CRect rect;
        const CellArray* pRow; // null: no cell data
        XLISTCELL* pCell;      // null: no record for this cell
    };
    void PaintCell(NMLVCUSTOMDRAW* pCD);
    void ResolveCellColors(CellPaint& cell) const;
    // The keyboard focus on its row, after the row's cells.
    void PaintFocusFrame(int nItem, CDCHandle dc);
    int PaintCellImage(CellPaint& cell);
    void PaintCellText(CellPaint& cell);
    void PaintCheckCell(CellPaint& cell);
    void PaintComboCell(CellPaint& cell);
    void PaintProgressCell(CellPaint& cell);
    void PaintEmptyList(CDCHandle dc) const;
    // A colour of the cells' own drawing, or in High Contrast the system colour that stands for
    // it.
    COLORREF Ink(COLORREF crDrawn, COLORREF crSystem) const {
        return m_bHighContrast ? crSystem : crDrawn;
    }
    // A combo cell's field, and the button square at its right end.
    static CRect ComboFrameRect(const CRect& rcCell);
    static CRect ComboButtonRect(const CRect& rcFrame);

    // Interaction (xlist_interaction.cpp)
    void NotifyParent(UINT nMessage, int nItem, int nSubItem);
    // Opens the drop list of a combo cell under it, its choice selected.
    void OpenDropList(int nItem, int nSubItem);
    void CancelDropList();
    void CloseDropList();
    void ReleaseComboButton();
    int RowFromPoint(CPoint point) const;
    int ColumnFromPoint(int nItem, CPoint point) const;

    // Message handlers
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    // wParam: a context to paint into, or none for the window's own.
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    BOOL OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnDropListChoose(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropListEscape(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropListKeyDown(WPARAM wParam, LPARAM lParam);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnSysColorChange();
    LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnInsertColumn(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteAllItems(WPARAM wParam, LPARAM lParam);

    // Data members
    CString m_strEmptyText; // drawn in an empty list
    CXHeaderCtrl m_wndHeader;
    UINT m_nDpi = kLayoutDpi;
    BOOL m_bHeaderHooked = FALSE;

    // The system colours the painters use, re-read on WM_SYSCOLORCHANGE.
    COLORREF m_crBtnFace;
    COLORREF m_crBtnShadow;
    COLORREF m_crBtnText;
    COLORREF m_crGrayText;
    COLORREF m_crHighlight;
    COLORREF m_crHighlightText;
    COLORREF m_crWindow;
    COLORREF m_crWindowText;
    // The background the owner asked for, kept for when High Contrast is turned off again.
    std::optional<COLORREF> m_crListBack;
    // Whether this repaint draws in the system's colours only, as High Contrast asks.
    BOOL m_bHighContrast = FALSE;

    // The active combo cell and its drop list.
    BOOL m_bComboArmed = FALSE;
    int m_nComboRow = 0;
    int m_nComboCol = 0;
    CRect m_rcComboButton;
    CWndPtr<CXComboList> m_pDropList;
    // The drop list's font, a copy of the cells' font; made again when that font changes.
    CFont m_fontDropList;
    LOGFONTW m_lfDropList{};
    // Whether this repaint frames the focused row: the list has the focus and shows it.
    BOOL m_bFrameFocusedRow = FALSE;
    CString m_strComboUndo;

    // Every cell array this control made, by the address stored as the row's item data.
    // Item data that is not found here is never read as cell data.
    std::unordered_map<LPARAM, CellArray> m_cellArrays;

    DECLARE_MESSAGE_MAP()
};
