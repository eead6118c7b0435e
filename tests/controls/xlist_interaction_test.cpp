// The list control under real mouse and key input, hosted in a modal dialog: check cells,
// header check boxes, combo cells with their drop list, and per-cell tool tips.
#include <gtest/gtest.h>

#include "controls/list/registered_messages.h"
#include "xlist_test_support.h"

using namespace xlisttest;

namespace {

POINT HeaderItemCentre(CXListCtrl& list, int nItem) {
    CRect rc;
    ::SendMessageW(list.GetHeaderCtrlHandle(), HDM_GETITEMRECT, static_cast<WPARAM>(nItem),
                   reinterpret_cast<LPARAM>(&rc));
    POINT pt = rc.CenterPoint();
    ::MapWindowPoints(list.GetHeaderCtrlHandle(), list.m_hWnd, &pt, 1);
    return pt;
}

// --- Check boxes -----------------------------------------------------------------------------

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
    // Far from the box, at the right end of the cell.
    dlg.Then(
        [&] { ClickAt(list.m_hWnd, CellPoint(list, 2, 1, CellRect(list, 2, 1).Width() / 2 - 4)); });
    dlg.WaitUntil([&] { return dlg.m_notices.size() == 1; }, "first check notice");
    dlg.Then([&] {
        EXPECT_EQ(list.GetCheckbox(2, 1), 1);
        EXPECT_EQ(list.GetHeaderCheck(1), 2);
        ClickAt(list.m_hWnd, CellPoint(list, 0, 1));
    });
    dlg.WaitUntil([&] { return dlg.m_notices.size() == 2; }, "second check notice");
    dlg.Then([&] {
        EXPECT_EQ(list.GetCheckbox(0, 1), 0);
        EXPECT_EQ(list.GetHeaderCheck(1), 1);
    });
    ASSERT_TRUE(dlg.Run());

    const Notice& first = dlg.m_notices[0];
    EXPECT_EQ(first.message, WM_XLISTCTRL_CHECKBOX_CLICKED);
    EXPECT_EQ(first.nItem, 2);
    EXPECT_EQ(first.nSubItem, 1);
    EXPECT_EQ(first.nHeaderCheck, 1); // the header follows only after the parent heard
    const Notice& second = dlg.m_notices[1];
    EXPECT_EQ(second.nItem, 0);
    EXPECT_EQ(second.nHeaderCheck, 2);
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
        EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED), 0u);
        EXPECT_EQ(list.GetItemState(1, LVIS_SELECTED), 0u);
    });
    dlg.ClickCell(2, 1);
    dlg.WaitUntil([&] { return list.GetItemState(2, LVIS_SELECTED) != 0; }, "enabled row selected");
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
    auto columnClicks = [&] {
        size_t n = 0;
        for (const Notice& notice : dlg.m_notices)
            n += notice.message == WM_NOTIFY;
        return n;
    };
    dlg.Then([&] { ClickAt(list.m_hWnd, HeaderItemCentre(list, 1)); });
    dlg.WaitUntil([&] { return columnClicks() == 1; }, "first column click");
    dlg.Then([&] {
        EXPECT_EQ(list.GetHeaderCheck(1), 2);
        EXPECT_EQ(list.GetCheckbox(0, 1), 1);
        EXPECT_EQ(list.GetCheckbox(1, 1), 1);
        EXPECT_EQ(list.GetCheckbox(2, 1), -1); // not a check box cell
        // A little aside, so the two clicks do not make a double click.
        POINT pt = HeaderItemCentre(list, 1);
        ClickAt(list.m_hWnd, {pt.x + 12, pt.y});
    });
    dlg.WaitUntil([&] { return columnClicks() == 2; }, "second column click");
    dlg.Then([&] {
        EXPECT_EQ(list.GetHeaderCheck(1), 1);
        EXPECT_EQ(list.GetCheckbox(0, 1), 0);
        EXPECT_EQ(list.GetCheckbox(1, 1), 0);
        ClickAt(list.m_hWnd, HeaderItemCentre(list, 0));
    });
    dlg.WaitUntil([&] { return columnClicks() == 3; }, "click on a column without check box");
    dlg.Then([&] {
        EXPECT_EQ(list.GetHeaderCheck(0), 0);
        EXPECT_EQ(list.GetCheckbox(0, 1), 0);
    });
    ASSERT_TRUE(dlg.Run());

    ASSERT_EQ(dlg.m_notices.size(), 3u); // no check box notices for header changes
    EXPECT_EQ(dlg.m_notices[0].nSubItem, 1);
    EXPECT_EQ(dlg.m_notices[2].nSubItem, 0);
    EXPECT_EQ(dlg.m_notices[2].nHeaderCheck, 0);
}

// --- Combo cells -----------------------------------------------------------------------------

class XListComboInput : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* s : {L"alpha", L"beta", L"gamma", L"delta"})
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
    POINT ButtonPoint() {
        CRect rc = CellRect(list(), 0, 1);
        return {rc.right - rc.Height() / 2, rc.CenterPoint().y};
    }
    void OpenDropList() {
        m_dlg.Then([this] { ClickAt(list().m_hWnd, ButtonPoint()); });
        m_dlg.WaitUntil([] { return FindDropListWindow() != nullptr; }, "drop list open");
        // The list view may take the focus back on the press; the watch timer returns it.
        m_dlg.WaitUntil([this] { return ListBox() && ::GetFocus() == ListBox()->m_hWnd; },
                        "focus in the drop list");
    }
    CListBox* ListBox() { return list().DropList() ? &list().DropList()->m_ListBox : nullptr; }

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
        CRect rc = CellRect(list(), 0, 1);
        POINT expected = {rc.left + 1, rc.bottom};
        list().ClientToScreen(&expected);
        EXPECT_EQ(rcDrop.TopLeft(), CPoint(expected));
        EXPECT_EQ(ListBox()->GetCurSel(), 1);
        EXPECT_EQ(list().GetItemState(0, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
    });
    m_dlg.Key(VK_DOWN);
    m_dlg.WaitUntil([this] { return list().GetItemText(0, 1) == L"gamma"; }, "preview of gamma");
    // The mouse picks the last entry; that alone changes no text.
    m_dlg.Then([this] {
        CRect rcItem;
        ListBox()->SendMessage(LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&rcItem));
        MoveMouseTo(ListBox()->m_hWnd, rcItem.CenterPoint());
    });
    m_dlg.WaitUntil([this] { return ListBox()->GetCurSel() == 3; }, "hover on delta");
    m_dlg.Then([this] { EXPECT_EQ(list().GetItemText(0, 1), CString(L"gamma")); });
    m_dlg.Key(VK_RETURN);
    m_dlg.WaitUntil([this] { return !m_dlg.m_notices.empty(); }, "combo selection");
    m_dlg.WaitUntil([] { return FindDropListWindow() == nullptr; }, "drop list closed");
    m_dlg.Then([this] {
        EXPECT_EQ(list().GetItemText(0, 1), CString(L"delta"));
        EXPECT_EQ(list().DropList(), nullptr);
    });
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
    m_dlg.Then([this] {
        EXPECT_EQ(list().GetItemText(0, 1), CString(L"zeta"));
        EXPECT_EQ(list().ComboUndoText(), CString(L"alpha"));
    });
    m_dlg.Key(VK_DOWN);
    m_dlg.Key(VK_DOWN);
    m_dlg.WaitUntil([this] { return list().GetItemText(0, 1) == L"gamma"; }, "preview of gamma");
    m_dlg.Key(VK_ESCAPE);
    m_dlg.WaitUntil([] { return FindDropListWindow() == nullptr; }, "drop list closed");
    m_dlg.Then([this] { EXPECT_EQ(list().GetItemText(0, 1), CString(L"alpha")); });
    ASSERT_TRUE(m_dlg.Run());
    EXPECT_TRUE(m_dlg.m_notices.empty());
}

TEST_F(XListComboInput, ClickOnTheTextPartOpensNothingAndDropsAnOpenListWithoutRestoring) {
    auto textPoint = [this] {
        CRect rc = CellRect(list(), 0, 1);
        return POINT{rc.left + 10, rc.CenterPoint().y};
    };
    m_dlg.Then([&] { ClickAt(list().m_hWnd, textPoint()); });
    m_dlg.Wait(400);
    m_dlg.Then([this] {
        EXPECT_EQ(FindDropListWindow(), nullptr);
        EXPECT_FALSE(list().IsComboArmed());
    });
    OpenDropList();
    m_dlg.Key(VK_DOWN);
    m_dlg.WaitUntil([this] { return list().GetItemText(0, 1) == L"gamma"; }, "preview of gamma");
    m_dlg.Then([&] { ClickAt(list().m_hWnd, textPoint()); });
    m_dlg.WaitUntil([] { return FindDropListWindow() == nullptr; }, "drop list closed");
    m_dlg.Wait(300);
    m_dlg.Then([this] { EXPECT_EQ(list().GetItemText(0, 1), CString(L"gamma")); });
    ASSERT_TRUE(m_dlg.Run());
    EXPECT_TRUE(m_dlg.m_notices.empty());
}

TEST_F(XListComboInput, ClickOnAPlainCellCancelsTheDropList) {
    OpenDropList();
    m_dlg.Key(VK_DOWN);
    m_dlg.WaitUntil([this] { return list().GetItemText(0, 1) == L"gamma"; }, "preview of gamma");
    m_dlg.ClickCell(1, 0);
    m_dlg.WaitUntil([] { return FindDropListWindow() == nullptr; }, "drop list closed");
    m_dlg.Then([this] { EXPECT_EQ(list().GetItemText(0, 1), CString(L"beta")); });
    ASSERT_TRUE(m_dlg.Run());
}

// --- Tool tips -------------------------------------------------------------------------------

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
    auto shownTool = [] {
        HWND hTip = CWnd::GetToolTipWindow();
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        if (!hTip || !::IsWindowVisible(hTip) ||
            !::SendMessageW(hTip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&ti)))
            return UINT_PTR{0};
        return ti.uId;
    };
    auto tipText = [] {
        wchar_t text[100] = {};
        ::SendMessageW(CWnd::GetToolTipWindow(), WM_GETTEXT, 100, reinterpret_cast<LPARAM>(text));
        return CString(text);
    };
    // The mouse rests on a label until its tip shows.
    auto hover = [&](int nItem, int nSubItem) {
        return [&, nItem, nSubItem] {
            CRect rc = CellRect(list, nItem, nSubItem);
            MoveMouseTo(list.m_hWnd, {rc.left + 12, rc.CenterPoint().y});
        };
    };
    dlg.Then(hover(0, 0));
    dlg.WaitUntil([&] { return shownTool() == 1; }, "tip of cell (0, 0)");
    dlg.Then([&] { EXPECT_EQ(tipText(), CString(L"first tip")); });
    dlg.Then(hover(1, 1));
    dlg.WaitUntil([&] { return shownTool() == 1 * 1000 + 1 + 1; }, "tip of cell (1, 1)");
    dlg.Then([&] { EXPECT_EQ(tipText(), CString(L"second tip")); });
    dlg.Then(hover(0, 1));
    dlg.Wait(1500);
    dlg.Then([&] {
        EXPECT_EQ(shownTool(), 0u); // an empty tip text shows nothing
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        EXPECT_EQ(list.OnToolHitTest(CellPoint(list, 0, 1), &ti), 2);
        EXPECT_EQ(ti.uId, 2u);
        EXPECT_EQ(ti.hwnd, list.m_hWnd);
        EXPECT_EQ(list.OnToolHitTest(CPoint(5, CellRect(list, 1, 0).bottom + 30), &ti), -1);
    });
    ASSERT_TRUE(dlg.Run());
}

} // namespace
