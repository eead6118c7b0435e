// Shared by the list control's tests: the control with its inner state in view, a frame and
// a modal dialog to host it, real input, and a stand-in for the system colours.
#pragma once

#include <functional>
#include <vector>

#include "controls/list/xlist_ctrl.h"
#include "framework/winapp.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/pixels.h"
#include "tests/support/scripted_dialog.h"

namespace xlisttest {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class CTestXList : public CXListCtrl {
public:
    using CXListCtrl::GetCell;
    size_t CellArrayCount() const { return m_cellArrays.size(); }
    CXComboList* DropList() const { return m_pDropList.get(); }
    CRect PressedButtonRect() const { return m_rcComboButton; }
    CWnd* HeaderObject() { return &m_wndHeader; }
    BOOL IsComboArmed() const { return m_bComboArmed; }
    const CString& ComboUndoText() const { return m_strComboUndo; }
    // Puts proc where default processing goes, in front of the list view's own window
    // procedure; returns the procedure it replaced.
    WNDPROC InterposeDefaultProc(WNDPROC proc) {
        WNDPROC old = m_pfnSuper;
        m_pfnSuper = proc;
        return old;
    }
};

// Report columns of the given widths.
void AddColumns(CListCtrl& list, std::initializer_list<int> widths);
CRect CellRect(CXListCtrl& list, int nItem, int nSubItem);
POINT CellPoint(CXListCtrl& list, int nItem, int nSubItem, int dx = 0);
// The visible pop-up of this thread that holds a list box: the drop list.
HWND FindDropListWindow();

// A visible, inactive top-level window with a report list over its client area.
class CListFrame : public CWnd {
public:
    // The frame goes first, taking the list's window while the list object is whole.
    ~CListFrame() override { DestroyWindow(); }
    BOOL Create(int x, int y, int cx, int cy);
    CTestXList m_list;
};

using input::ClickAt;
using input::MoveMouseTo;
using input::PressKey;

// Makes GetSysColor answer cr for nIndex in this module until destroyed, as a change of the
// system colours would; the real system colours stay as they are.
class CSysColorOverride {
public:
    CSysColorOverride(int nIndex, COLORREF cr);
    ~CSysColorOverride();
    CSysColorOverride(const CSysColorOverride&) = delete;
    CSysColorOverride& operator=(const CSysColorOverride&) = delete;

private:
    int m_nIndex;
};

// What the host dialog heard from the list, with the state when it arrived.
struct Notice {
    UINT message; // a WM_XLISTCTRL_* message, or WM_NOTIFY for LVN_COLUMNCLICK
    int nItem;
    int nSubItem;
    int nHeaderCheck; // GetHeaderCheck(nSubItem) then
    CString strText;  // the cell's text then
};

// A scripted dialog that holds the list (subclassed from its template, with full-row selection
// as the main form has it) and starts its script in front, with the list focused.
class CScriptDialog : public test::CScriptedDialog {
public:
    CScriptDialog();

    CTestXList m_list;
    std::vector<Notice> m_notices;
    std::function<void(CTestXList&)> m_onInit;

    void ClickCell(int nItem, int nSubItem, int dx = 0);
    void Key(WORD vk) {
        Then([vk] { PressKey(vk); });
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT RecordCellNotice(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCheckboxClicked(WPARAM wParam, LPARAM lParam);
    LRESULT OnComboSelection(WPARAM wParam, LPARAM lParam);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};

} // namespace xlisttest
