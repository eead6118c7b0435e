// The combo drop list: its layout, hover tracking, and the four reports to the list control
// for keys, mouse releases and focus losses. Keys and clicks are real input (SendInput) run
// through a message pump that does the library's pre-translation, as the program's loops do.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/list/registered_messages.h"
#include "controls/list/xcombo_list.h"
#include "controls/list/xlist_ctrl.h"
#include "framework/winapp.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace {

struct Report {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int nSelection; // the list box's selection when the list control was told
    int nScrollPos; // the scroll bar's position then
};

// Stands in for the list control: records the drop list's reports and lends its font.
class CRecordingList : public CWnd {
public:
    std::vector<Report> m_reports;
    CXComboList* m_pDrop = nullptr;
    HFONT m_hFont = nullptr;

    std::vector<UINT> Messages() const {
        std::vector<UINT> messages;
        for (const Report& r : m_reports)
            messages.push_back(r.message);
        return messages;
    }

protected:
    LRESULT Record(UINT message, WPARAM wParam, LPARAM lParam) {
        Report r{message, wParam, lParam, LB_ERR, -1};
        if (m_pDrop && m_pDrop->m_ListBox.m_hWnd)
            r.nSelection = m_pDrop->m_ListBox.GetCurSel();
        if (m_pDrop && m_pDrop->m_wndSBVert.m_hWnd)
            r.nScrollPos = m_pDrop->m_wndSBVert.GetScrollPos();
        m_reports.push_back(r);
        return 0;
    }
    LRESULT OnReturn(WPARAM w, LPARAM l) { return Record(WM_XCOMBOLIST_VK_RETURN, w, l); }
    LRESULT OnEscape(WPARAM w, LPARAM l) { return Record(WM_XCOMBOLIST_VK_ESCAPE, w, l); }
    LRESULT OnKeyDown(WPARAM w, LPARAM l) { return Record(WM_XCOMBOLIST_KEYDOWN, w, l); }
    LRESULT OnClick(WPARAM w, LPARAM l) { return Record(WM_XCOMBOLIST_CLICK, w, l); }
    LRESULT OnGetFont(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hFont); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingList, CWnd)
ON_REGISTERED_MESSAGE(WM_XCOMBOLIST_VK_RETURN, OnReturn)
ON_REGISTERED_MESSAGE(WM_XCOMBOLIST_VK_ESCAPE, OnEscape)
ON_REGISTERED_MESSAGE(WM_XCOMBOLIST_KEYDOWN, OnKeyDown)
ON_REGISTERED_MESSAGE(WM_XCOMBOLIST_CLICK, OnClick)
ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

constexpr int kScrollBarWidth = CXListCtrl::kDropListScrollBarWidth;
const CRect kDropRect(150, 150, 350, 250);

void PressKey(WORD vk) {
    input::PressKey(vk);
    test::Pump(60);
}

std::vector<CString> Entries(int nCount) {
    std::vector<CString> entries(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i)
        entries[static_cast<size_t>(i)].Format(L"entry %d", i);
    return entries;
}

void ClickAt(CPoint screen) {
    input::MoveMouse(screen);
    test::Pump(20);
    input::MouseButton(true);
    input::MouseButton(false);
    test::Pump(60);
}

// Parks the mouse where it cannot hover over a drop list.
void ParkCursor() { ::SetCursorPos(5, 1000); }

CRect ChildRectIn(const CWnd& child, const CWnd& parent) {
    CRect rc;
    child.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    return rc;
}

class DropListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ParkCursor();
        ASSERT_TRUE(m_list.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE,
                                    CRect(100, 100, 500, 400), nullptr, 0));
        test::Pump(20);
    }
    void TearDown() override {
        // The list control's way out: destroy the window, then delete the object.
        if (m_drop && m_drop->m_hWnd)
            m_drop->DestroyWindow();
        m_drop.reset();
        m_list.m_pDrop = nullptr;
    }

    // Creates the drop list the way the list control does, without activating it.
    CXComboList& Create(const std::vector<CString>& choices, int nSelection) {
        m_drop = std::make_unique<CXComboList>(&m_list);
        m_list.m_pDrop = m_drop.get();
        LPCWSTR cls =
            AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC, ::LoadCursor(nullptr, IDC_ARROW));
        EXPECT_TRUE(m_drop->CreateEx(0, cls, L"", WS_POPUP | WS_VISIBLE | WS_BORDER, kDropRect,
                                     &m_list, 0));
        for (const CString& choice : choices)
            m_drop->m_ListBox.AddString(choice);
        m_drop->m_ListBox.SetCurSel(nSelection);
        test::Pump(20);
        return *m_drop;
    }
    // The middle of the drop list's item n on the screen.
    CPoint ItemOnScreen(int n) const {
        CRect item;
        m_drop->m_ListBox.SendMessage(LB_GETITEMRECT, n, reinterpret_cast<LPARAM>(&item));
        CPoint pt = item.CenterPoint();
        m_drop->m_ListBox.ClientToScreen(&pt);
        return pt;
    }

    // Creates it five rows high plus 3 pixels and activates it.
    CXComboList& Open(const std::vector<CString>& choices, int nSelection) {
        CXComboList& drop = Create(choices, nSelection);
        m_nItemHeight = drop.m_ListBox.GetItemHeight(0);
        drop.MoveWindow(kDropRect.left, kDropRect.top, kDropRect.Width(), 5 * m_nItemHeight + 3);
        drop.SetActive(kScrollBarWidth);
        test::Pump(20);
        m_list.m_reports.clear();
        return drop;
    }

    SCROLLINFO ScrollInfo() const {
        SCROLLINFO si{};
        m_drop->m_wndSBVert.GetScrollInfo(&si);
        return si;
    }
    int ScrollPos() const { return m_drop->m_wndSBVert.GetScrollPos(); }

    CAutoWnd<CRecordingList> m_list;
    std::unique_ptr<CXComboList> m_drop;
    int m_nItemHeight = 0;
};

// --- Layout ----------------------------------------------------------------------------------

TEST_F(DropListTest, FirstActivationAloneRoundsTheHeightToWholeRowsAndLaysOutListAndBar) {
    CXComboList& drop = Open(Entries(20), -1);
    int h = m_nItemHeight;
    ASSERT_GT(h, 3);

    CRect window;
    drop.GetWindowRect(&window);
    EXPECT_EQ(window,
              CRect(kDropRect.left, kDropRect.top, kDropRect.right, kDropRect.top + 5 * h + 4));
    // A one-pixel border on each side leaves a client area 198 pixels wide.
    EXPECT_EQ(ChildRectIn(drop.m_ListBox, drop), CRect(1, 1, 198 - kScrollBarWidth, 1 + 5 * h));
    EXPECT_EQ(ChildRectIn(drop.m_wndSBVert, drop), CRect(198 - kScrollBarWidth, 1, 198, 1 + 5 * h));
    EXPECT_EQ(::GetFocus(), drop.m_ListBox.m_hWnd);

    SCROLLINFO si = ScrollInfo();
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 20);
    EXPECT_EQ(si.nPage, 5u);
    EXPECT_EQ(si.nPos, 0);
    EXPECT_EQ(drop.m_ListBox.GetTopIndex(), 0);

    // Later activations only give the focus back.
    drop.MoveWindow(kDropRect.left, kDropRect.top, kDropRect.Width(), 7 * h + 3);
    drop.SetFocus();
    drop.SetActive(kScrollBarWidth);
    drop.GetWindowRect(&window);
    EXPECT_EQ(window.Height(), 7 * h + 3);
    EXPECT_EQ(::GetFocus(), drop.m_ListBox.m_hWnd);
}

TEST_F(DropListTest, SelectionSevenShowsOneEntryAboveItAndPutsTheBarOnIt) {
    CXComboList& drop = Open(Entries(20), 7);
    EXPECT_EQ(drop.m_ListBox.GetTopIndex(), 6);
    EXPECT_EQ(ScrollPos(), 7);
}

TEST_F(DropListTest, ListBoxTakesTheListControlsFontAndSetFontGoesToTheListBox) {
    LOGFONTW lf{};
    lf.lfHeight = -20;
    wcscpy(lf.lfFaceName, L"Tahoma");
    CFont listFont, otherFont;
    listFont.CreateFontIndirect(&lf);
    lf.lfHeight = -9;
    otherFont.CreateFontIndirect(&lf);
    m_list.m_hFont = listFont;

    CXComboList& drop = Create({L"one", L"two"}, 0);
    EXPECT_EQ(drop.m_ListBox.GetFont(), HFONT(listFont));
    drop.SetFont(&otherFont, FALSE);
    EXPECT_EQ(drop.m_ListBox.GetFont(), HFONT(otherFont));
    drop.SetFont(nullptr, FALSE);
    EXPECT_EQ(drop.m_ListBox.GetFont(), nullptr);
    drop.DestroyWindow();
}

// --- Hover tracking --------------------------------------------------------------------------

TEST_F(DropListTest, SelectionFollowsTheMouseWithoutReporting) {
    CXComboList& drop = Open(Entries(20), 0);
    CPoint over = ItemOnScreen(3);
    ::SetCursorPos(over.x, over.y);
    test::Pump(250);
    EXPECT_EQ(drop.m_ListBox.GetCurSel(), 3);

    // Outside every entry the selection stays.
    ::SetCursorPos(kDropRect.right + 40, kDropRect.bottom + 60);
    test::Pump(250);
    EXPECT_EQ(drop.m_ListBox.GetCurSel(), 3);
    EXPECT_TRUE(m_list.m_reports.empty());
}

// --- Keys ------------------------------------------------------------------------------------

TEST_F(DropListTest, NavigationKeysTellTheListFirstThenMoveTheScrollBar) {
    CXComboList& drop = Open(Entries(20), 3);
    ASSERT_EQ(::GetForegroundWindow(), drop.m_hWnd);

    PressKey(VK_DOWN);
    ASSERT_EQ(m_list.m_reports.size(), 1u);
    const Report& r = m_list.m_reports[0];
    EXPECT_EQ(r.message, WM_XCOMBOLIST_KEYDOWN);
    EXPECT_EQ(r.wParam, 0u);
    EXPECT_EQ(r.lParam, 0);
    // Told before the list box moves and before the bar follows.
    EXPECT_EQ(r.nSelection, 3);
    EXPECT_EQ(r.nScrollPos, 3);
    EXPECT_EQ(drop.m_ListBox.GetCurSel(), 4);
    EXPECT_EQ(ScrollPos(), 4);

    drop.m_ListBox.SetCurSel(9);
    int sel = 9;
    for (WORD vk : {VK_NEXT, VK_PRIOR, VK_UP, VK_HOME}) {
        int expected = vk == VK_NEXT    ? sel + 4
                       : vk == VK_PRIOR ? sel - 4
                       : vk == VK_UP    ? sel - 1
                                        : 0;
        PressKey(vk);
        EXPECT_EQ(ScrollPos(), expected) << vk;
        sel = drop.m_ListBox.GetCurSel();
    }
    // End asks for the maximum, 20; the bar keeps its thumb inside at 20 - 5 + 1.
    PressKey(VK_END);
    EXPECT_EQ(ScrollPos(), 16);
    EXPECT_EQ(m_list.Messages(), std::vector<UINT>(6, WM_XCOMBOLIST_KEYDOWN));
}

TEST_F(DropListTest, UpAtTheFirstEntryStillReportsAndClampsTheBarToZero) {
    CXComboList& drop = Open(Entries(20), 0);
    drop.m_wndSBVert.SetScrollPos(3);
    PressKey(VK_UP);
    EXPECT_EQ(m_list.Messages(), std::vector<UINT>{WM_XCOMBOLIST_KEYDOWN});
    EXPECT_EQ(ScrollPos(), 0);
}

TEST_F(DropListTest, EnterAndEscapeReportButLeaveTheScrollBarAlone) {
    CXComboList& drop = Open(Entries(20), 2);
    drop.m_wndSBVert.SetScrollPos(6);
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(m_list.Messages(),
              (std::vector<UINT>{WM_XCOMBOLIST_VK_RETURN, WM_XCOMBOLIST_VK_ESCAPE}));
    EXPECT_EQ(ScrollPos(), 6);
    // Nothing else is a report.
    PressKey(VK_F5);
    PressKey('5');
    EXPECT_EQ(m_list.m_reports.size(), 2u);
}

TEST_F(DropListTest, LettersFindTheNextEntryWithThatInitialWrappingAroundOrNothing) {
    CXComboList& drop = Open({L"apple", L"Banana", L"cherry", L"avocado", L"blueberry", L"Apricot",
                              L"m1", L"m2", L"m3", L"m4", L"m5", L"m6"},
                             0);
    struct Step {
        int nFrom;
        WORD vk;
        int nExpected;
    };
    // Upper and lower case match alike; from the last 'a' entry the search wraps to the first;
    // an entry that is the only match is found again.
    for (Step s :
         {Step{0, 'A', 3}, Step{3, 'A', 5}, Step{5, 'A', 0}, Step{2, 'C', 2}, Step{1, 'B', 4}}) {
        drop.m_ListBox.SetCurSel(s.nFrom);
        m_list.m_reports.clear();
        PressKey(s.vk);
        EXPECT_EQ(m_list.Messages(), std::vector<UINT>{WM_XCOMBOLIST_KEYDOWN}) << s.nFrom;
        EXPECT_EQ(ScrollPos(), s.nExpected) << s.nFrom;
    }
    // No entry begins with Q: nothing is reported and the bar stays.
    m_list.m_reports.clear();
    PressKey('Q');
    EXPECT_TRUE(m_list.m_reports.empty());
    EXPECT_EQ(ScrollPos(), 4);
}

// --- Mouse and focus -------------------------------------------------------------------------

TEST_F(DropListTest, ReleaseOverTheListBoxAndPressOnTheMarginReport) {
    CXComboList& drop = Open(Entries(20), 0);
    CPoint onItem = ItemOnScreen(1);
    ClickAt(onItem);
    EXPECT_EQ(m_list.Messages(), std::vector<UINT>{WM_XCOMBOLIST_CLICK});

    // The margin below the list box: the press and then the release each report.
    m_list.m_reports.clear();
    CRect client;
    drop.GetClientRect(&client);
    CPoint onMargin(client.Width() / 2, client.bottom - 1);
    drop.ClientToScreen(&onMargin);
    ClickAt(onMargin);
    EXPECT_EQ(m_list.Messages(), std::vector<UINT>(2, WM_XCOMBOLIST_CLICK));
    ParkCursor();
}

TEST_F(DropListTest, OnlyTheThirdAndLaterFocusLossesReportEscape) {
    CXComboList& drop = Create({L"one", L"two"}, 0);
    ASSERT_EQ(drop.m_nKillFocusCount, 0);
    std::vector<size_t> reportsAfterLoss;
    for (int i = 0; i < 4; ++i) {
        drop.SetFocus();
        drop.m_ListBox.SetFocus();
        reportsAfterLoss.push_back(m_list.m_reports.size());
    }
    EXPECT_EQ(drop.m_nKillFocusCount, 4);
    EXPECT_EQ(reportsAfterLoss, (std::vector<size_t>{0, 0, 1, 2}));
    EXPECT_EQ(m_list.Messages(), std::vector<UINT>(2, WM_XCOMBOLIST_VK_ESCAPE));
}

// --- Scrolling -------------------------------------------------------------------------------

TEST_F(DropListTest, ScrollBarMovesTheEntriesAndItsOwnPositionClamped) {
    CXComboList& drop = Open(Entries(20), -1);
    // A real click on the bar's down arrow.
    CRect bar;
    drop.m_wndSBVert.GetWindowRect(&bar);
    ClickAt(CPoint(bar.left + bar.Width() / 2, bar.bottom - 3));
    ParkCursor();
    EXPECT_EQ(ScrollPos(), 1);
    EXPECT_EQ(drop.m_ListBox.GetTopIndex(), 1);

    auto scroll = [&](UINT code, UINT pos = 0) {
        drop.SendMessage(WM_VSCROLL, MAKEWPARAM(code, pos),
                         reinterpret_cast<LPARAM>(drop.m_wndSBVert.m_hWnd));
    };
    scroll(SB_PAGEDOWN);
    EXPECT_EQ(ScrollPos(), 6);
    // The list box takes a thumb position from its own scroll state; the bar takes the one given.
    scroll(SB_THUMBTRACK, 9);
    EXPECT_EQ(ScrollPos(), 9);
    scroll(SB_ENDSCROLL);
    EXPECT_EQ(ScrollPos(), 9);
    scroll(SB_TOP);
    EXPECT_EQ(ScrollPos(), 0);
    scroll(SB_LINEUP);
    EXPECT_EQ(ScrollPos(), 0);
    scroll(SB_BOTTOM);
    EXPECT_EQ(ScrollPos(), 16);
    EXPECT_TRUE(m_list.m_reports.empty());
}

// --- Without a list box, and the end of life -------------------------------------------------

TEST_F(DropListTest, WithoutItsListBoxTimersScrollingAndActivationDoNothing) {
    CXComboList& drop = Create({L"apple", L"banana"}, 1);
    drop.m_ListBox.DestroyWindow();
    ASSERT_EQ(drop.m_ListBox.m_hWnd, nullptr);
    SCROLLINFO si{};
    si.fMask = SIF_ALL;
    si.nMax = 10;
    si.nPage = 2;
    si.nPos = 3;
    drop.m_wndSBVert.SetScrollInfo(&si);

    drop.SendMessage(WM_TIMER, 1);
    drop.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0),
                     reinterpret_cast<LPARAM>(drop.m_wndSBVert.m_hWnd));
    EXPECT_EQ(ScrollPos(), 3);

    CRect before, after;
    drop.GetWindowRect(&before);
    drop.SetActive(kScrollBarWidth);
    drop.GetWindowRect(&after);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(drop.m_bFirstActivate);

    // A letter then reports at once and puts the bar at the top.
    drop.PostMessage(WM_KEYDOWN, 'B', 0);
    test::Pump(30);
    EXPECT_EQ(m_list.Messages(), std::vector<UINT>{WM_XCOMBOLIST_KEYDOWN});
    EXPECT_EQ(ScrollPos(), 0);
}

} // namespace
