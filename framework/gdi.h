// GDI wrappers, in two kinds: handles that borrow a GDI object or device context owned
// elsewhere (copyable, never free anything), and owners that free what they hold (movable,
// never copied). An owner holds one kind of object only: a pen owner takes no brush.
//
//   CGdiHandle<H>: CPenHandle, CBrushHandle, CFontHandle, CBitmapHandle, CRgnHandle - borrowed
//   CGdiObject<H>: CPen, CBrush, CFont, CBitmap, CRgn                                - owned
//   CDCHandle                                       - a borrowed device context
//   CDC                                             - a created device context, deleted
//   CWindowLentDC<Loan>: CPaintDC, CClientDC, CWindowDC - a window's device context, given back
//   CSelectObject                                   - scoped selection
//   CSavedDC                                        - scoped saved state
//   DrawBitmap                                      - a whole bitmap copied into a context
#pragma once

#include <windows.h>

#include <utility>

#include "framework/cstring.h"
#include "framework/handle_owner.h"
#include "framework/report.h"
#include "framework/types.h"

class CWnd;

// --- Borrowed GDI objects --------------------------------------------------------------------

template <class THandle> class CGdiHandle {
public:
    CGdiHandle(THandle hObject = nullptr) : m_hObject(hObject) {}

    THandle GetSafeHandle() const { return m_hObject; }
    operator THandle() const { return m_hObject; }
    bool IsNull() const { return m_hObject == nullptr; }
    int GetObject(int nCount, LPVOID lpObject) const {
        return ::GetObjectW(m_hObject, nCount, lpObject);
    }
    // The platform's stock objects belong to the platform and are only ever borrowed.
    static CGdiHandle Stock(int nIndex) { return static_cast<THandle>(::GetStockObject(nIndex)); }

protected:
    THandle& HandleRef() { return m_hObject; }

private:
    THandle m_hObject;
};

using CPenHandle = CGdiHandle<HPEN>;
using CFontHandle = CGdiHandle<HFONT>;
using CBitmapHandle = CGdiHandle<HBITMAP>;
using CRgnHandle = CGdiHandle<HRGN>;

class CBrushHandle : public CGdiHandle<HBRUSH> {
public:
    CBrushHandle(HBRUSH hBrush = nullptr) : CGdiHandle(hBrush) {}
    // The system colour brushes are shared by every program and must not be deleted.
    static CBrushHandle SysColor(int nIndex) { return ::GetSysColorBrush(nIndex); }
};

// --- Owned GDI objects -----------------------------------------------------------------------

namespace afx {

// The platform's stock objects and system colour brushes, which no program may delete.
bool IsSharedGdiObject(HGDIOBJ hObject);

} // namespace afx

struct GdiObjectFree {
    static BOOL Free(HGDIOBJ hObject) { return ::DeleteObject(hObject); }
};

template <class THandle>
class CGdiObject : public CHandleOwner<THandle, GdiObjectFree, CGdiHandle<THandle>> {
    using Owner = CHandleOwner<THandle, GdiObjectFree, CGdiHandle<THandle>>;

public:
    // Takes ownership of an object this program created, deleting the one held before; stock
    // objects are borrowed with the handle types instead.
    BOOL Attach(THandle hObject) {
        if (ReportIf(hObject && afx::IsSharedGdiObject(hObject)))
            return FALSE;
        Owner::Attach(hObject);
        return hObject != nullptr;
    }
    BOOL DeleteObject() { return this->Free(); }

protected:
    // A creation or load that fails keeps the object held before.
    BOOL Replace(THandle hNew) { return hNew ? Attach(hNew) : FALSE; }
};

class CPen : public CGdiObject<HPEN> {
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
        return Replace(::CreatePen(nPenStyle, nWidth, crColor));
    }
    // One pixel wide, every other pixel set: the dots of a focus rectangle, drawn rather
    // than inverted.
    BOOL CreateDottedPen(COLORREF crColor) {
        LOGBRUSH lb{BS_SOLID, crColor, 0};
        return Replace(::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr));
    }
};

class CBrush : public CGdiObject<HBRUSH> {
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    BOOL CreateSolidBrush(COLORREF crColor) { return Replace(::CreateSolidBrush(crColor)); }
};

class CFont : public CGdiObject<HFONT> {
public:
    BOOL CreateFontIndirect(const LOGFONTW* lpLogFont) {
        return Replace(::CreateFontIndirectW(lpLogFont));
    }
    int GetLogFont(LOGFONTW* pLogFont) const { return GetObject(sizeof(LOGFONTW), pLogFont); }
};

class CBitmap : public CGdiObject<HBITMAP> {
public:
    // Loads a bitmap resource of the program's own module.
    BOOL LoadBitmap(UINT nIDResource);
    BOOL CreateCompatibleBitmap(HDC hDC, int nWidth, int nHeight) {
        return Replace(::CreateCompatibleBitmap(hDC, nWidth, nHeight));
    }
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
};

class CRgn : public CGdiObject<HRGN> {
public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2) {
        return Replace(::CreateRectRgn(x1, y1, x2, y2));
    }
    BOOL CreateRectRgnIndirect(LPCRECT lpRect) { return Replace(::CreateRectRgnIndirect(lpRect)); }
};

// --- Device contexts -------------------------------------------------------------------------

// A device context owned elsewhere: a paint context lent to a painter, the context of a
// custom-draw notification or of a control-colour message.
class CDCHandle {
public:
    CDCHandle(HDC hDC = nullptr) : m_hDC(hDC) {}

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // Objects are selected with CSelectObject and states saved with CSavedDC, which put back
    // what was there before.
    HGDIOBJ GetCurrentObject(UINT uObjectType) const {
        return ::GetCurrentObject(m_hDC, uObjectType);
    }

    // Attributes
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
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
        SIZE size{};
        ::GetTextExtentPoint32W(m_hDC, str, str.GetLength(), &size);
        return size;
    }

    // Drawing
    CPoint MoveTo(int x, int y) {
        POINT old{};
        ::MoveToEx(m_hDC, x, y, &old);
        return old;
    }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    void FillRect(LPCRECT lpRect, HBRUSH hBrush) { ::FillRect(m_hDC, lpRect, hBrush); }
    void FrameRect(LPCRECT lpRect, HBRUSH hBrush) { ::FrameRect(m_hDC, lpRect, hBrush); }
    void FillSolidRect(LPCRECT lpRect, COLORREF crColor);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor);
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

protected:
    HDC& HandleRef() { return m_hDC; }

    HDC m_hDC;
};

struct DCFree {
    static BOOL Free(HDC hDC) { return ::DeleteDC(hDC); }
};

// A device context this program created, deleted with the object.
class CDC : public CHandleOwner<HDC, DCFree, CDCHandle> {
public:
    // A failed creation keeps the context held before.
    BOOL CreateCompatibleDC(HDC hDC) { return Replace(::CreateCompatibleDC(hDC)); }
    BOOL DeleteDC() { return Free(); }
};

namespace afx {

// The window's handle, null for no window (which stands for the screen).
HWND WindowHandleOf(CWnd* pWnd);

} // namespace afx

// The ways a window lends a device context, Take on construction and Give on destruction. The
// paint context of one WM_PAINT, with BeginPaint and EndPaint.
struct PaintDCLoan {
    PAINTSTRUCT m_ps{};
    HDC Take(HWND hWnd) { return ::BeginPaint(hWnd, &m_ps); }
    void Give(HWND hWnd, HDC) { ::EndPaint(hWnd, &m_ps); }
};
// GetDC of the client area (of the screen for a null window).
struct ClientDCLoan {
    static HDC Take(HWND hWnd) { return ::GetDC(hWnd); }
    static void Give(HWND hWnd, HDC hDC) { ::ReleaseDC(hWnd, hDC); }
};
// GetWindowDC of the whole window, frame included.
struct WindowDCLoan {
    static HDC Take(HWND hWnd) { return ::GetWindowDC(hWnd); }
    static void Give(HWND hWnd, HDC hDC) { ::ReleaseDC(hWnd, hDC); }
};

// A window's device context, given back when the object goes.
template <class TLoan> class CWindowLentDC : public CDCHandle, public TLoan {
public:
    explicit CWindowLentDC(CWnd* pWnd) : m_hWnd(afx::WindowHandleOf(pWnd)) {
        m_hDC = this->Take(m_hWnd);
    }
    CWindowLentDC(const CWindowLentDC&) = delete;
    CWindowLentDC& operator=(const CWindowLentDC&) = delete;
    ~CWindowLentDC() { this->Give(m_hWnd, m_hDC); }

private:
    HWND m_hWnd;
};

using CPaintDC = CWindowLentDC<PaintDCLoan>;
using CClientDC = CWindowLentDC<ClientDCLoan>;
using CWindowDC = CWindowLentDC<WindowDCLoan>;

// Selects an object into a context for one scope and puts the previous one back. Given an
// owner to keep, it deletes the object once the previous one is back, so a painter needs no
// order among its declarations for its objects to be deselected before they are deleted.
class CSelectObject {
public:
    // The object outlives the selection: a stock object, a control's font, an owner of the
    // enclosing scope.
    CSelectObject(CDCHandle dc, HGDIOBJ hObject)
        : m_hDC(dc), m_hOld(::SelectObject(m_hDC, hObject)) {}
    template <class THandle>
    CSelectObject(CDCHandle dc, const CGdiObject<THandle>& object)
        : CSelectObject(dc, object.GetSafeHandle()) {}
    template <class THandle>
    CSelectObject(CDCHandle dc, CGdiObject<THandle>&& object)
        : CSelectObject(dc, object.GetSafeHandle()) {
        m_hOwned = object.Detach();
    }
    // A pointer to an owner would otherwise pass for a handle.
    template <class THandle> CSelectObject(CDCHandle dc, const CGdiObject<THandle>*) = delete;
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;
    ~CSelectObject() {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
        if (m_hOwned)
            ::DeleteObject(m_hOwned);
    }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
    HGDIOBJ m_hOwned = nullptr;
};

// Saves a context's state (selections, clipping, colours, modes) for one scope and restores it.
class CSavedDC {
public:
    explicit CSavedDC(CDCHandle dc) : m_hDC(dc), m_nSaved(::SaveDC(m_hDC)) {}
    CSavedDC(const CSavedDC&) = delete;
    CSavedDC& operator=(const CSavedDC&) = delete;
    ~CSavedDC() {
        if (m_nSaved)
            ::RestoreDC(m_hDC, m_nSaved);
    }

private:
    HDC m_hDC;
    int m_nSaved;
};

// Copies the whole bitmap into the rectangle of the context through a memory context,
// stretched when the rectangle's size differs from the bitmap's. FALSE when nothing was drawn.
BOOL DrawBitmap(CDCHandle dc, HBITMAP hBitmap, const CRect& rcTarget);
// The bitmap's size in pixels, or an empty size for no bitmap.
CSize BitmapSize(HBITMAP hBitmap);
