// Icon loading.
#include "framework/icon.h"

#include <cstring>
#include <vector>

#include "framework/gdi.h"
#include "framework/module.h"

namespace {

HICON LoadSharedIcon(UINT nIDResource, int cx, int cy) {
    return static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource),
                                           IMAGE_ICON, cx, cy, LR_SHARED));
}

} // namespace

HICON AfxLoadIcon(UINT nIDResource) {
    return LoadSharedIcon(nIDResource, ::GetSystemMetrics(SM_CXICON),
                          ::GetSystemMetrics(SM_CYICON));
}

HICON AfxLoadSmallIcon(UINT nIDResource) {
    return LoadSharedIcon(nIDResource, ::GetSystemMetrics(SM_CXSMICON),
                          ::GetSystemMetrics(SM_CYSMICON));
}

BOOL CIcon::Load(UINT nIDResource, int cx, int cy) {
    return Replace(static_cast<HICON>(::LoadImageW(
        AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource), IMAGE_ICON, cx, cy, 0)));
}

BOOL CIcon::MakeGrey() {
    ICONINFO info{};
    if (IsNull() || !::GetIconInfo(*this, &info))
        return FALSE;
    // GetIconInfo hands out copies of both bitmaps, which are the caller's to delete.
    CBitmap mask, colour;
    mask.Attach(info.hbmMask);
    colour.Attach(info.hbmColor);
    BITMAP bm{};
    if (colour.IsNull() || !colour.GetObject(sizeof(bm), &bm))
        return FALSE;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr) ||
        !::GetDIBits(dc, colour, 0, bm.bmHeight, pixels.data(), &bmi, DIB_RGB_COLORS))
        return FALSE;
    for (DWORD& pixel : pixels) {
        // The eye's weights of red, green and blue; alpha stays as it is.
        DWORD luma =
            (((pixel >> 16) & 0xFF) * 299 + ((pixel >> 8) & 0xFF) * 587 + (pixel & 0xFF) * 114) /
            1000;
        pixel = (pixel & 0xFF000000) | (luma << 16) | (luma << 8) | luma;
    }
    void* bits = nullptr;
    CBitmap grey;
    grey.Attach(::CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (grey.IsNull())
        return FALSE;
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(DWORD));
    info.hbmColor = grey;
    return Replace(::CreateIconIndirect(&info));
}
