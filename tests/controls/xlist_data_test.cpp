// The list control's cell data and operations: range checks and results, colours and the
// system colour cache, the column-0 rectangle, rows without cell data, and the lifetime of
// the cell arrays.
#include <gtest/gtest.h>

#include "controls/list/progress_text.h"
#include "xlist_test_support.h"

using namespace xlisttest;

namespace {

class XListData : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_frame.Create(20, 20, 400, 200));
        AddColumns(list(), {120, 200});
    }
    CTestXList& list() { return m_frame.m_list; }
    CListFrame m_frame;
};

TEST_F(XListData, InsertItemRejectsNegativeRowsAndColoursOnlyColumnZero) {
    EXPECT_EQ(list().InsertItem(-1, L"x"), -1);
    EXPECT_EQ(list().InsertItem(-1, L"x", kRed, kBlue), -1);
    EXPECT_EQ(list().GetItemCount(), 0);

    EXPECT_EQ(list().InsertItem(0, L"a", kRed, kBlue), 0);
    EXPECT_EQ(list().InsertItem(5, L"b"), 1); // past the end appends
    EXPECT_EQ(list().GetItemText(1, 0), CString(L"b"));

    const XLISTCELL* c0 = list().GetCell(0, 0);
    const XLISTCELL* c1 = list().GetCell(0, 1);
    ASSERT_TRUE(c0 && c1);
    EXPECT_EQ(c0->crCellText, kRed);
    EXPECT_EQ(c0->crCellBack, kBlue);
    EXPECT_EQ(c0->nImageIndex, -1);
    EXPECT_EQ(c1->crCellText, ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(c1->crCellBack, ::GetSysColor(COLOR_WINDOW));
    // The two-argument form takes the window colours.
    EXPECT_EQ(list().GetCell(1, 0)->crCellText, ::GetSysColor(COLOR_WINDOWTEXT));
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
    EXPECT_EQ(list().GetCell(0, 1)->crCellBack, kBlack);

    EXPECT_TRUE(
        list().SetItemText(0, 1, L"new", static_cast<COLORREF>(-1), static_cast<COLORREF>(-1)));
    EXPECT_EQ(list().GetCell(0, 1)->crCellText, ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(list().GetCell(0, 1)->crCellBack, ::GetSysColor(COLOR_WINDOW));

    EXPECT_TRUE(list().SetItemText(0, 0, L"plain"));
    EXPECT_EQ(list().GetItemText(0, 0), CString(L"plain"));
}

TEST_F(XListData, EveryOperationAnswersItsStatedValueOutsideTheRowsAndColumns) {
    list().InsertItem(0, L"row");
    list().SetCheckbox(0, 1, 1);
    CStringArray choices;
    choices.Add(L"one");
    for (auto [row, col] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 2}}) {
        SCOPED_TRACE(testing::Message() << "row " << row << " column " << col);
        EXPECT_FALSE(list().SetItemText(row, col, L"x"));
        EXPECT_FALSE(list().SetItemText(row, col, L"x", kRed, kRed));
        EXPECT_FALSE(list().SetItemText(row, col, nullptr, kRed, kRed));
        CRect rc(1, 2, 3, 4);
        EXPECT_FALSE(list().GetSubItemRect(row, col, LVIR_BOUNDS, rc));
        list().RedrawCell(row, col);
        EXPECT_FALSE(list().SetBold(row, col, TRUE));
        EXPECT_FALSE(list().GetBold(row, col));
        EXPECT_FALSE(list().SetItemImage(row, col, 0));
        EXPECT_EQ(list().GetItemImage(row, col), -1);
        EXPECT_FALSE(list().SetItemToolTipText(row, col, L"tip"));
        EXPECT_TRUE(list().GetItemToolTipText(row, col).IsEmpty());
        EXPECT_FALSE(list().SetCheckbox(row, col, 1));
        EXPECT_EQ(list().GetCheckbox(row, col), -1);
        EXPECT_FALSE(list().SetComboBox(row, col, TRUE, &choices, 5, 0));
        EXPECT_FALSE(list().IsComboBox(row, col));
        EXPECT_FALSE(list().SetProgress(row, col, TRUE, 50));
        EXPECT_FALSE(list().UpdateProgress(row, col, 50));
        EXPECT_EQ(list().GetProgress(row, col), -1);
    }
    for (int col : {-1, 2}) {
        EXPECT_EQ(list().GetHeaderCheck(col), -1);
        EXPECT_FALSE(list().SetHeaderCheck(col, 1));
        EXPECT_EQ(list().CountCheckedRows(col), 0);
    }
    for (int row : {-1, 1}) {
        EXPECT_FALSE(list().SetRowEnabled(row, FALSE));
        EXPECT_FALSE(list().GetRowEnabled(row));
    }
    // Nothing changed in the one valid row.
    EXPECT_EQ(list().GetItemText(0, 0), CString(L"row"));
    EXPECT_EQ(list().GetCheckbox(0, 1), 1);
    EXPECT_EQ(list().CountCheckedRows(1), 1);
}

TEST_F(XListData, HeaderCheckLivesInTheHeaderItemImageAndCountsOnlyCheckedCells) {
    for (int i = 0; i < 4; ++i)
        list().InsertItem(i, L"row");
    EXPECT_EQ(list().GetColumnCount(), 2);
    EXPECT_EQ(list().GetHeaderCheck(1), 0);
    EXPECT_TRUE(list().SetHeaderCheck(1, 2));
    EXPECT_EQ(list().GetHeaderCheck(1), 2);
    HDITEMW hdi{};
    hdi.mask = HDI_IMAGE;
    ::SendMessageW(list().GetHeaderCtrlHandle(), HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&hdi));
    EXPECT_EQ(hdi.iImage, 2);

    list().SetCheckbox(0, 1, 1);
    list().SetCheckbox(1, 1, 0);
    list().SetCheckbox(2, 1, 1);
    EXPECT_EQ(list().CountCheckedRows(1), 2);
    EXPECT_EQ(list().CountCheckedRows(0), 0);
}

TEST_F(XListData, CheckboxSetterTakesOnlyKnownStatesAndKeepsTheHeaderInStep) {
    list().InsertItem(0, L"a");
    list().InsertItem(1, L"b");
    list().SetHeaderCheck(1, 1);
    EXPECT_FALSE(list().SetCheckbox(0, 1, 2));
    EXPECT_FALSE(list().SetCheckbox(0, 1, -2));
    EXPECT_EQ(list().GetCheckbox(0, 1), -1);
    EXPECT_TRUE(list().SetCheckbox(0, 1, 1));
    EXPECT_EQ(list().GetHeaderCheck(1), 1);
    EXPECT_TRUE(list().SetCheckbox(1, 1, 1));
    EXPECT_EQ(list().GetHeaderCheck(1), 2);
    EXPECT_TRUE(list().SetCheckbox(1, 1, 0));
    EXPECT_EQ(list().GetHeaderCheck(1), 1);
    // A column without a header check box keeps none.
    EXPECT_TRUE(list().SetCheckbox(0, 0, 1));
    EXPECT_EQ(list().GetHeaderCheck(0), 0);
}

TEST_F(XListData, ColumnZeroEndsWhereColumnOneBeginsButAloneSpansTheRow) {
    list().InsertItem(0, L"row");
    CRect rc0, rc1, rcBase;
    ASSERT_TRUE(list().GetSubItemRect(0, 0, LVIR_BOUNDS, rc0));
    ASSERT_TRUE(list().GetSubItemRect(0, 1, LVIR_BOUNDS, rc1));
    static_cast<CListCtrl&>(list()).GetSubItemRect(0, 0, LVIR_BOUNDS, rcBase);
    EXPECT_EQ(rc0.left, rcBase.left);
    EXPECT_EQ(rc0.right, rc1.left);
    EXPECT_EQ(rc0.Width(), 120);
    EXPECT_GT(rcBase.right, rc0.right); // the base gives the whole row

    CListFrame single;
    ASSERT_TRUE(single.Create(20, 240, 300, 120));
    AddColumns(single.m_list, {150});
    single.m_list.InsertItem(0, L"row");
    CRect rcOnly, rcOnlyBase;
    ASSERT_TRUE(single.m_list.GetSubItemRect(0, 0, LVIR_BOUNDS, rcOnly));
    static_cast<CListCtrl&>(single.m_list).GetSubItemRect(0, 0, LVIR_BOUNDS, rcOnlyBase);
    EXPECT_EQ(rcOnly, rcOnlyBase);
}

TEST_F(XListData, StoredColoursSurviveASystemColourChangeAndMinusOneFollowsIt) {
    list().InsertItem(0, L"row");
    list().SetItemText(0, 1, L"kept", kRed, kGreen);
    const COLORREF crNewText = RGB(10, 20, 30);
    const COLORREF crNewBack = RGB(200, 190, 180);
    CSysColorOverride text(COLOR_WINDOWTEXT, crNewText);
    CSysColorOverride back(COLOR_WINDOW, crNewBack);

    // The cache is read at construction and on WM_SYSCOLORCHANGE only.
    list().SetItemText(0, 0, nullptr, static_cast<COLORREF>(-1), static_cast<COLORREF>(-1));
    EXPECT_NE(list().GetCell(0, 0)->crCellBack, crNewBack);

    list().SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(list().GetCell(0, 1)->crCellText, kRed);
    EXPECT_EQ(list().GetCell(0, 1)->crCellBack, kGreen);
    list().SetItemText(0, 0, nullptr, static_cast<COLORREF>(-1), static_cast<COLORREF>(-1));
    EXPECT_EQ(list().GetCell(0, 0)->crCellText, crNewText);
    EXPECT_EQ(list().GetCell(0, 0)->crCellBack, crNewBack);
    list().InsertItem(1, L"after");
    EXPECT_EQ(list().GetCell(1, 0)->crCellBack, crNewBack);
}

TEST_F(XListData, RowsWithoutCellDataAnswerAsPlainEnabledRowsAndTakeNoAttributes) {
    list().InsertItem(0, L"ours");
    static_cast<CListCtrl&>(list()).InsertItem(1, L"base");
    list().InsertItem(2, L"foreign");
    list().SetItemData(2, 0x1234); // item data that is not a cell array of the control
    CStringArray choices;
    choices.Add(L"one");
    for (int row : {1, 2}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(list().GetCell(row, 0), nullptr);
        EXPECT_TRUE(list().GetRowEnabled(row));
        EXPECT_FALSE(list().SetRowEnabled(row, FALSE));
        EXPECT_FALSE(list().SetCheckbox(row, 1, 1));
        EXPECT_EQ(list().GetCheckbox(row, 1), -1);
        EXPECT_FALSE(list().SetComboBox(row, 1, TRUE, &choices));
        EXPECT_FALSE(list().SetProgress(row, 1, TRUE, 10));
        EXPECT_TRUE(list().SetItemText(row, 1, L"text", kRed, kRed));
        EXPECT_EQ(list().GetItemText(row, 1), CString(L"text"));
    }
    list().SetHeaderCheck(1, 1);
    list().SetCheckbox(0, 1, 1);
    EXPECT_EQ(list().CountCheckedRows(1), 1);
    EXPECT_EQ(list().GetHeaderCheck(1), 1); // a row that cannot be checked keeps it at 1
    list().RedrawWindow();
}

TEST_F(XListData, ColumnsAddedAfterARowHaveNoRecordInIt) {
    list().InsertItem(0, L"row");
    list().InsertColumn(2, L"late", LVCFMT_LEFT, 60);
    EXPECT_EQ(list().GetColumnCount(), 3);
    EXPECT_EQ(list().GetCell(0, 2), nullptr);
    EXPECT_FALSE(list().SetBold(0, 2, TRUE));
    EXPECT_TRUE(list().SetItemText(0, 2, L"text", kRed, kRed));
    list().RedrawWindow();
    list().InsertItem(1, L"new row");
    EXPECT_NE(list().GetCell(1, 2), nullptr);
}

TEST_F(XListData, CellArraysGoWithTheirRowsAndWithTheWindow) {
    for (int i = 0; i < 3; ++i)
        list().InsertItem(i, L"row");
    EXPECT_EQ(list().CellArrayCount(), 3u);
    list().DeleteItem(1);
    EXPECT_EQ(list().CellArrayCount(), 2u);
    EXPECT_EQ(list().GetItemText(1, 0), CString(L"row"));
    EXPECT_NE(list().GetCell(1, 0), nullptr);
    list().DeleteAllItems();
    EXPECT_EQ(list().CellArrayCount(), 0u);

    list().InsertItem(0, L"row");
    list().InsertItem(1, L"row");
    list().SetItemData(1, 0); // the row's cells are no longer reachable, but still owned
    EXPECT_EQ(list().CellArrayCount(), 2u);
    list().DestroyWindow();
    EXPECT_EQ(list().CellArrayCount(), 0u);
}

TEST(XListLifecycle, HeaderIsAttachedWhetherTheListIsCreatedOrSubclassed) {
    CListFrame created;
    ASSERT_TRUE(created.Create(20, 20, 300, 150));
    EXPECT_TRUE(created.m_list.IsHeaderHooked());
    EXPECT_EQ(CWnd::FromHandlePermanent(created.m_list.GetHeaderCtrlHandle()),
              created.m_list.HeaderObject());

    CListFrame host;
    ASSERT_TRUE(host.Create(20, 200, 300, 150));
    HWND hList = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                                   200, 100, host.m_hWnd, nullptr, nullptr, nullptr);
    CTestXList subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(hList));
    EXPECT_TRUE(subclassed.IsHeaderHooked());
    EXPECT_EQ(CWnd::FromHandlePermanent(subclassed.GetHeaderCtrlHandle()),
              subclassed.HeaderObject());
    // The object destroys its window while it can still free the rows' cells.
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

TEST(XListSetters, NumbersAreKeptInRangeAndBadChoicesAreRefused) {
    CListFrame frame;
    ASSERT_TRUE(frame.Create(20, 20, 400, 150));
    CTestXList& list = frame.m_list;
    AddColumns(list, {100, 100});
    list.InsertItem(0, L"row");

    EXPECT_TRUE(list.SetProgress(0, 1, TRUE, 150));
    EXPECT_EQ(list.GetProgress(0, 1), 100);
    EXPECT_TRUE(list.UpdateProgress(0, 1, -20));
    EXPECT_EQ(list.GetProgress(0, 1), 0);
    EXPECT_FALSE(list.UpdateProgress(0, 0, 10)); // not a progress cell
    EXPECT_TRUE(list.SetProgress(0, 1, TRUE, 40, L"%s"));
    EXPECT_TRUE(list.GetCell(0, 1)->strPercentFormat.IsEmpty());
    EXPECT_TRUE(list.SetProgress(0, 1, TRUE, 40, L"%d of 100"));
    EXPECT_EQ(list.GetCell(0, 1)->strPercentFormat, CString(L"%d of 100"));

    CStringArray choices;
    choices.Add(L"one");
    EXPECT_FALSE(list.SetComboBox(0, 1, TRUE, nullptr, 5, 0));
    EXPECT_FALSE(list.IsComboBox(0, 1));
    EXPECT_TRUE(list.SetComboBox(0, 1, TRUE, &choices, 0, 7));
    EXPECT_EQ(list.GetCell(0, 1)->nDropRows, 1);
    EXPECT_TRUE(list.SetComboBox(0, 1, TRUE, &choices, 100000, 0));
    EXPECT_EQ(list.GetCell(0, 1)->nDropRows, 100);
    EXPECT_TRUE(list.SetComboBox(0, 1, FALSE, nullptr, 10, 0));
    EXPECT_FALSE(list.IsComboBox(0, 1));

    EXPECT_TRUE(list.SetItemImage(0, 0, -7));
    EXPECT_EQ(list.GetItemImage(0, 0), -1);
    EXPECT_TRUE(list.SetItemToolTipText(0, 0, nullptr));
    EXPECT_TRUE(list.GetItemToolTipText(0, 0).IsEmpty());
}

TEST(ProgressText, OnlyASingleIntegerFormatIsEverApplied) {
    EXPECT_EQ(FormatProgressText(L"", 40), CString(L"40%"));
    EXPECT_EQ(FormatProgressText(nullptr, 40), CString(L"40%"));
    EXPECT_EQ(FormatProgressText(L"%d of 100", 40), CString(L"40 of 100"));
    EXPECT_EQ(FormatProgressText(L"%%%03d%%", 7), CString(L"%007%"));
    EXPECT_EQ(FormatProgressText(L"%-4x|", 255), CString(L"ff  |"));
    for (const wchar_t* bad : {L"%s", L"%n", L"%d%d", L"%*d", L"%lld", L"%I64d", L"%ls", L"%f",
                               L"%p", L"100%", L"no number", L"%1000d", L"%.5000d", L"%c"}) {
        SCOPED_TRACE(testing::Message() << bad);
        EXPECT_FALSE(IsSingleIntegerFormat(bad));
        EXPECT_EQ(FormatProgressText(bad, 40), CString(L"40%"));
    }
}

} // namespace
