// Linked into a copy of the program for the manual's pictures only: High Contrast pretended on
// from the start, in the colours of Windows' "High Contrast Black", since Wine cannot turn it
// on. The shipped program reads nothing of the kind.
#include "tests/support/high_contrast.h"

namespace {

const test::CHighContrastScheme g_highContrastBlack({
    {COLOR_WINDOW, RGB(0, 0, 0)},
    {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
    {COLOR_HIGHLIGHT, RGB(26, 235, 255)},
    {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
    {COLOR_GRAYTEXT, RGB(63, 242, 63)},
    {COLOR_HOTLIGHT, RGB(255, 255, 0)},
    {COLOR_BTNFACE, RGB(0, 0, 0)},
    {COLOR_BTNTEXT, RGB(255, 255, 255)},
    {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},
    {COLOR_3DLIGHT, RGB(255, 255, 255)},
    {COLOR_BTNSHADOW, RGB(128, 128, 128)},
    {COLOR_3DDKSHADOW, RGB(255, 255, 255)},
    {COLOR_WINDOWFRAME, RGB(255, 255, 255)},
});

} // namespace
