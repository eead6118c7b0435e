// CMemDC: drawing off-screen in the target's coordinates and copying back its clip box.
#include <gtest/gtest.h>

#include "framework/mem_dc.h"
#include "tests/support/pixels.h"

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kOrange = RGB(255, 128, 0);

TEST(MemDC, DrawsInTheTargetsCoordinatesCopiesBackOnlyItsClipBoxAndLeavesTheTargetOpen) {
    test::CPixels target(100, 50);
    target.DC().FillSolidRect(0, 0, 100, 50, RGB(0, 0, 0));
    CRgn clip;
    clip.CreateRectRgn(20, 10, 60, 40);
    target.DC().SelectClipRgn(clip);
    {
        CMemDC memDC(target.DC());
        memDC.FillSolidRect(0, 0, 100, 50, kOrange);
        memDC.SetPixel(25, 15, kBlue);
        // Nothing reaches the target before the context is destroyed.
        EXPECT_EQ(target.At(30, 20), RGB(0, 0, 0));
    }
    target.DC().SelectClipRgn(nullptr);
    EXPECT_EQ(target.At(25, 15), kBlue);
    EXPECT_EQ(target.Count(kOrange, CRect(20, 10, 60, 40)), 40 * 30 - 1);
    EXPECT_EQ(target.Count(kOrange, CRect(0, 0, 100, 50)), 40 * 30 - 1);
    // The target stays open and drawable once the off-screen context is gone.
    EXPECT_EQ(::GetObjectType(target.DC().GetSafeHdc()), static_cast<DWORD>(OBJ_MEMDC));
    target.DC().SetPixel(6, 6, kBlue);
    EXPECT_EQ(target.At(6, 6), kBlue);
}

} // namespace
