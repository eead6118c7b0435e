// The list control's cell data and operations: range checks and results, colours and the
// system colour cache, the column-0 rectangle, rows without cell data, the setters' bounds and
// the combo's default choice, and the lifetime of the cell arrays.
#include <gtest/gtest.h>

#include "controls/list/progress_text.h"
#include "xlist_test_support.h"

using namespace xlisttest;

namespace {

constexpr auto kDefault = static_cast<COLORREF>(-1);

class XListData : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_frame.Create(20, 20, 400, 200));
        AddColumns(list(), {120, 200});
    }
    CTestXList& list() { return m_frame.m_list; }
    CListFrame m_frame;
};

TEST_F(XListData, InsertItemRefusesNegativeRowsAndColoursOnlyColumnZero) {
    EXPECT_EQ(list().InsertItem(-1, L"x"), -1);
    EXPECT_EQ(list().InsertItem(-1, L"x", kRed, kBlue), -1);
    EXPECT_EQ(list().GetItemCount(), 0);
    EXPECT_EQ(list().InsertItem(0, L"a", kRed, kBlue), 0);
    EXPECT_EQ(list().InsertItem(5, L"b"), 1);

    const XLISTCELL* c0 = list().GetCell(0, 0);
    const XLISTCELL* c1 = list().GetCell(0, 1);
    ASSERT_TRUE(c0 && c1);
    EXPECT_EQ(c0->crCellText, kRed);
    EXPECT_EQ(c0->crCellBack, kBlue);
    EXPECT_EQ(c1->crCellText, ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(c1->crCellBack, ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(list().GetCell(1, 0)->crCellBack, ::GetSysColor(COLOR_WINDOW));
}

TEST_F(XListData, SetItemTextWithColoursKeepsTextForNullAndTakesWindowColoursOnlyForMinusOne) {
    list().InsertItem(0, L"row");
    list().SetItemText(0, 1, L"old");
    EXPECT_TRUE(list().SetItemText(0, 1, nullptr, kGreen, kRed));
    EXPECT_EQ(list().GetItemText(0, 1), CString(L"old"));
    EXPECT_EQ(list().GetCell(0, 1)->crCellText, kGreen);
    EXPECT_EQ(list().GetCell(0, 1)->crCellBack, kRed);
    EXPECT_TRUE(list().SetItemText(0, 1, L"new", 0, 0));
    EXPECT_EQ(list().GetItemText(0, 1), CString(L"new"));
    EXPECT_EQ(list().GetCell(0, 1)->crCellText, kBlack);
    EXPECT_TRUE(list().SetItemText(0, 1, L"new", kDefault, kDefault));
    EXPECT_EQ(list().GetCell(0, 1)->crCellText, ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(list().GetCell(0, 1)->crCellBack, ::GetSysColor(COLOR_WINDOW));
}

TEST_F(XListData, EveryOperationAnswersItsStatedValueOutsideTheRowsAndColumns) {
    list().InsertItem(0, L"row");
    list().SetCheckbox(0, 1, 1);
    CStringArray choices;
    choices.Add(L"one");
    for (auto [row, col] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 2}}) {
        SCOPED_TRACE(testing::Message() << "row " << row << " column " << col);
        EXPECT_FALSE(list().SetItemText(row, col, L"x"));
        EXPECT_FALSE(list().SetItemText(row, col, nullptr, kRed, kRed));
        CRect rc;
        EXPECT_FALSE(list().GetSubItemRect(row, col, LVIR_BOUNDS, rc));
        list().RedrawCell(row, col);
        EXPECT_FALSE(list().SetBold(row, col, TRUE));
        EXPECT_FALSE(list().SetItemImage(row, col, 0));
        EXPECT_EQ(list().GetItemImage(row, col), -1);
        EXPECT_FALSE(list().SetItemToolTipText(row, col, L"tip"));
        EXPECT_TRUE(list().GetItemToolTipText(row, col).IsEmpty());
        EXPECT_FALSE(list().SetCheckbox(row, col, 1));
        EXPECT_EQ(list().GetCheckbox(row, col), -1);
        EXPECT_FALSE(list().SetComboBox(row, col, TRUE, &choices, 5, 0));
        EXPECT_FALSE(list().SetProgress(row, col, TRUE, 50));
        EXPECT_EQ(list().GetProgress(row, col), -1);
    }
    for (int col : {-1, 2}) {
        EXPECT_EQ(list().GetHeaderCheck(col), -1);
        EXPECT_FALSE(list().SetHeaderCheck(col, 1));
        EXPECT_EQ(list().CountCheckedRows(col), 0);
    }
    EXPECT_FALSE(list().SetRowEnabled(1, FALSE));
    EXPECT_FALSE(list().GetRowEnabled(-1));
    EXPECT_EQ(list().GetItemText(0, 0), CString(L"row"));
    EXPECT_EQ(list().CountCheckedRows(1), 1);
}

TEST_F(XListData, HeaderCheckLivesInTheHeaderItemImageAndFollowsTheCheckCells) {
    for (int i = 0; i < 3; ++i)
        list().InsertItem(i, L"row");
    EXPECT_EQ(list().GetHeaderCheck(1), 0);
    EXPECT_TRUE(list().SetHeaderCheck(1, 1));
    HDITEMW hdi{};
    hdi.mask = HDI_IMAGE;
    ::SendMessageW(list().GetHeaderCtrlHandle(), HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&hdi));
    EXPECT_EQ(hdi.iImage, 1);

    EXPECT_FALSE(list().SetCheckbox(0, 1, 2));
    list().SetCheckbox(0, 1, 1);
    list().SetCheckbox(1, 1, 1);
    EXPECT_EQ(list().GetHeaderCheck(1), 1);
    list().SetCheckbox(2, 1, 1);
    EXPECT_EQ(list().CountCheckedRows(1), 3);
    EXPECT_EQ(list().GetHeaderCheck(1), 2);
    list().SetCheckbox(2, 1, 0);
    EXPECT_EQ(list().GetHeaderCheck(1), 1);
    list().SetCheckbox(0, 0, 1); // no header check box there: none appears
    EXPECT_EQ(list().GetHeaderCheck(0), 0);
}

TEST_F(XListData, ColumnZeroEndsWhereColumnOneBeginsButAloneSpansTheRow) {
    list().InsertItem(0, L"row");
    CRect rc0, rc1, rcBase;
    ASSERT_TRUE(list().GetSubItemRect(0, 0, LVIR_BOUNDS, rc0));
    ASSERT_TRUE(list().GetSubItemRect(0, 1, LVIR_BOUNDS, rc1));
    static_cast<CListCtrl&>(list()).GetSubItemRect(0, 0, LVIR_BOUNDS, rcBase);
    EXPECT_EQ(rc0, CRect(rcBase.left, rcBase.top, rc1.left, rcBase.bottom));
    EXPECT_EQ(rc0.Width(), 120);

    CListFrame single;
    ASSERT_TRUE(single.Create(20, 240, 300, 120));
    AddColumns(single.m_list, {150});
    single.m_list.InsertItem(0, L"row");
    ASSERT_TRUE(single.m_list.GetSubItemRect(0, 0, LVIR_BOUNDS, rc0));
    static_cast<CListCtrl&>(single.m_list).GetSubItemRect(0, 0, LVIR_BOUNDS, rcBase);
    EXPECT_EQ(rc0, rcBase);
}

TEST_F(XListData, StoredColoursSurviveASystemColourChangeAndMinusOneFollowsIt) {
    list().InsertItem(0, L"row");
    list().SetItemText(0, 1, L"kept", kRed, kGreen);
    const COLORREF crText = RGB(10, 20, 30);
    const COLORREF crBack = RGB(200, 190, 180);
    CSysColorOverride text(COLOR_WINDOWTEXT, crText);
    CSysColorOverride back(COLOR_WINDOW, crBack);
    list().SetItemText(0, 0, nullptr, kDefault, kDefault);
    EXPECT_NE(list().GetCell(0, 0)->crCellBack, crBack); // cached until told

    list().SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(list().GetCell(0, 1)->crCellText, kRed);
    EXPECT_EQ(list().GetCell(0, 1)->crCellBack, kGreen);
    list().SetItemText(0, 0, nullptr, kDefault, kDefault);
    EXPECT_EQ(list().GetCell(0, 0)->crCellText, crText);
    EXPECT_EQ(list().GetCell(0, 0)->crCellBack, crBack);
    list().InsertItem(1, L"after");
    EXPECT_EQ(list().GetCell(1, 0)->crCellBack, crBack);
}

TEST_F(XListData, RowsWithoutCellDataAnswerAsPlainEnabledRowsAndTakeNoAttributes) {
    list().InsertItem(0, L"ours");
    static_cast<CListCtrl&>(list()).InsertItem(1, L"base");
    list().InsertItem(2, L"foreign");
    list().SetItemData(2, 0x1234); // not a cell array of the control
    list().InsertColumn(2, L"late", LVCFMT_LEFT, 60);
    EXPECT_EQ(list().GetCell(0, 2), nullptr); // added after the row
    EXPECT_FALSE(list().SetBold(0, 2, TRUE));
    for (int row : {1, 2}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(list().GetCell(row, 0), nullptr);
        EXPECT_TRUE(list().GetRowEnabled(row));
        EXPECT_FALSE(list().SetRowEnabled(row, FALSE));
        EXPECT_FALSE(list().SetCheckbox(row, 1, 1));
        EXPECT_TRUE(list().SetItemText(row, 1, L"text", kRed, kRed));
        EXPECT_EQ(list().GetItemText(row, 1), CString(L"text"));
    }
    list().SetHeaderCheck(1, 1);
    list().SetCheckbox(0, 1, 1);
    EXPECT_EQ(list().CountCheckedRows(1), 1);
    EXPECT_EQ(list().GetHeaderCheck(1), 1); // rows that cannot be checked keep it at 1
    list().RedrawWindow();
}

TEST_F(XListData, CellArraysGoWithTheirRowsAndWithTheWindow) {
    for (int i = 0; i < 3; ++i)
        list().InsertItem(i, L"row");
    EXPECT_EQ(list().CellArrayCount(), 3u);
    list().DeleteItem(1);
    EXPECT_EQ(list().CellArrayCount(), 2u);
    EXPECT_NE(list().GetCell(1, 0), nullptr);
    list().DeleteAllItems();
    EXPECT_EQ(list().CellArrayCount(), 0u);
    list().InsertItem(0, L"row");
    list().SetItemData(0, 0); // unreachable now, but still owned
    EXPECT_EQ(list().CellArrayCount(), 1u);
    list().DestroyWindow();
    EXPECT_EQ(list().CellArrayCount(), 0u);
}

TEST(XListLifecycle, HeaderIsAttachedWhetherTheListIsCreatedOrSubclassedHidden) {
    CListFrame frame;
    ASSERT_TRUE(frame.Create(20, 20, 300, 150));
    EXPECT_EQ(CWnd::FromHandlePermanent(frame.m_list.GetHeaderCtrlHandle()),
              frame.m_list.HeaderObject());

    HWND hList = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 200, 100,
                                   frame.m_hWnd, nullptr, nullptr, nullptr);
    CAutoWnd<CTestXList> subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(hList));
    // A hidden list may have no header before its first column.
    AddColumns(subclassed, {100});
    EXPECT_EQ(CWnd::FromHandlePermanent(subclassed.GetHeaderCtrlHandle()),
              subclassed.HeaderObject());
}

TEST(XListLifecycle, RowsInsertedBeforeAnyColumnStillGetAColumnZeroRecord) {
    CListFrame frame;
    ASSERT_TRUE(frame.Create(20, 20, 300, 150));
    EXPECT_EQ(frame.m_list.InsertItem(0, L"row", kRed, kBlue), 0);
    AddColumns(frame.m_list, {100, 100});
    ASSERT_NE(frame.m_list.GetCell(0, 0), nullptr);
    EXPECT_EQ(frame.m_list.GetCell(0, 0)->crCellText, kRed);
    EXPECT_EQ(frame.m_list.GetCell(0, 1), nullptr);
}

TEST_F(XListData, SettersKeepNumbersInRangeAndRefuseMissingChoices) {
    list().InsertItem(0, L"row");
    EXPECT_TRUE(list().SetProgress(0, 1, TRUE, 150));
    EXPECT_EQ(list().GetProgress(0, 1), 100);
    EXPECT_TRUE(list().UpdateProgress(0, 1, -20));
    EXPECT_EQ(list().GetProgress(0, 1), 0);
    EXPECT_FALSE(list().UpdateProgress(0, 0, 10)); // not a progress cell
    EXPECT_TRUE(list().SetProgress(0, 1, TRUE, 40, L"%s"));
    EXPECT_TRUE(list().GetCell(0, 1)->strPercentFormat.IsEmpty());

    CStringArray choices;
    choices.Add(L"one");
    EXPECT_FALSE(list().SetComboBox(0, 1, TRUE, nullptr, 5, 0));
    EXPECT_FALSE(list().IsComboBox(0, 1));
    EXPECT_TRUE(list().SetComboBox(0, 1, TRUE, &choices, 0, 7));
    EXPECT_EQ(list().GetCell(0, 1)->nDropRows, 1);
    EXPECT_TRUE(list().GetItemText(0, 1).IsEmpty()); // no such default choice
    EXPECT_TRUE(list().SetComboBox(0, 1, TRUE, &choices, 100000, 0));
    EXPECT_EQ(list().GetCell(0, 1)->nDropRows, 100);
    list().SetItemText(0, 1, L"", kDefault, kDefault); // an empty text takes the default
    EXPECT_EQ(list().GetItemText(0, 1), CString(L"one"));
    EXPECT_TRUE(list().SetItemImage(0, 0, -7));
    EXPECT_EQ(list().GetItemImage(0, 0), -1);
}

TEST(ProgressText, OnlyASingleIntegerFormatIsEverApplied) {
    EXPECT_EQ(FormatProgressText(L"", 40), CString(L"40%"));
    EXPECT_EQ(FormatProgressText(L"%d of 100", 40), CString(L"40 of 100"));
    EXPECT_EQ(FormatProgressText(L"%%%03d%%", 7), CString(L"%007%"));
    EXPECT_EQ(FormatProgressText(L"%-4x|", 255), CString(L"ff  |"));
    for (const wchar_t* bad : {L"%s", L"%n", L"%d%d", L"%*d", L"%lld", L"%I64d", L"%f", L"100%",
                               L"no number", L"%1000d", L"%.5000d", L"%c"}) {
        SCOPED_TRACE(testing::Message() << bad);
        EXPECT_EQ(FormatProgressText(bad, 40), CString(L"40%"));
    }
}

} // namespace
