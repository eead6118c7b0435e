// The header control: what it paints (dividers, frame, blue centred text, images and
// bitmaps), its off-screen paint of the real window, its colour cache and its class.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/image_list.h"
#include "controls/list/xheader_ctrl.h"
#include "framework/winapp.h"
#include "tests/support/pixels.h"

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 24;
constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kHighlight = RGB(255, 255, 255);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kButtonText = RGB(255, 0, 0); // never used for item text
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kImage0 = RGB(0, 160, 160);
constexpr COLORREF kImage1 = RGB(0, 128, 0);
constexpr COLORREF kOrange = RGB(255, 128, 0);

// A visible pop-up holding a native header at its top-left corner, subclassed by the
// control the way the list control attaches it.
class HeaderTest : public ::testing::Test {
protected:
    // The parent takes the header's window with it while both objects are whole.
    void TearDown() override { m_parent.DestroyWindow(); }
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&icc);
        LOGFONTW lf{};
        lf.lfHeight = -12;
        lf.lfQuality = NONANTIALIASED_QUALITY; // pure item colours, no blended edges
        wcscpy(lf.lfFaceName, L"Tahoma");
        m_font.CreateFontIndirect(&lf);

        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE,
                                      CRect(40, 40, 40 + kWidth + 20, 40 + 100), nullptr, 0));
        HWND hHeader = ::CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_HORZ, 0, 0,
                                         kWidth, kHeight, m_parent.m_hWnd,
                                         reinterpret_cast<HMENU>(7), nullptr, nullptr);
        ASSERT_TRUE(m_header.SubclassWindow(hHeader));
        m_header.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(HFONT(m_font)), FALSE);
        m_header.m_crFace = kFace;
        m_header.m_crHighlight = kHighlight;
        m_header.m_crShadow = kShadow;
        m_header.m_crText = kButtonText;
    }

    void AddItem(LPCWSTR text, int width, int fmt = HDF_CENTER, int image = 0,
                 HBITMAP hbm = nullptr) {
        HDITEMW hdi{};
        hdi.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_IMAGE | HDI_BITMAP;
        hdi.cxy = width;
        hdi.pszText = const_cast<LPWSTR>(text);
        hdi.fmt = fmt | HDF_STRING;
        hdi.iImage = image;
        hdi.hbm = hbm;
        m_header.InsertItem(m_header.GetItemCount(), &hdi);
    }

    HBITMAP KeepBitmap(HBITMAP hbm) {
        m_bitmaps.emplace_back().Attach(hbm);
        return hbm;
    }

    std::unique_ptr<test::CPixels> Paint() {
        auto px = std::make_unique<test::CPixels>(kWidth, kHeight);
        m_header.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(px->DC().GetSafeHdc()),
                             PRF_CLIENT);
        return px;
    }

    static CRect ItemArea(int left, int right) { return CRect(left, 0, right, kHeight); }

    CFont m_font;
    std::vector<CBitmap> m_bitmaps;
    CImageList m_images;
    CWnd m_parent;
    CXHeaderCtrl m_header;
};

TEST_F(HeaderTest, DividersFollowEveryItemButTheLastAndTheFrameSpansExactlyTheItems) {
    auto empty = Paint();
    EXPECT_EQ(empty->Count(kFace, CRect(0, 0, kWidth, kHeight)), kWidth * kHeight);

    AddItem(L"", 80);
    AddItem(L"", 100);
    AddItem(L"", 60);
    auto px = Paint();
    for (int right : {80, 180}) {
        // From two pixels below the top to three above the bottom.
        EXPECT_EQ(px->At(right - 1, 2), kShadow) << right;
        EXPECT_EQ(px->At(right, kHeight - 3), kHighlight) << right;
        EXPECT_EQ(px->At(right, 1), kFace) << right;
        EXPECT_EQ(px->At(right - 1, kHeight - 2), kFace) << right;
    }
    EXPECT_EQ(px->At(0, 12), kHighlight);
    EXPECT_EQ(px->At(120, 0), kHighlight);
    EXPECT_EQ(px->At(120, kHeight - 1), kShadow);
    EXPECT_EQ(px->At(239, 12), kShadow);
    // No divider after the last item, and no frame beyond it.
    EXPECT_EQ(px->Count(kFace, CRect(240, 0, kWidth, kHeight)), 60 * kHeight);
}

TEST_F(HeaderTest, TextIsBlueAndCentredWhateverTheAlignmentAndButtonTextColour) {
    AddItem(L"Left", 100, HDF_LEFT);
    AddItem(L"Mid", 100, HDF_CENTER);
    AddItem(L"Right", 100, HDF_RIGHT);
    auto px = Paint();
    for (int left : {0, 100, 200}) {
        CRect text = px->Bounds(kBlue, ItemArea(left, left + 100));
        ASSERT_FALSE(text.IsRectEmpty()) << left;
        EXPECT_NEAR((text.left + text.right) / 2, left + 50, 2) << left;
        EXPECT_NEAR((text.top + text.bottom) / 2, kHeight / 2, 3) << left;
    }
    EXPECT_EQ(px->Count(kButtonText, CRect(0, 0, kWidth, kHeight)), 0);
}

TEST_F(HeaderTest, LongTextEndsInAnEllipsisWithinTheSpacing) {
    AddItem(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 80);
    auto px = Paint();
    CRect text = px->Bounds(kBlue, ItemArea(0, 80));
    ASSERT_FALSE(text.IsRectEmpty());
    EXPECT_GE(text.left, 6);
    EXPECT_LE(text.right, 80 - 6);
    // The last few columns hold only the dots on the base line, not a cut capital.
    CRect tail(text.right - 5, 0, text.right, kHeight);
    CRect dots = px->Bounds(kBlue, tail);
    EXPECT_GE(dots.top, text.bottom - 3);
}

TEST_F(HeaderTest, ImageZeroIsNoneImageOneSitsAfterTheSpacingAndANullListKeepsTheSize) {
    m_images.Create(16, 16, ILC_COLOR32, 2, 0);
    CBitmap strip;
    strip.Attach(test::MakeBlocksBitmap(16, 16, {kImage0, kImage1}));
    ASSERT_EQ(m_images.Add(strip), 0);
    m_header.SetImageList(m_images);
    EXPECT_EQ(m_header.m_cxImage, 16);
    EXPECT_EQ(m_header.m_cyImage, 16);

    AddItem(L"No", 100, HDF_CENTER, 0);
    AddItem(L"Yes", 100, HDF_CENTER, 1);
    auto px = Paint();
    EXPECT_EQ(px->Count(kImage0, CRect(0, 0, kWidth, kHeight)), 0);
    EXPECT_EQ(px->Bounds(kImage1, ItemArea(100, 200)), CRect(106, 4, 122, 20));
    // The text is centred in what the image leaves.
    CRect text = px->Bounds(kBlue, ItemArea(100, 200));
    ASSERT_FALSE(text.IsRectEmpty());
    EXPECT_GE(text.left, 106 + 16 + 6);
    EXPECT_NEAR((text.left + text.right) / 2, (128 + 194) / 2, 2);

    m_header.SetImageList(nullptr);
    EXPECT_EQ(m_header.m_cxImage, 16);
}

TEST_F(HeaderTest, BitmapSitsAtTheRightAndOneTooWideIsNotDrawnAndLeavesTheTextItsSpace) {
    AddItem(L"Fit", 100, HDF_CENTER | HDF_BITMAP, 0,
            KeepBitmap(test::MakeBlocksBitmap(10, 10, {kOrange})));
    AddItem(L"Wide", 100, HDF_CENTER | HDF_BITMAP, 0,
            KeepBitmap(test::MakeBlocksBitmap(100, 10, {kOrange})));
    auto px = Paint();
    EXPECT_EQ(px->Bounds(kOrange, ItemArea(0, 100)), CRect(84, 7, 94, 17));
    CRect fitText = px->Bounds(kBlue, ItemArea(0, 100));
    EXPECT_LE(fitText.right, 84 - 6);

    EXPECT_EQ(px->Count(kOrange, ItemArea(100, 200)), 0);
    CRect wideText = px->Bounds(kBlue, ItemArea(100, 200));
    ASSERT_FALSE(wideText.IsRectEmpty());
    EXPECT_NEAR((wideText.left + wideText.right) / 2, 150, 2);
}

TEST_F(HeaderTest, OwnerDrawnItemShowsOnlyFaceAndItsDivider) {
    AddItem(L"Owner", 80, HDF_OWNERDRAW);
    AddItem(L"Plain", 80);
    auto px = Paint();
    CRect inside(1, 1, 78, kHeight - 1);
    EXPECT_EQ(px->Count(kFace, inside), inside.Width() * inside.Height());
    EXPECT_EQ(px->At(79, 12), kShadow);
    EXPECT_EQ(px->At(80, 12), kHighlight);
    EXPECT_GT(px->Count(kBlue, ItemArea(80, 160)), 0);
}

TEST_F(HeaderTest, WindowPaintsOffScreenAndCopiesBackOnlyTheUpdateArea) {
    AddItem(L"One", 80, HDF_LEFT);
    AddItem(L"Two", 100);
    AddItem(L"Three", 60, HDF_RIGHT);
    auto expected = Paint();
    test::CPixels screen(kWidth, kHeight);
    auto differing = [&](int left, int right) {
        int n = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = left; x < right; ++x)
                n += screen.At(x, y) != expected->At(x, y);
        return n;
    };
    m_header.Invalidate();
    m_header.UpdateWindow();
    screen.CopyFromWindow(m_header.m_hWnd);
    EXPECT_EQ(differing(0, kWidth), 0);

    // Blacken the window behind its back, then let it repaint one band only.
    {
        CClientDC dc(&m_header);
        dc.FillSolidRect(0, 0, kWidth, kHeight, RGB(0, 0, 0));
    }
    CRect band(100, 0, 200, kHeight);
    m_header.InvalidateRect(&band, TRUE);
    m_header.UpdateWindow();
    screen.CopyFromWindow(m_header.m_hWnd);
    EXPECT_EQ(differing(100, 200), 0);
    EXPECT_EQ(screen.Count(RGB(0, 0, 0), CRect(0, 0, 100, kHeight)), 100 * kHeight);
    EXPECT_EQ(screen.Count(RGB(0, 0, 0), CRect(200, 0, kWidth, kHeight)), 100 * kHeight);
}

TEST_F(HeaderTest, EraseBackgroundIsClaimedWithoutDrawing) {
    test::CPixels px(kWidth, kHeight);
    px.DC().FillSolidRect(0, 0, kWidth, kHeight, RGB(0, 0, 0));
    EXPECT_EQ(m_header.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(px.DC().GetSafeHdc())),
              TRUE);
    EXPECT_EQ(px.Count(RGB(0, 0, 0), CRect(0, 0, kWidth, kHeight)), kWidth * kHeight);
}

TEST_F(HeaderTest, SystemColourChangeReReadsTheColoursThatPaintingUses) {
    AddItem(L"", 80);
    AddItem(L"", 80);
    m_header.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(m_header.m_crFace, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(m_header.m_crHighlight, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(m_header.m_crShadow, ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(m_header.m_crText, ::GetSysColor(COLOR_BTNTEXT));
    auto px = Paint();
    EXPECT_EQ(px->At(200, 12), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(px->At(79, 12), ::GetSysColor(COLOR_BTNSHADOW));
}

TEST(HeaderClass, CreatedByNameWithSystemColoursAndDefaultSpacing) {
    const CRuntimeClass* pClass = CRuntimeClass::FromName("CXHeaderCtrl");
    ASSERT_EQ(pClass, RUNTIME_CLASS(CXHeaderCtrl));
    EXPECT_EQ(pClass->m_pBaseClass, RUNTIME_CLASS(CHeaderCtrl));
    std::unique_ptr<CObject> object(pClass->CreateObject());
    auto* pHeader = dynamic_cast<CXHeaderCtrl*>(object.get());
    ASSERT_NE(pHeader, nullptr);
    EXPECT_TRUE(pHeader->IsKindOf(RUNTIME_CLASS(CHeaderCtrl)));
    EXPECT_EQ(pHeader->m_nSpacing, 6);
    EXPECT_TRUE(pHeader->m_bDoubleBuffer);
    EXPECT_EQ(pHeader->m_cxImage, 0);
    EXPECT_EQ(pHeader->m_cyImage, 0);
    EXPECT_EQ(pHeader->m_crFace, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pHeader->m_crText, ::GetSysColor(COLOR_BTNTEXT));
}

} // namespace
