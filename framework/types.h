// Point, size and rectangle value types over the platform's POINT, SIZE and RECT.
#pragma once

#include <windows.h>

#include <utility>

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int nWidth, int nHeight) : SIZE{nWidth, nHeight} {}
    CSize(SIZE size) : SIZE(size) {}
    bool operator==(const SIZE& other) const { return cx == other.cx && cy == other.cy; }
};

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int nX, int nY) : POINT{nX, nY} {}
    CPoint(POINT point) : POINT(point) {}
    // Unpacks the signed coordinates of a mouse message's lParam.
    explicit CPoint(LPARAM packed)
        : POINT{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))} {}
    void Offset(int dx, int dy) {
        x += dx;
        y += dy;
    }
    bool operator==(const POINT& other) const { return x == other.x && y == other.y; }
};

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int nLeft, int nTop, int nRight, int nBottom) : RECT{nLeft, nTop, nRight, nBottom} {}
    CRect(const RECT& rect) : RECT(rect) {}
    CRect(POINT topLeft, SIZE size)
        : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return {Width(), Height()}; }
    CPoint TopLeft() const { return {left, top}; }
    CPoint BottomRight() const { return {right, bottom}; }
    CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
    bool IsRectEmpty() const { return ::IsRectEmpty(this) != FALSE; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(POINT point) const { return ::PtInRect(this, point) != FALSE; }
    void SetRect(int nLeft, int nTop, int nRight, int nBottom) {
        ::SetRect(this, nLeft, nTop, nRight, nBottom);
    }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
    void OffsetRect(POINT point) { ::OffsetRect(this, point.x, point.y); }
    void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
    void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
    void DeflateRect(int nLeft, int nTop, int nRight, int nBottom) {
        left += nLeft;
        top += nTop;
        right -= nRight;
        bottom -= nBottom;
    }
    void NormalizeRect() {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    bool IntersectRect(const RECT& rect1, const RECT& rect2) {
        return ::IntersectRect(this, &rect1, &rect2) != FALSE;
    }
    bool UnionRect(const RECT& rect1, const RECT& rect2) {
        return ::UnionRect(this, &rect1, &rect2) != FALSE;
    }
    bool operator==(const RECT& other) const { return ::EqualRect(this, &other) != FALSE; }
    bool operator!=(const RECT& other) const { return !(*this == other); }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};
