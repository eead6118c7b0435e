// The list control under real mouse and key input, hosted in a modal dialog: check cells,
// header check boxes, combo cells with their drop list, per-cell tool tips, and the timers
// the control keeps from the list view.
#include <gtest/gtest.h>

#include <vector>

#include "controls/list/registered_messages.h"
#include "xlist_test_support.h"

using namespace xlisttest;

namespace {

POINT HeaderItemPoint(CXListCtrl& list, int nItem, int dx = 0) {
    CRect rc;
    ::SendMessageW(list.GetHeaderCtrlHandle(), HDM_GETITEMRECT, static_cast<WPARAM>(nItem),
                   reinterpret_cast<LPARAM>(&rc));
    POINT pt = {rc.CenterPoint().x + dx, rc.CenterPoint().y};
    ::MapWindowPoints(list.GetHeaderCtrlHandle(), list.m_hWnd, &pt, 1);
    return pt;
}

TEST(XListCheckBoxes, CheckCellTogglesAnywhereInTheCellAndTellsTheParentBeforeTheHeader) {
    CScriptDialog dlg;
    CTestXList& list = dlg.m_list;
    dlg.m_onInit = [](CTestXList& l) {
        AddColumns(l, {150, 250});
        for (int i = 0; i < 3; ++i) {
            l.InsertItem(i, L"row");
            l.SetItemText(i, 1, L"option");
            l.SetCheckbox(i, 1, i < 2 ? 1 : 0);
        }
        l.SetHeaderCheck(1, 1);
    };
    dlg.ClickCell(2, 1, 120); // far right of the box
    dlg.WaitUntil([&] { return dlg.m_notices.size() == 1; }, "first notice");
    dlg.Then([&] { EXPECT_EQ(list.GetHeaderCheck(1), 2); });
    dlg.ClickCell(0, 1);
    dlg.WaitUntil([&] { return dlg.m_notices.size() == 2; }, "second notice");
    dlg.Then([&] {
        EXPECT_EQ(list.GetCheckbox(0, 1), 0);
        EXPECT_EQ(list.GetCheckbox(2, 1), 1);
        EXPECT_EQ(list.GetHeaderCheck(1), 1);
    });
    ASSERT_TRUE(dlg.Run());
    const Notice& first = dlg.m_notices[0];
    EXPECT_EQ(first.message, WM_XLISTCTRL_CHECKBOX_CLICKED);
    EXPECT_EQ(first.nItem, 2);
    EXPECT_EQ(first.nSubItem, 1);
    EXPECT_EQ(first.nHeaderCheck, 1); // the header follows only after the parent heard
    EXPECT_EQ(dlg.m_notices[1].nItem, 0);
    EXPECT_EQ(dlg.m_notices[1].nHeaderCheck, 2);
}

TEST(XListCheckBoxes, ClicksOnDisabledRowsAndRowsWithoutCellDataAreSwallowed) {
    CScriptDialog dlg;
    CTestXList& list = dlg.m_list;
    dlg.m_onInit = [](CTestXList& l) {
        AddColumns(l, {150, 250});
        l.InsertItem(0, L"disabled");
        l.SetCheckbox(0, 1, 0);
        l.SetRowEnabled(0, FALSE);
        static_cast<CListCtrl&>(l).InsertItem(1, L"no cell data");
        l.InsertItem(2, L"enabled");
    };
    dlg.ClickCell(0, 1);
    dlg.ClickCell(1, 1);
    dlg.Wait(300);
    dlg.Then([&] {
        EXPECT_EQ(list.GetCheckbox(0, 1), 0);
        EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED) | list.GetItemState(1, LVIS_SELECTED), 0u);
    });
    dlg.ClickCell(2, 1);
    dlg.WaitUntil([&] { return list.GetItemState(2, LVIS_SELECTED) != 0; }, "row 2 selected");
    ASSERT_TRUE(dlg.Run());
    EXPECT_TRUE(dlg.m_notices.empty());
}

TEST(XListCheckBoxes, HeaderCheckBoxSetsAndClearsTheColumnAndTheParentHearsEveryColumnClick) {
    CScriptDialog dlg;
    CTestXList& list = dlg.m_list;
    dlg.m_onInit = [](CTestXList& l) {
        AddColumns(l, {150, 250});
        for (int i = 0; i < 3; ++i)
            l.InsertItem(i, L"row");
        l.SetCheckbox(0, 1, 0);
        l.SetCheckbox(1, 1, 1);
        l.SetHeaderCheck(1, 1);
    };
    // Each click lands a little aside of the last, so that none makes a double click.
    dlg.Then([&] { ClickAt(list.m_hWnd, HeaderItemPoint(list, 1)); });
    dlg.WaitUntil([&] { return dlg.m_notices.size() == 1; }, "first column click");
    dlg.Then([&] {
        EXPECT_EQ(list.GetHeaderCheck(1), 2);
        EXPECT_EQ(list.GetCheckbox(0, 1), 1);
        EXPECT_EQ(list.GetCheckbox(2, 1), -1); // not a check box cell
        ClickAt(list.m_hWnd, HeaderItemPoint(list, 1, 12));
    });
    dlg.WaitUntil([&] { return dlg.m_notices.size() == 2; }, "second column click");
    dlg.Then([&] {
        EXPECT_EQ(list.GetHeaderCheck(1), 1);
        EXPECT_EQ(list.GetCheckbox(0, 1) + list.GetCheckbox(1, 1), 0);
        ClickAt(list.m_hWnd, HeaderItemPoint(list, 0));
    });
    dlg.WaitUntil([&] { return dlg.m_notices.size() == 3; }, "click on a plain column");
    dlg.Then([&] { EXPECT_EQ(list.GetCheckbox(0, 1), 0); });
    ASSERT_TRUE(dlg.Run());
    for (const Notice& notice : dlg.m_notices)
        EXPECT_EQ(notice.message, static_cast<UINT>(WM_NOTIFY)); // no check box notices
    EXPECT_EQ(dlg.m_notices[2].nSubItem, 0);
    EXPECT_EQ(dlg.m_notices[2].nHeaderCheck, 0);
}

class XListComboInput : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* s : {L"alpha", L"", L"beta", L"gamma", L"delta"})
            m_choices.Add(s);
        m_dlg.m_onInit = [this](CTestXList& l) {
            AddColumns(l, {150, 250});
            l.InsertItem(0, L"row 0");
            l.InsertItem(1, L"row 1");
            l.SetItemText(0, 1, m_strStart);
            l.SetComboBox(0, 1, TRUE, &m_choices, 4, 0);
        };
    }
    CTestXList& list() { return m_dlg.m_list; }
    CListBox* ListBox() { return list().DropList() ? &list().DropList()->m_ListBox : nullptr; }
    void OpenDropList() {
        m_dlg.Then([this] {
            CRect rc = CellRect(list(), 0, 1);
            ClickAt(list().m_hWnd, {rc.right - rc.Height() / 2, rc.CenterPoint().y});
        });
        m_dlg.WaitUntil([] { return FindDropListWindow() != nullptr; }, "drop list open");
        // The list view may take the focus back on the press; the watch timer returns it.
        m_dlg.WaitUntil([this] { return ListBox() && ::GetFocus() == ListBox()->m_hWnd; },
                        "focus in the drop list");
    }
    void WaitForText(const wchar_t* text) {
        m_dlg.WaitUntil([this, text] { return list().GetItemText(0, 1) == text; }, "cell text");
    }
    void WaitForClose() {
        m_dlg.WaitUntil([] { return FindDropListWindow() == nullptr; }, "drop list closed");
    }

    CStringArray m_choices;
    CString m_strStart = L"beta";
    CScriptDialog m_dlg;
};

TEST_F(XListComboInput, ButtonOpensTheListUnderTheCellKeysPreviewAndEnterCommitsBeforeNotifying) {
    OpenDropList();
    m_dlg.WaitUntil([this] { return !list().IsComboArmed() && !list().GetCell(0, 1)->bComboDown; },
                    "button released");
    m_dlg.Then([this] {
        CRect rcDrop;
        ::GetWindowRect(FindDropListWindow(), &rcDrop);
        list().ScreenToClient(&rcDrop);
        CRect rc = CellRect(list(), 0, 1);
        EXPECT_EQ(rcDrop, CRect(rc.left + 1, rc.bottom, rc.right - 3, rcDrop.bottom));
        CRect rcButton(rc.right - 2 - rc.Height(), rc.top, rc.right - 1, rc.bottom + 1);
        rcButton.DeflateRect(2, 2);
        EXPECT_EQ(list().PressedButtonRect(), rcButton);
        EXPECT_EQ(ListBox()->GetCount(), 4); // without the empty choice
        EXPECT_EQ(ListBox()->GetCurSel(), 1);
    });
    m_dlg.Key(VK_DOWN);
    WaitForText(L"gamma");
    // The mouse picks the last entry; that alone changes no text.
    m_dlg.Then([this] {
        CRect rcItem;
        ListBox()->SendMessage(LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&rcItem));
        MoveMouseTo(ListBox()->m_hWnd, rcItem.CenterPoint());
    });
    m_dlg.WaitUntil([this] { return ListBox()->GetCurSel() == 3; }, "hover on delta");
    m_dlg.Then([this] { EXPECT_EQ(list().GetItemText(0, 1), CString(L"gamma")); });
    m_dlg.Key(VK_RETURN);
    WaitForClose();
    m_dlg.Then([this] { EXPECT_EQ(list().GetItemText(0, 1), CString(L"delta")); });
    ASSERT_TRUE(m_dlg.Run());
    ASSERT_EQ(m_dlg.m_notices.size(), 1u);
    EXPECT_EQ(m_dlg.m_notices[0].message, WM_XLISTCTRL_COMBO_SELECTION);
    EXPECT_EQ(m_dlg.m_notices[0].nItem, 0);
    EXPECT_EQ(m_dlg.m_notices[0].nSubItem, 1);
    EXPECT_EQ(m_dlg.m_notices[0].strText, CString(L"delta"));
}

TEST_F(XListComboInput, EscapeRestoresTheChoiceTheDropListOpenedWith) {
    m_strStart = L"zeta"; // not among the choices: the list opens on its first entry
    OpenDropList();
    m_dlg.Then([this] { EXPECT_EQ(list().ComboUndoText(), CString(L"alpha")); });
    m_dlg.Key(VK_DOWN);
    m_dlg.Key(VK_DOWN);
    WaitForText(L"gamma");
    m_dlg.Key(VK_ESCAPE);
    WaitForClose();
    m_dlg.Then([this] { EXPECT_EQ(list().GetItemText(0, 1), CString(L"alpha")); });
    ASSERT_TRUE(m_dlg.Run());
    EXPECT_TRUE(m_dlg.m_notices.empty());
}

TEST_F(XListComboInput, DropListTakesTheFontTheListHasWhenItOpens) {
    // As after a move to a monitor of another scale, where the owner gives the list a new font.
    LOGFONTW lfBig{};
    lfBig.lfHeight = -30;
    ::lstrcpyW(lfBig.lfFaceName, L"Tahoma");
    CFont fontBig;
    ASSERT_TRUE(fontBig.CreateFontIndirect(&lfBig));
    auto dropFontHeight = [this] {
        LOGFONTW lf{};
        ::GetObjectW(reinterpret_cast<HFONT>(ListBox()->SendMessage(WM_GETFONT)), sizeof(lf), &lf);
        return lf.lfHeight;
    };
    OpenDropList();
    m_dlg.Then([&] { EXPECT_NE(dropFontHeight(), lfBig.lfHeight); });
    m_dlg.Key(VK_ESCAPE);
    WaitForClose();
    m_dlg.Then([&] { list().SetFont(fontBig, TRUE); });
    OpenDropList();
    m_dlg.Then([&] { EXPECT_EQ(dropFontHeight(), lfBig.lfHeight); });
    m_dlg.Key(VK_ESCAPE);
    WaitForClose();
    ASSERT_TRUE(m_dlg.Run());
}

TEST_F(XListComboInput, TextPartOpensNothingAndDropsAnOpenListWhileAPlainCellCancelsIt) {
    m_dlg.ClickCell(0, 1, -100);
    m_dlg.Wait(400);
    m_dlg.Then([this] {
        EXPECT_EQ(FindDropListWindow(), nullptr);
        EXPECT_FALSE(list().IsComboArmed());
    });
    OpenDropList();
    m_dlg.Key(VK_DOWN);
    WaitForText(L"gamma");
    m_dlg.ClickCell(0, 1, -100); // closed at once, the preview stays
    WaitForClose();
    OpenDropList();
    m_dlg.Key(VK_DOWN);
    WaitForText(L"delta");
    m_dlg.ClickCell(1, 0); // cancelled: back to the text it opened with
    WaitForClose();
    m_dlg.Then([this] { EXPECT_EQ(list().GetItemText(0, 1), CString(L"gamma")); });
    ASSERT_TRUE(m_dlg.Run());
    EXPECT_TRUE(m_dlg.m_notices.empty());
}

TEST(XListToolTips, EachCellLabelIsAToolOfItsOwnShowingItsTipText) {
    CScriptDialog dlg;
    CTestXList& list = dlg.m_list;
    dlg.m_onInit = [](CTestXList& l) {
        AddColumns(l, {150, 250});
        l.InsertItem(0, L"row zero");
        l.InsertItem(1, L"row one");
        l.SetItemText(0, 1, L"no tip");
        l.SetItemText(1, 1, L"tip here");
        l.SetItemToolTipText(0, 0, L"first tip");
        l.SetItemToolTipText(1, 1, L"second tip");
        l.EnableToolTips(TRUE);
    };
    // The shown tip's tool id and text, or 0 and "" when none shows.
    auto shown = [](CString& text) {
        HWND hTip = CWnd::GetToolTipWindow();
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        if (!::IsWindowVisible(hTip) ||
            !::SendMessageW(hTip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&ti)))
            return UINT_PTR{0};
        wchar_t buffer[100] = {};
        ::SendMessageW(hTip, WM_GETTEXT, 100, reinterpret_cast<LPARAM>(buffer));
        text = buffer;
        return ti.uId;
    };
    // The mouse rests on each label until its tip shows.
    CString text;
    for (auto [row, col] : {std::pair{0, 0}, {1, 1}}) {
        dlg.Then([&, row, col] {
            CRect rc = CellRect(list, row, col);
            MoveMouseTo(list.m_hWnd, {rc.left + 12, rc.CenterPoint().y});
        });
        dlg.WaitUntil([&, row, col] { return shown(text) == UINT_PTR(row * 1000 + col + 1); },
                      "tip shown");
        dlg.Then([&, row] { EXPECT_EQ(text, CString(row == 0 ? L"first tip" : L"second tip")); });
    }
    dlg.Then([&] { MoveMouseTo(list.m_hWnd, CellPoint(list, 0, 1)); });
    dlg.Wait(1500);
    dlg.Then([&] {
        EXPECT_EQ(shown(text), 0u); // an empty tip text shows nothing
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        EXPECT_EQ(list.OnToolHitTest(CellPoint(list, 0, 1), &ti), 2);
        EXPECT_EQ(list.OnToolHitTest(CPoint(5, CellRect(list, 1, 0).bottom + 30), &ti), -1);
    });
    ASSERT_TRUE(dlg.Run());
}

// Timer ids that reached the list view's own window procedure.
std::vector<UINT_PTR> g_timersPassedOn;
WNDPROC g_listViewProc = nullptr;

LRESULT CALLBACK RecordTimers(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER)
        g_timersPassedOn.push_back(wParam);
    return ::CallWindowProcW(g_listViewProc, hWnd, message, wParam, lParam);
}

TEST(XListTimers, OnlyTheControlsOwnFourTimersAreKeptFromTheListView) {
    CListFrame frame;
    ASSERT_TRUE(frame.Create(20, 20, 400, 200));
    g_listViewProc = frame.m_list.InterposeDefaultProc(RecordTimers);
    const struct {
        UINT_PTR id;
        bool passedOn;
    } cases[] = {{1, false}, {2, false}, {3, false},    {4, false},
                 {0, true},  {5, true},  {12347, true}, {0x10000, true}};
    for (const auto& c : cases) {
        g_timersPassedOn.clear();
        frame.m_list.SendMessage(WM_TIMER, c.id);
        EXPECT_EQ(g_timersPassedOn,
                  c.passedOn ? std::vector<UINT_PTR>{c.id} : std::vector<UINT_PTR>{})
            << "timer " << c.id;
    }
    frame.m_list.InterposeDefaultProc(g_listViewProc);
}

} // namespace
