// The list control's painting, read back from the screen: the check mark and the centred
// box, the progress bar's end and two-coloured text, the combo field and button in both
// states (and the drop list the pressed one opens), images, plain rows, the empty list.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "xlist_test_support.h"

using namespace xlisttest;

namespace {

constexpr COLORREF kListBack = RGB(222, 220, 169);
constexpr COLORREF kProgressField = RGB(224, 224, 224);

COLORREF Sys(int nIndex) { return ::GetSysColor(nIndex); }

std::set<std::pair<int, int>> AsSet(const std::vector<POINT>& points) {
    std::set<std::pair<int, int>> s;
    for (const POINT& p : points)
        s.insert({p.x, p.y});
    return s;
}

// The seven 3-pixel strokes of a check mark in a box whose edge starts at (L, T).
std::set<std::pair<int, int>> CheckMark(int L, int T) {
    std::set<std::pair<int, int>> s;
    for (POINT p : {POINT{9, 3}, {8, 4}, {7, 5}, {6, 6}, {5, 7}, {4, 6}, {3, 5}})
        for (int dy = 0; dy < 3; ++dy)
            s.insert({L + p.x, T + p.y + dy});
    return s;
}

// The combo arrow from (x, y): 5, 3 and 1 pixels.
std::set<std::pair<int, int>> Arrow(int x, int y) {
    std::set<std::pair<int, int>> s;
    for (int i = 0, length = 5; i < 3; ++i, length -= 2)
        for (int dx = 0; dx < length; ++dx)
            s.insert({x + i + dx, y + i});
    return s;
}

class XListPaint : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_frame.Create(20, 20, 460, 220));
        AddColumns(list(), {150, 250});
        list().SetBkColor(kListBack);
        list().InsertItem(0, L"first");
        list().InsertItem(1, L"second");
    }
    CTestXList& list() { return m_frame.m_list; }
    CClientPixels Paint() {
        list().RedrawWindow();
        return CClientPixels(list().m_hWnd);
    }
    CListFrame m_frame;
};

TEST_F(XListPaint, CheckMarkIsSevenThreePixelStrokesInASunkenBoxBeforeTheText) {
    list().SetItemText(0, 1, L"checked");
    list().SetCheckbox(0, 1, 1);
    list().SetItemText(1, 1, L"disabled");
    list().SetCheckbox(1, 1, 1);
    list().SetRowEnabled(1, FALSE);
    CClientPixels px = Paint();

    for (int row : {0, 1}) {
        SCOPED_TRACE(row);
        CRect rc = CellRect(list(), row, 1);
        int nSide = rc.Height() - 1;
        int L = rc.left + 9 + 1;
        int T = rc.top;
        // Inside the dark top and left edges; the light bottom and right edges may carry ink.
        CRect interior(L + 2, T + 2, rc.left + 9 + nSide, T + nSide);
        COLORREF crMark = row == 0 ? kBlack : Sys(COLOR_GRAYTEXT);
        EXPECT_EQ(AsSet(px.Find(interior, crMark)), CheckMark(L, T));
        EXPECT_EQ(px.At(L, T + nSide / 2), Sys(COLOR_BTNSHADOW)); // the sunken edge
        EXPECT_EQ(px.At(L - 1, T + nSide / 2), Sys(COLOR_WINDOW));
    }
}

TEST_F(XListPaint, CheckBoxWithoutTextIsCentredAndUncheckedShowsNoMark) {
    list().SetItemText(0, 1, L"", kBlack, kGreen);
    list().SetCheckbox(0, 1, 1);
    list().SetItemText(1, 1, L"", kBlack, kGreen);
    list().SetCheckbox(1, 1, 0);
    CClientPixels px = Paint();

    for (int row : {0, 1}) {
        SCOPED_TRACE(row);
        CRect rc = CellRect(list(), row, 1);
        int nSide = rc.Height() - 1;
        int nLeft = rc.left + rc.Width() / 2 - nSide / 2 - 1;
        int y = rc.top + nSide / 2;
        EXPECT_EQ(px.At(nLeft - 1, y), kGreen);
        EXPECT_EQ(px.At(nLeft, y), Sys(COLOR_WINDOW)); // filled, then the edge moved right
        EXPECT_EQ(px.At(nLeft + 1, y), Sys(COLOR_BTNSHADOW));
        CRect interior(nLeft + 3, rc.top + 2, nLeft + nSide, rc.top + nSide);
        auto expected = row == 0 ? CheckMark(nLeft + 1, rc.top) : std::set<std::pair<int, int>>{};
        EXPECT_EQ(AsSet(px.Find(interior, kBlack)), expected);
    }
}

TEST_F(XListPaint, ProgressBarEndsAtItsShareOfTheFieldInsideAFrameThatLeavesTheMargins) {
    list().SetProgress(0, 1, TRUE, 40, nullptr, FALSE);
    CClientPixels px = Paint();

    CRect rc = CellRect(list(), 0, 1);
    CRect R(rc.left + 1, rc.top, rc.right - 2, rc.bottom - 1);
    int x = R.left + 2 + (R.right - (R.left + 2)) * 40 / 100;
    int y = R.top + 3;
    EXPECT_EQ(px.At(rc.left, y), kListBack); // margins are not painted
    EXPECT_EQ(px.At(rc.right - 1, y), kListBack);
    EXPECT_EQ(px.At(R.left, y), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(px.At(R.right, y), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(px.At(R.left + 5, R.top), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(px.At(R.right, R.bottom), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(px.At(R.left + 1, y), kBlack); // inner shadow
    EXPECT_EQ(px.At(R.left + 5, R.top + 1), kBlack);
    EXPECT_TRUE(px.AllOf(CRect(R.left + 2, R.top + 2, x, R.bottom), Sys(COLOR_HIGHLIGHT)));
    EXPECT_TRUE(px.AllOf(CRect(x, R.top + 2, R.right, R.bottom), kProgressField));
}

TEST_F(XListPaint, ProgressTextReadsInTheBackColourOverTheBarAndTheTextColourBesideIt) {
    list().SetItemText(0, 1, nullptr, kRed, kGreen);
    list().SetProgress(0, 1, TRUE, 50);
    list().SetItemText(1, 1, nullptr, kRed, kGreen);
    list().SetProgress(1, 1, TRUE, 100);
    CClientPixels px = Paint();

    CRect rc = CellRect(list(), 0, 1);
    CRect R(rc.left + 1, rc.top, rc.right - 2, rc.bottom - 1);
    int x = R.left + 2 + (R.right - (R.left + 2)) * 50 / 100;
    CRect bar(R.left + 2, R.top + 2, x, R.bottom);
    CRect rest(x, R.top + 2, R.right, R.bottom);
    EXPECT_FALSE(px.Find(bar, kGreen).empty());
    EXPECT_TRUE(px.Find(bar, kRed).empty());
    EXPECT_FALSE(px.Find(rest, kRed).empty());
    EXPECT_TRUE(px.Find(rest, kGreen).empty());

    CRect full = CellRect(list(), 1, 1);
    EXPECT_FALSE(px.Find(full, kGreen).empty());
    EXPECT_TRUE(px.Find(full, kRed).empty());
}

TEST_F(XListPaint, ProgressAtZeroShowsOnlyTheFrameAndTheGreyField) {
    list().SetItemText(0, 1, nullptr, kRed, kGreen);
    list().SetProgress(0, 1, TRUE, 0);
    CClientPixels px = Paint();
    CRect rc = CellRect(list(), 0, 1);
    CRect R(rc.left + 1, rc.top, rc.right - 2, rc.bottom - 1);
    EXPECT_TRUE(px.AllOf(CRect(R.left + 2, R.top + 2, R.right, R.bottom), kProgressField));
}

class XListCombo : public XListPaint {
protected:
    void SetUp() override {
        XListPaint::SetUp();
        m_choices.Add(L"alpha");
        m_choices.Add(L"");
        m_choices.Add(L"beta");
        m_choices.Add(L"gamma");
        list().SetItemText(0, 1, L"beta", kRed, kGreen);
        list().SetComboBox(0, 1, TRUE, &m_choices, 4, 0);
    }
    // The cell's field R and its button square B, as the painter lays them out.
    void Layout(CRect& R, CRect& B) {
        CRect rc = CellRect(list(), 0, 1);
        R.SetRect(rc.left + 1, rc.top, rc.right - 2, rc.bottom + 1);
        B.SetRect(R.right + 1 - R.Height(), R.top, R.right + 1, R.bottom);
        B.DeflateRect(2, 2);
    }
    CStringArray m_choices;
};

TEST_F(XListCombo, UnselectedComboIsPlainTextInTheCellColours) {
    CClientPixels px = Paint();
    CRect R, B;
    Layout(R, B);
    EXPECT_TRUE(px.Find(CellRect(list(), 0, 1), Sys(COLOR_BTNSHADOW)).empty());
    EXPECT_EQ(px.At(B.left + 3, B.top + 3), kGreen);
    EXPECT_FALSE(px.Find(CellRect(list(), 0, 1), kRed).empty());
}

TEST_F(XListCombo, ReleasedButtonIsRaisedWithItsArrowBesideAWhiteField) {
    list().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    CClientPixels px = Paint();
    CRect R, B;
    Layout(R, B);
    EXPECT_EQ(px.At(R.left, R.top + 3), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(px.At(R.left + 5, R.top), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(px.At(R.left + 5, R.bottom - 2), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(px.At(R.right, R.top + 3), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(px.At(B.left - 2, R.top + 2), kWhite);
    // The text keeps the window text colour, whatever the cell's own colours.
    EXPECT_FALSE(
        px.Find(CRect(R.left + 2, R.top, B.left - 1, R.bottom), Sys(COLOR_WINDOWTEXT)).empty());
    EXPECT_TRUE(px.Find(CRect(R.left, R.top, R.right, R.bottom), kRed).empty());

    EXPECT_EQ(px.At(B.left, B.top + 3), Sys(COLOR_3DLIGHT)); // raised edge
    EXPECT_EQ(px.At(B.left + 1, B.top + 3), Sys(COLOR_BTNHIGHLIGHT));
    CRect face = B;
    face.DeflateRect(2, 2);
    EXPECT_EQ(AsSet(px.Find(face, kBlack)), Arrow(face.left + 1, face.top + 2));
    EXPECT_EQ(px.At(face.left, face.top), Sys(COLOR_BTNFACE));
    EXPECT_EQ(FindDropListWindow(), nullptr);
}

TEST_F(XListCombo, PressedButtonIsFlatWithItsArrowOneDownAndRightAndOpensTheDropList) {
    list().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list().GetCell(0, 1)->bComboDown = TRUE;
    CClientPixels px = Paint();
    CRect R, B;
    Layout(R, B);
    EXPECT_EQ(list().ComboButtonRect(), B);
    EXPECT_EQ(px.At(B.left, B.top + 3), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(px.At(B.right - 1, B.top + 3), Sys(COLOR_BTNSHADOW));
    CRect face = B;
    face.DeflateRect(1, 1);
    EXPECT_EQ(AsSet(px.Find(face, kBlack)), Arrow(face.left + 3, face.top + 4));

    // The drop list hangs from the cell's bottom edge with the cell's choice selected.
    HWND hDrop = FindDropListWindow();
    ASSERT_NE(hDrop, nullptr);
    ASSERT_NE(list().DropList(), nullptr);
    EXPECT_EQ(list().DropList()->m_hWnd, hDrop);
    CRect rcDrop;
    ::GetWindowRect(hDrop, &rcDrop);
    CRect rcExpected(R.left, R.bottom - 1, R.right - 1, R.bottom);
    list().ClientToScreen(&rcExpected);
    EXPECT_EQ(rcDrop.left, rcExpected.left);
    EXPECT_EQ(rcDrop.top, rcExpected.top);
    EXPECT_EQ(rcDrop.right, rcExpected.right);
    CListBox& box = list().DropList()->m_ListBox;
    EXPECT_EQ(box.GetCount(), 3); // the empty choice is left out
    EXPECT_EQ(box.GetCurSel(), 1);
    EXPECT_EQ(list().ComboUndoText(), CString(L"beta"));
}

TEST_F(XListCombo, EmptyComboTextTakesTheDefaultChoice) {
    list().SetItemText(0, 1, L"");
    list().SetComboBox(0, 1, TRUE, &m_choices, 4, 3);
    list().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    Paint();
    EXPECT_EQ(list().GetItemText(0, 1), CString(L"gamma"));
    // A default choice out of range leaves the text empty.
    list().SetComboBox(0, 1, TRUE, &m_choices, 4, 9);
    list().SetItemText(0, 1, L"");
    Paint();
    EXPECT_TRUE(list().GetItemText(0, 1).IsEmpty());
}

TEST_F(XListPaint, ImageSitsOneSpacingIntoTheCellVerticallyCentredBeforeTheText) {
    HIMAGELIST hImages = ImageList_Create(12, 10, ILC_COLOR24, 1, 0);
    {
        CClientDC screen(nullptr);
        CBitmap red;
        red.CreateCompatibleBitmap(screen, 12, 10);
        CDC dc;
        dc.CreateCompatibleDC(screen);
        {
            CSelectObject select(dc, red);
            dc.FillSolidRect(0, 0, 12, 10, kRed);
        }
        ImageList_Add(hImages, red, nullptr);
    }
    list().SetImageList(hImages, LVSIL_SMALL);
    list().SetItemImage(0, 0, 0);
    CClientPixels px = Paint();
    CRect rc = CellRect(list(), 0, 0);
    int top = (rc.top + rc.bottom) / 2 - 5;
    EXPECT_EQ(AsSet(px.Find(rc, kRed)), AsSet([&] {
                  std::vector<POINT> v;
                  for (int y = top; y < top + 10; ++y)
                      for (int x = rc.left + 6; x < rc.left + 18; ++x)
                          v.push_back({x, y});
                  return v;
              }()));
    // Row 1 has no image: its text starts flush with the cell.
    CRect rc1 = CellRect(list(), 1, 0);
    auto text = px.Find(rc1, Sys(COLOR_WINDOWTEXT));
    ASSERT_FALSE(text.empty());
    auto leftmost =
        std::min_element(text.begin(), text.end(), [](POINT a, POINT b) { return a.x < b.x; });
    EXPECT_LT(leftmost->x, rc1.left + 4);
    list().SetImageList(nullptr, LVSIL_SMALL);
    ImageList_Destroy(hImages);
}

TEST_F(XListPaint, RowsWithoutCellDataArePlainInWindowColoursAndTakeTheSelectionColours) {
    static_cast<CListCtrl&>(list()).InsertItem(2, L"base row");
    list().SetExtendedStyle(LVS_EX_FULLROWSELECT);
    CClientPixels before = Paint();
    CRect rc = CellRect(list(), 2, 1);
    EXPECT_EQ(before.At(rc.left + 2, rc.top + 1), Sys(COLOR_WINDOW));

    list().SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    list().SetFocus();
    CClientPixels focused = Paint();
    EXPECT_EQ(focused.At(rc.left + 2, rc.top + 1), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(focused.At(CellRect(list(), 2, 0).left + 2, rc.top + 1), Sys(COLOR_HIGHLIGHT));

    // Without the focus and without LVS_SHOWSELALWAYS a selected row keeps its own colours.
    m_frame.SetFocus();
    CClientPixels unfocused = Paint();
    EXPECT_EQ(unfocused.At(rc.left + 2, rc.top + 1), Sys(COLOR_WINDOW));
}

TEST(XListEmpty, EmptyListShowsTheWindowColourFromTenPixelsBelowTheHeader) {
    CListFrame frame;
    ASSERT_TRUE(frame.Create(20, 20, 400, 220));
    CTestXList& list = frame.m_list;
    AddColumns(list, {150, 200});
    list.SetBkColor(kListBack);
    list.RedrawWindow();
    CClientPixels px(list.m_hWnd);

    CRect rcWindow;
    list.GetWindowRect(&rcWindow);
    list.ScreenToClient(&rcWindow);
    CRect rcHeaderItem;
    ::SendMessageW(list.GetHeaderCtrlHandle(), HDM_GETITEMRECT, 0,
                   reinterpret_cast<LPARAM>(&rcHeaderItem));
    int top = rcWindow.top + rcHeaderItem.bottom + 10;
    EXPECT_EQ(px.At(50, top - 1), kListBack);
    EXPECT_TRUE(px.AllOf(CRect(0, top, px.Width(), px.Height()), Sys(COLOR_WINDOW)));

    // Once it has a row, the list paints as any other.
    list.InsertItem(0, L"row");
    CClientPixels withRow(list.m_hWnd);
    list.RedrawWindow();
    CClientPixels after(list.m_hWnd);
    EXPECT_EQ(after.At(50, px.Height() - 2), kListBack);
}

} // namespace
