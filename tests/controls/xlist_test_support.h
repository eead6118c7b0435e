// Shared by the list control's tests: the control with its inner state in view, windows that
// host it, pixels read back from the screen, real mouse and key input, a stand-in for the
// system colours, and a dialog that runs a script of steps inside its own modal loop.
#pragma once

#include <functional>
#include <vector>

#include "controls/list/xlist_ctrl.h"
#include "framework/dialog.h"

namespace xlisttest {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The control with the state its tests look at.
class CTestXList : public CXListCtrl {
public:
    using CXListCtrl::GetCell;
    size_t CellArrayCount() const { return m_cellArrays.size(); }
    CXComboList* DropList() const { return m_pDropList.get(); }
    CRect ComboButtonRect() const { return m_rcComboButton; }
    BOOL IsHeaderHooked() const { return m_bHeaderHooked; }
    CWnd* HeaderObject() { return &m_wndHeader; }
    BOOL IsComboArmed() const { return m_bComboArmed; }
    const CString& ComboUndoText() const { return m_strComboUndo; }
};

// Inserts report columns of the given widths, named "C0", "C1", ...
void AddColumns(CListCtrl& list, std::initializer_list<int> widths);

// A visible top-level window with a report list as its child, for tests that need no
// modal loop. Notifications reach the list through the frame's reflection.
class CListFrame : public CWnd {
public:
    // Creates the frame at (x, y) on the screen and the list over its client area.
    BOOL Create(int x, int y, int cx, int cy, DWORD dwListStyle = 0);
    CTestXList m_list;
};

// The list window's client area as the screen shows it, copied once.
class CClientPixels {
public:
    explicit CClientPixels(HWND hWnd);
    COLORREF At(int x, int y) const;
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // Points of rc whose colour is cr.
    std::vector<POINT> Find(const RECT& rc, COLORREF cr) const;
    // Whether every point of rc has the colour cr.
    bool AllOf(const RECT& rc, COLORREF cr) const;

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<COLORREF> m_pixels;
};

// Runs the window messages of this thread through the library's pre-translation for a time.
void PumpFor(int nMilliseconds);

// Real input through the system's input queue.
void MoveMouseTo(HWND hWnd, POINT client);
void ClickAt(HWND hWnd, POINT client);
void PressKey(WORD vk);

// Makes GetSysColor answer cr for nIndex, as a system colour change would, for this module
// only, until destroyed. The real system colours stay as they are.
class CSysColorOverride {
public:
    CSysColorOverride(int nIndex, COLORREF cr);
    ~CSysColorOverride();
    CSysColorOverride(const CSysColorOverride&) = delete;
    CSysColorOverride& operator=(const CSysColorOverride&) = delete;

private:
    int m_nIndex;
};

// What the host dialog heard from the list, with the state at that moment.
struct Notice {
    UINT message;     // a registered WM_XLISTCTRL_* message, or WM_NOTIFY for LVN_COLUMNCLICK
    int nItem;        // row (-1 for a column click)
    int nSubItem;     // column
    int nHeaderCheck; // GetHeaderCheck(column) when it arrived
    CString strText;  // the cell's text when it arrived
};

// A dialog holding the list (subclassed from its template) that, once shown, runs its steps
// one after another from a timer inside its own modal loop, then closes.
class CScriptDialog : public CDialog {
public:
    CScriptDialog();

    CTestXList m_list;
    std::vector<Notice> m_notices;
    // Sets the list up during WM_INITDIALOG.
    std::function<void(CTestXList&)> m_onInit;

    // A step that runs once.
    void Then(std::function<void()> step);
    // A step that waits until pred holds; after nTimeout ms the test fails and the run ends.
    void WaitUntil(std::function<bool()> pred, const char* what, int nTimeout = 3000);
    void Wait(int nMilliseconds);
    // Runs the dialog with its script; false when a wait timed out.
    bool Run();

    // Shorthands for steps; cells are measured when the step runs.
    void ClickCell(int nItem, int nSubItem, int dx = 0);
    void Key(WORD vk) {
        Then([vk] { PressKey(vk); });
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnCheckboxClicked(WPARAM wParam, LPARAM lParam);
    LRESULT OnComboSelection(WPARAM wParam, LPARAM lParam);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);

    struct Step {
        std::function<bool()> run; // true when done
        const char* what;
        int nTimeout;
    };
    std::vector<Step> m_steps;
    size_t m_nStep = 0;
    DWORD m_dwStepStart = 0;
    bool m_bTimedOut = false;

    DECLARE_MESSAGE_MAP()
};

// The centre of a cell in list client coordinates, and its bounds.
CRect CellRect(CXListCtrl& list, int nItem, int nSubItem);
POINT CellPoint(CXListCtrl& list, int nItem, int nSubItem, int dx = 0);
// The first visible pop-up window of this thread that holds a list box: the drop list.
HWND FindDropListWindow();

} // namespace xlisttest
