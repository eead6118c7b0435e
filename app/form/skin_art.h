// The skins' artwork for the display's scale: res/make_art.py draws every bitmap at 100, 125,
// 150 and 200 %, and a DPI takes the nearest drawing at or above its scale, scaled down to
// its own size only where no drawing is its size.
#pragma once

#include <windows.h>

#include "framework/bitmap_button.h"
#include "framework/gdi.h"

// The stored scale that serves a DPI, and its resource id offset from the 100 % id.
struct ArtScale {
    int nPercent;
    UINT nIdOffset;
};
ArtScale ArtScaleForDpi(UINT dpi);

// Loads bitmap nID100 (its 100 % id) as drawn for dpi: the stored drawing when one is drawn
// for dpi, otherwise the nearest larger one scaled to dpi (a scale above the largest stored
// takes the largest). FALSE, with the bitmap as it was, when the resource is missing.
BOOL LoadArtBitmap(CBitmap& bitmap, UINT nID100, UINT dpi);

// A caption button of the form whose faces are the artwork drawn for the form's DPI.
class CSkinButton : public CBitmapButton {
public:
    BOOL LoadBitmapsForDpi(UINT nIDNormal100, UINT nIDPressed100, UINT dpi);
};
