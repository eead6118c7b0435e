// Pixels for the tests: a 32-bit bitmap to paint into, or copy a window into, and read back;
// bitmaps of plain colour blocks; and the screen's own pixels.
#pragma once

#include <windows.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "framework/gdi.h"
#include "framework/types.h"

namespace test {

// A 32-bit bitmap whose rows run top to bottom, with its pixels at *ppBits.
inline HBITMAP CreateTopDownBitmap(int cx, int cy, DWORD** ppBits) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hbm = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    *ppBits = static_cast<DWORD*>(bits);
    return hbm;
}

// A top-down 32-bit bitmap selected into a memory context.
class CPixels {
public:
    CPixels(int cx, int cy) : m_cx(cx), m_cy(cy) {
        DWORD* bits = nullptr;
        CBitmap bitmap;
        bitmap.Attach(CreateTopDownBitmap(cx, cy, &bits));
        m_pBits = bits;
        m_dc.CreateCompatibleDC(nullptr);
        m_selectBitmap.emplace(m_dc, std::move(bitmap));
    }
    CPixels(const CPixels&) = delete;
    CPixels& operator=(const CPixels&) = delete;

    CDC& DC() { return m_dc; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

    // The pixel as a COLORREF.
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        DWORD p = m_pBits[y * m_cx + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    // Smallest rectangle holding every pixel of colour cr inside area; empty when none.
    CRect Bounds(COLORREF cr, const RECT& area) const {
        CRect found(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (At(x, y) == cr) {
                    found.left = std::min<LONG>(found.left, x);
                    found.top = std::min<LONG>(found.top, y);
                    found.right = std::max<LONG>(found.right, x + 1);
                    found.bottom = std::max<LONG>(found.bottom, y + 1);
                }
        return found.left == INT_MAX ? CRect() : found;
    }
    int Count(COLORREF cr, const RECT& area) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += At(x, y) == cr;
        return n;
    }

    // Copies what a window shows on the screen (its client area) into this bitmap.
    void CopyFromWindow(HWND hWnd) {
        HDC hdc = ::GetDC(hWnd);
        ::BitBlt(m_dc.GetSafeHdc(), 0, 0, m_cx, m_cy, hdc, 0, 0, SRCCOPY);
        ::ReleaseDC(hWnd, hdc);
    }

private:
    int m_cx;
    int m_cy;
    CDC m_dc;
    std::optional<CSelectObject> m_selectBitmap;
    const DWORD* m_pBits = nullptr;
};

// A bitmap of side-by-side blocks, each cx by cy pixels of one colour, selected nowhere.
inline HBITMAP MakeBlocksBitmap(int cx, int cy, const std::vector<COLORREF>& colours) {
    int width = cx * static_cast<int>(colours.size());
    DWORD* pixels = nullptr;
    HBITMAP hbm = CreateTopDownBitmap(width, cy, &pixels);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF cr = colours[static_cast<size_t>(x / cx)];
            pixels[y * width + x] = (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
        }
    return hbm;
}

// The colour the screen shows at the point.
inline COLORREF ScreenPixel(POINT screen) {
    HDC dc = ::GetDC(nullptr);
    COLORREF cr = ::GetPixel(dc, screen.x, screen.y);
    ::ReleaseDC(nullptr, dc);
    return cr;
}

} // namespace test
