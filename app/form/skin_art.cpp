// Choosing and loading the skins' artwork for a DPI.
#include "app/form/skin_art.h"

#include <iterator>
#include <utility>

#include "framework/dpi.h"
#include "res/resource.h"

namespace {

// The scales res/make_art.py draws, smallest first; each one's ids are one step further.
constexpr int kArtPercents[] = {100, 125, 150, 200};

static_assert(IDB_FORM_BACK_150 == IDB_FORM_BACK + 2 * IDB_SCALE_STEP);
static_assert(IDB_MIN_UP_200 == IDB_MIN_UP + 3 * IDB_SCALE_STEP);

// A copy of the bitmap at another size. HALFTONE averages the source pixels under each target
// pixel, where the default mode drops rows and columns.
BOOL ResizeBitmap(CBitmap& bitmap, CSize size) {
    BITMAP bm{};
    if (!bitmap.GetBitmap(&bm))
        return FALSE;
    CClientDC screen(nullptr);
    CDC source, target;
    CBitmap resized;
    if (!source.CreateCompatibleDC(screen) || !target.CreateCompatibleDC(screen) ||
        !resized.CreateCompatibleBitmap(screen, size.cx, size.cy))
        return FALSE;
    {
        CSelectObject selectSource(source, bitmap);
        CSelectObject selectTarget(target, resized);
        ::SetStretchBltMode(target, HALFTONE);
        ::SetBrushOrgEx(target, 0, 0, nullptr);
        target.StretchBlt(0, 0, size.cx, size.cy, source, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    }
    bitmap = std::move(resized);
    return TRUE;
}

} // namespace

ArtScale ArtScaleForDpi(UINT dpi) {
    UINT nStep = 0;
    while (nStep + 1 < std::size(kArtPercents) &&
           static_cast<UINT>(kArtPercents[nStep]) * kLayoutDpi < dpi * 100)
        ++nStep;
    return {kArtPercents[nStep], nStep * IDB_SCALE_STEP};
}

BOOL LoadArtBitmap(CBitmap& bitmap, UINT nID100, UINT dpi) {
    ArtScale art = ArtScaleForDpi(dpi);
    CBitmap stored;
    if (!stored.LoadBitmap(nID100 + art.nIdOffset))
        return FALSE;
    UINT nDrawnDpi = static_cast<UINT>(art.nPercent) * kLayoutDpi / 100;
    if (nDrawnDpi != dpi) {
        BITMAP bm{};
        stored.GetBitmap(&bm);
        CSize size(::MulDiv(bm.bmWidth, static_cast<int>(dpi), static_cast<int>(nDrawnDpi)),
                   ::MulDiv(bm.bmHeight, static_cast<int>(dpi), static_cast<int>(nDrawnDpi)));
        if (!ResizeBitmap(stored, size))
            return FALSE;
    }
    bitmap = std::move(stored);
    return TRUE;
}

BOOL CSkinButton::LoadBitmapsForDpi(UINT nIDNormal100, UINT nIDPressed100, UINT dpi) {
    LoadArtBitmap(m_bitmapSel, nIDPressed100, dpi);
    return LoadArtBitmap(m_bitmap, nIDNormal100, dpi);
}
