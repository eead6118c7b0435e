// GDI wrappers, in two kinds: handles that borrow a GDI object or device context owned
// elsewhere (copyable, never free anything), and owners that free what they hold.
//
//   CGdiHandle<H>: CPenHandle, CBrushHandle, CFontHandle, CBitmapHandle, CRgnHandle - borrowed
//   CGdiObject: CPen, CBrush, CFont, CBitmap, CRgn                                   - owned
//   CDCHandle                                       - a borrowed device context
//   CDC, CPaintDC, CClientDC, CWindowDC             - owned device contexts
//   CSelectObject                                   - scoped selection
#pragma once

#include <windows.h>

#include "framework/cstring.h"
#include "framework/types.h"

class CWnd;

// --- Borrowed GDI objects --------------------------------------------------------------------

template <class THandle> class CGdiHandle {
public:
    CGdiHandle(THandle h = nullptr) : m_hObject(h) {}
    THandle m_hObject;

    THandle GetSafeHandle() const { return m_hObject; }
    operator THandle() const { return m_hObject; }
    bool IsNull() const { return m_hObject == nullptr; }
    int GetObject(int nCount, LPVOID lpObject) const {
        return ::GetObjectW(m_hObject, nCount, lpObject);
    }
    // The platform's stock objects belong to the platform and are only ever borrowed.
    static CGdiHandle Stock(int nIndex) { return static_cast<THandle>(::GetStockObject(nIndex)); }
};

using CPenHandle = CGdiHandle<HPEN>;
using CFontHandle = CGdiHandle<HFONT>;
using CBitmapHandle = CGdiHandle<HBITMAP>;
using CRgnHandle = CGdiHandle<HRGN>;

class CBrushHandle : public CGdiHandle<HBRUSH> {
public:
    CBrushHandle(HBRUSH h = nullptr) : CGdiHandle(h) {}
    // The system colour brushes are shared by every program and must not be deleted.
    static CBrushHandle SysColor(int nIndex) { return ::GetSysColorBrush(nIndex); }
};

// --- Owned GDI objects -----------------------------------------------------------------------

class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& o) noexcept : m_hObject(o.Detach()) {}
    CGdiObject& operator=(CGdiObject&& o) noexcept {
        if (this != &o) {
            DeleteObject();
            m_hObject = o.Detach();
        }
        return *this;
    }
    virtual ~CGdiObject() { DeleteObject(); }

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // Takes ownership of an object this program created; stock objects are borrowed with
    // the handle types instead.
    BOOL Attach(HGDIOBJ h);
    HGDIOBJ Detach() {
        HGDIOBJ h = m_hObject;
        m_hObject = nullptr;
        return h;
    }
    BOOL DeleteObject() {
        if (!m_hObject)
            return FALSE;
        return ::DeleteObject(Detach());
    }
    int GetObject(int nCount, LPVOID lpObject) const {
        return ::GetObjectW(m_hObject, nCount, lpObject);
    }
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
        return Attach(::CreatePen(nPenStyle, nWidth, crColor));
    }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONTW* lpLogFont) {
        return Attach(::CreateFontIndirectW(lpLogFont));
    }
    int GetLogFont(LOGFONTW* pLogFont) const { return GetObject(sizeof(LOGFONTW), pLogFont); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CBitmap : public CGdiObject {
public:
    // Loads a bitmap resource of the program's own module.
    BOOL LoadBitmap(UINT nIDResource);
    BOOL CreateCompatibleBitmap(HDC hDC, int nWidth, int nHeight) {
        return Attach(::CreateCompatibleBitmap(hDC, nWidth, nHeight));
    }
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2) {
        return Attach(::CreateRectRgn(x1, y1, x2, y2));
    }
    BOOL CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};

// --- Device contexts -------------------------------------------------------------------------

// A device context owned elsewhere: a paint context lent to a painter, the context of a
// custom-draw notification or of a control-colour message.
class CDCHandle {
public:
    CDCHandle(HDC hDC = nullptr) : m_hDC(hDC), m_hAttribDC(hDC) {}

    HDC m_hDC;
    HDC m_hAttribDC;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // Selection
    HGDIOBJ SelectObject(HGDIOBJ hObject) {
        return hObject ? ::SelectObject(m_hDC, hObject) : nullptr;
    }
    HGDIOBJ SelectObject(const CGdiObject& object) { return SelectObject(object.m_hObject); }
    // Without this overload a pointer to a wrapper would pass for a handle.
    HGDIOBJ SelectObject(const CGdiObject* pObject) {
        return pObject ? SelectObject(pObject->m_hObject) : nullptr;
    }
    HGDIOBJ SelectStockObject(int nIndex) {
        return ::SelectObject(m_hDC, ::GetStockObject(nIndex));
    }
    HGDIOBJ GetCurrentObject(UINT uObjectType) const {
        return ::GetCurrentObject(m_hDC, uObjectType);
    }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }

    // Attributes
    COLORREF SetTextColor(COLORREF cr) { return ::SetTextColor(m_hDC, cr); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF cr) { return ::SetBkColor(m_hDC, cr); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    CPoint SetWindowOrg(int x, int y) {
        POINT old{};
        ::SetWindowOrgEx(m_hDC, x, y, &old);
        return old;
    }
    int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
    int SelectClipRgn(HRGN hRgn) { return ::SelectClipRgn(m_hDC, hRgn); }
    CSize GetTextExtent(const CString& str) const {
        SIZE s{};
        ::GetTextExtentPoint32W(m_hAttribDC, str, str.GetLength(), &s);
        return s;
    }

    // Drawing
    CPoint MoveTo(int x, int y) {
        POINT old{};
        ::MoveToEx(m_hDC, x, y, &old);
        return old;
    }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF cr) { return ::SetPixel(m_hDC, x, y, cr); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    void FillRect(LPCRECT lpRect, HBRUSH hBrush) { ::FillRect(m_hDC, lpRect, hBrush); }
    void FrameRect(LPCRECT lpRect, HBRUSH hBrush) { ::FrameRect(m_hDC, lpRect, hBrush); }
    void FillSolidRect(LPCRECT lpRect, COLORREF cr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF cr);
    // A one-pixel border: top and left in crTopLeft, bottom and right in crBottomRight.
    void Draw3dRect(LPCRECT lpRect, COLORREF crTopLeft, COLORREF crBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF crTopLeft, COLORREF crBottomRight);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) {
        return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
    }
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
        return ::DrawTextW(m_hDC, str, str.GetLength(), lpRect, nFormat);
    }
    BOOL TextOut(int x, int y, const CString& str) {
        return ::TextOutW(m_hDC, x, y, str, str.GetLength());
    }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, HDC hSrcDC, int xSrc, int ySrc,
                DWORD dwRop) {
        return ::BitBlt(m_hDC, x, y, nWidth, nHeight, hSrcDC, xSrc, ySrc, dwRop);
    }
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, HDC hSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, DWORD dwRop) {
        return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, hSrcDC, xSrc, ySrc, nSrcWidth, nSrcHeight,
                            dwRop);
    }
};

// A device context this object deletes.
class CDC : public CDCHandle {
public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() { DeleteDC(); }

    BOOL CreateCompatibleDC(HDC hDC);
    BOOL DeleteDC() {
        if (!m_hDC)
            return FALSE;
        return ::DeleteDC(Detach());
    }

protected:
    // Takes the context; the released kinds below give it back in their own way.
    void Attach(HDC hDC) { m_hDC = m_hAttribDC = hDC; }
    HDC Detach() {
        HDC h = m_hDC;
        m_hDC = m_hAttribDC = nullptr;
        return h;
    }
};

// The context of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd;
};

// GetDC of the client area; released on destruction.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

// GetWindowDC of the whole window; released on destruction.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};

// Selects an object into a context for one scope and restores the previous one.
class CSelectObject {
public:
    CSelectObject(CDCHandle dc, HGDIOBJ hObject)
        : m_hDC(dc.m_hDC), m_hOld(::SelectObject(m_hDC, hObject)) {}
    CSelectObject(CDCHandle dc, const CGdiObject& object) : CSelectObject(dc, object.m_hObject) {}
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;
    ~CSelectObject() {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
    }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};
