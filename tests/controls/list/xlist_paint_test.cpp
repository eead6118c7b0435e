// The list control's painting, into a memory context: the check mark and the centred box, the
// progress bar's end and two-coloured text, the combo field and button in both states,
// images, plain rows, the empty list.
#include <gtest/gtest.h>

#include "framework/image_list.h"
#include "tests/support/high_contrast.h"
#include "xlist_test_support.h"

using namespace xlisttest;

namespace {

constexpr COLORREF kListBack = RGB(222, 220, 169);
constexpr COLORREF kProgressField = RGB(224, 224, 224);
constexpr int kWidth = 460;
constexpr int kHeight = 220;

COLORREF Sys(int nIndex) { return ::GetSysColor(nIndex); }

// Pixels of colour cr in rc, and whether exactly the given pixels have it.
bool IsExactly(const test::CPixels& px, const CRect& rc, COLORREF cr,
               const std::vector<POINT>& points) {
    for (const POINT& p : points)
        if (!rc.PtInRect(p) || px.At(p.x, p.y) != cr)
            return false;
    return px.Count(cr, rc) == static_cast<int>(points.size());
}

// The seven 3-pixel strokes of a check mark in a box whose edge starts at (L, T), each pixel
// of the 96-DPI mark as the cell it covers at dpi.
std::vector<POINT> CheckMark(int L, int T, UINT dpi = 96) {
    std::vector<POINT> v;
    for (POINT p : {POINT{9, 3}, {8, 4}, {7, 5}, {6, 6}, {5, 7}, {4, 6}, {3, 5}})
        for (int dy = 0; dy < 3; ++dy) {
            CRect cell = ScaledPixelCell(p.x, p.y + dy, dpi);
            for (int y = cell.top; y < cell.bottom; ++y)
                for (int x = cell.left; x < cell.right; ++x)
                    v.push_back({L + x, T + y});
        }
    return v;
}

// The combo arrow from (x, y): lines of 5, 3 and 1 pixels.
std::vector<POINT> Arrow(int x, int y) {
    std::vector<POINT> v;
    for (int i = 0, length = 5; i < 3; ++i, length -= 2)
        for (int dx = 0; dx < length; ++dx)
            v.push_back({x + i + dx, y + i});
    return v;
}

bool IsFilled(const test::CPixels& px, const CRect& rc, COLORREF cr) {
    return px.Count(cr, rc) == rc.Width() * rc.Height();
}

class XListPaint : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_frame.Create(20, 20, kWidth, kHeight));
        AddColumns(list(), {150, 250});
        list().SetBkColor(kListBack);
        list().InsertItem(0, L"first");
        list().InsertItem(1, L"second");
    }
    CTestXList& list() { return m_frame.m_list; }
    const test::CPixels& Paint() {
        list().SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_px.DC().GetSafeHdc()),
                           PRF_CLIENT | PRF_ERASEBKGND);
        return m_px;
    }
    CListFrame m_frame;
    test::CPixels m_px{kWidth, kHeight};
};

TEST_F(XListPaint, CheckMarkIsSevenThreePixelStrokesInASunkenBoxBeforeTheText) {
    for (int row : {0, 1}) {
        list().SetItemText(row, 1, L"option");
        list().SetCheckbox(row, 1, 1);
    }
    list().SetRowEnabled(1, FALSE);
    // At 1.75 times 96 DPI the mark keeps its shape in cells of one and two pixels, in the
    // taller rows of a font made for that DPI, as the form gives its list.
    CFont font;
    for (UINT dpi : {96u, 168u}) {
        SCOPED_TRACE(dpi);
        if (dpi != 96) {
            LOGFONTW lf{};
            ::GetObjectW(list().GetFont(), sizeof(lf), &lf);
            lf.lfHeight = ::MulDiv(lf.lfHeight, dpi, 96);
            font.CreateFontIndirect(&lf);
            list().SetFont(font);
        }
        list().SetDpi(dpi);
        const test::CPixels& px = Paint();
        for (int row : {0, 1}) {
            SCOPED_TRACE(row);
            CRect rc = CellRect(list(), row, 1);
            int nSide = rc.Height() - 1;
            int nIndent = ScaleToDpi(9, dpi);
            int L = rc.left + nIndent + 1;
            // Inside the dark top and left edges; ink may cover the light bottom and right ones.
            CRect inside(L + 2, rc.top + 2, rc.left + nIndent + nSide, rc.top + nSide);
            COLORREF crMark = row == 0 ? kBlack : Sys(COLOR_GRAYTEXT);
            EXPECT_TRUE(IsExactly(px, inside, crMark, CheckMark(L, rc.top, dpi)));
            EXPECT_EQ(px.At(L, rc.top + nSide / 2), Sys(COLOR_BTNSHADOW));
            EXPECT_EQ(px.At(L - 1, rc.top + nSide / 2), Sys(COLOR_WINDOW));
        }
    }
}

TEST_F(XListPaint, CheckBoxWithoutTextIsCentredAndUncheckedShowsNoMark) {
    for (int row : {0, 1}) {
        list().SetItemText(row, 1, L"", kBlack, kGreen);
        list().SetCheckbox(row, 1, 1 - row);
    }
    const test::CPixels& px = Paint();
    for (int row : {0, 1}) {
        SCOPED_TRACE(row);
        CRect rc = CellRect(list(), row, 1);
        int nSide = rc.Height() - 1;
        int nLeft = rc.left + rc.Width() / 2 - nSide / 2 - 1;
        int y = rc.top + nSide / 2;
        EXPECT_EQ(px.At(nLeft - 1, y), kGreen);
        EXPECT_EQ(px.At(nLeft, y), Sys(COLOR_WINDOW)); // filled, then the edge moved right
        EXPECT_EQ(px.At(nLeft + 1, y), Sys(COLOR_BTNSHADOW));
        CRect inside(nLeft + 3, rc.top + 2, nLeft + nSide, rc.top + nSide);
        EXPECT_TRUE(IsExactly(px, inside, kBlack,
                              row == 0 ? CheckMark(nLeft + 1, rc.top) : std::vector<POINT>{}));
    }
}

TEST_F(XListPaint, ProgressBarEndsAtItsShareOfTheFieldInsideAFrameThatLeavesTheMargins) {
    list().SetProgress(0, 1, TRUE, 40, nullptr, FALSE);
    list().SetProgress(1, 1, TRUE, 0);
    const test::CPixels& px = Paint();
    CRect rc = CellRect(list(), 0, 1);
    CRect R(rc.left + 1, rc.top, rc.right - 2, rc.bottom - 1);
    int x = R.left + 2 + (R.right - (R.left + 2)) * 40 / 100;
    int y = R.top + 3;
    EXPECT_EQ(px.At(rc.left, y), kListBack);
    EXPECT_EQ(px.At(rc.right - 1, y), kListBack);
    for (POINT p : {POINT{R.left, y}, {R.right, y}, {R.left + 5, R.top}, {R.right, R.bottom}})
        EXPECT_EQ(px.At(p.x, p.y), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(px.At(R.left + 1, y), kBlack); // inner shadow
    EXPECT_EQ(px.At(R.left + 5, R.top + 1), kBlack);
    EXPECT_TRUE(IsFilled(px, CRect(R.left + 2, R.top + 2, x, R.bottom), Sys(COLOR_HIGHLIGHT)));
    EXPECT_TRUE(IsFilled(px, CRect(x, R.top + 2, R.right, R.bottom), kProgressField));
    // At 0 there is no bar and no text.
    CRect rc1 = CellRect(list(), 1, 1);
    EXPECT_TRUE(IsFilled(px, CRect(rc1.left + 3, rc1.top + 2, rc1.right - 2, rc1.bottom - 1),
                         kProgressField));
}

TEST_F(XListPaint, ProgressTextReadsInTheBackColourOverTheBarAndTheTextColourBesideIt) {
    for (int row : {0, 1}) {
        list().SetItemText(row, 1, nullptr, kRed, kGreen);
        list().SetProgress(row, 1, TRUE, row == 0 ? 50 : 100);
    }
    const test::CPixels& px = Paint();
    CRect rc = CellRect(list(), 0, 1);
    CRect R(rc.left + 1, rc.top, rc.right - 2, rc.bottom - 1);
    int x = R.left + 2 + (R.right - (R.left + 2)) * 50 / 100;
    CRect bar(R.left + 2, R.top + 2, x, R.bottom);
    CRect rest(x, R.top + 2, R.right, R.bottom);
    EXPECT_GT(px.Count(kGreen, bar), 0);
    EXPECT_EQ(px.Count(kRed, bar), 0);
    EXPECT_GT(px.Count(kRed, rest), 0);
    EXPECT_EQ(px.Count(kGreen, rest), 0);
    CRect full = CellRect(list(), 1, 1);
    EXPECT_GT(px.Count(kGreen, full), 0);
    EXPECT_EQ(px.Count(kRed, full), 0);
}

// In High Contrast the colours given to the cells and to the list give way to the system's
// pairs; turned off again, and the list told as its dialog tells it, they come back.
TEST_F(XListPaint, HighContrastDrawsTheSystemPairsInsteadOfTheColoursGiven) {
    for (int row : {0, 1}) {
        list().SetItemText(row, 0, nullptr, kRed, kGreen);
        list().SetItemText(row, 1, L"option", kRed, kGreen);
        list().SetCheckbox(row, 1, 1);
    }
    list().SetRowEnabled(1, FALSE);
    CRect all, first = CellRect(list(), 0, 0), box = CellRect(list(), 0, 1);
    list().GetClientRect(&all);
    const CPoint below(5, all.bottom - 5); // under the rows: the list's own background
    {
        test::CHighContrastScheme scheme;
        list().SendMessage(WM_SYSCOLORCHANGE);
        const test::CPixels& px = Paint();
        for (COLORREF given : {kRed, kGreen, kListBack})
            EXPECT_EQ(px.Count(given, all), 0);
        EXPECT_EQ(px.At(first.right - 2, first.top + 1), test::kContrastWindow);
        EXPECT_GT(px.Count(test::kContrastWindowText, first), 0);
        EXPECT_GT(px.Count(test::kContrastGrayText, CellRect(list(), 1, 0)), 0);
        int nSide = box.Height() - 1, L = box.left + 10;
        CRect inside(L + 2, box.top + 2, box.left + 9 + nSide, box.top + nSide);
        EXPECT_TRUE(IsExactly(px, inside, test::kContrastWindowText, CheckMark(L, box.top)));
        EXPECT_EQ(px.At(below.x, below.y), test::kContrastWindow);
    }
    list().SendMessage(WM_SYSCOLORCHANGE);
    const test::CPixels& px = Paint();
    EXPECT_EQ(px.At(first.right - 2, first.top + 1), kGreen);
    EXPECT_EQ(px.At(below.x, below.y), kListBack);
}

class XListCombo : public XListPaint {
protected:
    void SetUp() override {
        XListPaint::SetUp();
        for (const wchar_t* s : {L"alpha", L"", L"beta", L"gamma"})
            m_choices.Add(s);
        list().SetItemText(0, 1, L"beta", kRed, kGreen);
        list().SetComboBox(0, 1, TRUE, &m_choices, 4, 0);
        CRect rc = CellRect(list(), 0, 1);
        R.SetRect(rc.left + 1, rc.top, rc.right - 2, rc.bottom + 1);
        B.SetRect(R.right + 1 - R.Height(), R.top, R.right + 1, R.bottom);
        B.DeflateRect(2, 2);
    }
    CStringArray m_choices;
    CRect R; // the field
    CRect B; // the button square
};

TEST_F(XListCombo, UnselectedComboIsPlainTextInTheCellColours) {
    const test::CPixels& px = Paint();
    EXPECT_EQ(px.Count(Sys(COLOR_BTNSHADOW), CellRect(list(), 0, 1)), 0);
    EXPECT_EQ(px.At(B.left + 3, B.top + 3), kGreen);
    EXPECT_GT(px.Count(kRed, CellRect(list(), 0, 1)), 0);
}

TEST_F(XListCombo, ReleasedButtonIsRaisedWithItsArrowBesideAWhiteField) {
    list().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    const test::CPixels& px = Paint();
    for (POINT p : {POINT{R.left, R.top + 3},
                    {R.left + 5, R.top},
                    {R.left + 5, R.bottom - 2},
                    {R.right, R.top + 3}})
        EXPECT_EQ(px.At(p.x, p.y), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(px.At(B.left - 2, R.top + 2), kWhite);
    // The text is in the window text colour, whatever the cell's own colours.
    EXPECT_GT(px.Count(Sys(COLOR_WINDOWTEXT), CRect(R.left + 2, R.top, B.left - 1, R.bottom)), 0);
    EXPECT_EQ(px.Count(kRed, R), 0);
    EXPECT_EQ(px.At(B.left, B.top + 3), Sys(COLOR_3DLIGHT)); // raised edge
    EXPECT_EQ(px.At(B.left + 1, B.top + 3), Sys(COLOR_BTNHIGHLIGHT));
    CRect face = B;
    face.DeflateRect(2, 2);
    EXPECT_TRUE(IsExactly(px, face, kBlack, Arrow(face.left + 1, face.top + 2)));
    EXPECT_EQ(px.At(face.left, face.top), Sys(COLOR_BTNFACE));
    EXPECT_EQ(FindDropListWindow(), nullptr);
}

TEST_F(XListCombo, PressedButtonIsFlatWithItsArrowOneDownAndRightAndPaintingOpensNothing) {
    list().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list().GetCell(0, 1)->bComboDown = TRUE;
    const test::CPixels& px = Paint();
    EXPECT_EQ(px.At(B.left, B.top + 3), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(px.At(B.right - 1, B.top + 3), Sys(COLOR_BTNSHADOW));
    CRect face = B;
    face.DeflateRect(1, 1);
    EXPECT_TRUE(IsExactly(px, face, kBlack, Arrow(face.left + 3, face.top + 4)));
    EXPECT_EQ(FindDropListWindow(), nullptr);
}

TEST_F(XListPaint, ImageSitsOneSpacingIntoTheCellVerticallyCentredBeforeTheText) {
    CImageList images;
    images.Create(12, 10, ILC_COLOR24, 1, 0);
    CBitmap red;
    red.Attach(test::MakeBlocksBitmap(12, 10, {kRed}));
    images.Add(red);
    list().SetImageList(images, LVSIL_SMALL);
    list().SetItemImage(0, 0, 0);
    const test::CPixels& px = Paint();
    CRect rc = CellRect(list(), 0, 0);
    int top = (rc.top + rc.bottom) / 2 - 5;
    EXPECT_EQ(px.Bounds(kRed, rc), CRect(rc.left + 6, top, rc.left + 18, top + 10));
    EXPECT_EQ(px.Count(kRed, rc), 120);
    // Row 1 has no image: its text starts at the cell's edge.
    CRect rc1 = CellRect(list(), 1, 0);
    EXPECT_LT(px.Bounds(Sys(COLOR_WINDOWTEXT), rc1).left, rc1.left + 4);
    list().SetImageList(nullptr, LVSIL_SMALL);
}

TEST_F(XListPaint, RowsWithoutCellDataArePlainInWindowColoursAndTakeTheSelectionColours) {
    static_cast<CListCtrl&>(list()).InsertItem(2, L"base row");
    list().SetExtendedStyle(LVS_EX_FULLROWSELECT);
    CRect rc = CellRect(list(), 2, 1);
    EXPECT_EQ(Paint().At(rc.left + 2, rc.top + 1), Sys(COLOR_WINDOW));

    list().SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    list().SetFocus();
    EXPECT_EQ(Paint().At(rc.left + 2, rc.top + 1), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(m_px.At(CellRect(list(), 2, 0).left + 2, rc.top + 1), Sys(COLOR_HIGHLIGHT));
    // Without the focus or LVS_SHOWSELALWAYS, a selected row keeps its own colours.
    m_frame.SetFocus();
    EXPECT_EQ(Paint().At(rc.left + 2, rc.top + 1), Sys(COLOR_WINDOW));
}

// Wine keeps no keyboard-cue state for the list to hide the frame by.
TEST_F(XListPaint, FocusedRowIsFramedInDotsWhileTheListHasTheFocus) {
    list().SetExtendedStyle(LVS_EX_FULLROWSELECT);
    list().SetItemState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    CRect row;
    list().GetItemRect(1, &row, LVIR_BOUNDS);
    const CRect topLine(row.left, row.top, row.right, row.top + 1);
    for (bool bListFocused : {true, false}) {
        bListFocused ? list().SetFocus() : m_frame.SetFocus();
        int nDots = Paint().Count(Sys(COLOR_WINDOWTEXT), topLine);
        EXPECT_EQ(nDots > row.Width() / 3, bListFocused) << nDots << " of " << row.Width();
    }
}

TEST_F(XListPaint, EmptyListShowsTheWindowColourFromTenPixelsBelowTheHeader) {
    list().DeleteAllItems();
    const test::CPixels& px = Paint();
    CRect rcWindow, rcClient, rcHeaderItem;
    list().GetWindowRect(&rcWindow);
    list().ScreenToClient(&rcWindow);
    list().GetClientRect(&rcClient);
    ::SendMessageW(list().GetHeaderCtrlHandle(), HDM_GETITEMRECT, 0,
                   reinterpret_cast<LPARAM>(&rcHeaderItem));
    int top = rcWindow.top + rcHeaderItem.bottom + 10;
    EXPECT_EQ(px.At(50, top - 1), kListBack);
    EXPECT_TRUE(IsFilled(px, CRect(0, top, rcClient.right, rcClient.bottom), Sys(COLOR_WINDOW)));
    list().RedrawWindow(); // the window's own paint shows the same
    m_px.CopyFromWindow(list().m_hWnd);
    EXPECT_TRUE(IsFilled(m_px, CRect(0, top, rcClient.right, rcClient.bottom), Sys(COLOR_WINDOW)));
}

} // namespace
