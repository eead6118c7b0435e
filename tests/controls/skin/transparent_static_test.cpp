// The transparent label over a parent that paints a pattern: the pattern shows between and
// around the letters, and a shorter text leaves no trace of a longer old one.
#include <gtest/gtest.h>

#include "controls/skin/transparent_static.h"
#include "skin_test_support.h"

namespace {

constexpr COLORREF kStripeA = RGB(0, 128, 0);
constexpr COLORREF kStripeB = RGB(0, 96, 160);
constexpr COLORREF kText = RGB(0, 0, 0);

// A parent that paints vertical stripes, as the skinned dialogs paint their bitmap.
class CStripedWnd : public CWnd {
protected:
    void OnPaint() {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        for (int x = 0; x < rc.Width(); x += 4)
            dc.FillSolidRect(x, 0, 4, rc.Height(), (x / 4) % 2 ? kStripeB : kStripeA);
    }
    BOOL OnEraseBkgnd(CDCHandle) { return TRUE; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStripedWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST(TransparentStatic, ShorterTextLeavesOnlyTheParentsBackground) {
    CAutoWnd<CStripedWnd> parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE,
                                CRect(40, 40, 340, 100), nullptr, 0));
    HWND hLabel = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 280, 30,
                                    parent.m_hWnd, nullptr, nullptr, nullptr);
    CAutoWnd<CTransparentStatic> label;
    ASSERT_TRUE(label.SubclassWindow(hLabel));
    LOGFONTW lf{};
    lf.lfHeight = -16;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    wcscpy(lf.lfFaceName, L"Tahoma");
    CFont font;
    font.CreateFontIndirect(&lf);
    label.SetFont(font);

    CRect area(10, 10, 290, 40); // the label, in the parent's client coordinates
    CRect rightOfShortText(40, 10, 290, 40);
    test::CPixels px(300, 60);
    auto onlyBackgroundIn = [&](const CRect& rc) {
        return px.Count(kStripeA, rc) + px.Count(kStripeB, rc) == rc.Width() * rc.Height();
    };
    for (LPCWSTR text : {L"WWWWWWWWWWWWWWWWWW", L"W", L"W"}) {
        SCOPED_TRACE(::testing::Message() << wcslen(text) << " letters");
        label.SetWindowText(text);
        test::Pump(50);
        px.CopyFromWindow(parent.m_hWnd);
        EXPECT_GT(px.Count(kText, area), 0);
        // The label paints no box of its own: both stripes show inside it.
        EXPECT_EQ(px.Count(kText, area) + px.Count(kStripeA, area) + px.Count(kStripeB, area),
                  area.Width() * area.Height());
        EXPECT_GT(px.Count(kStripeA, area), 0);
        EXPECT_GT(px.Count(kStripeB, area), 0);
        if (wcslen(text) == 1) {
            EXPECT_TRUE(onlyBackgroundIn(rightOfShortText));
        }
    }
}

} // namespace
