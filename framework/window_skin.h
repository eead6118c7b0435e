// What the captionless, bitmap-skinned windows share: the background stretched over the
// client area, dragging by a press anywhere on that background, their fixed pixel size, and
// what they take on at each display scale (the DPI, the background, the font, the icons).
//   CDialogFontForDpi - the dialog's template font made again for another DPI
//   CWindowSkin       - a skinned window's DPI, background, font and icons
//   MapRectOnto       - a rectangle carried from one area onto another
#pragma once

#include <vector>

#include "framework/dpi.h"
#include "framework/gdi.h"
#include "framework/icon.h"
#include "framework/wnd.h"

// The dialog's template font made for another DPI, for the controls of a dialog that moved to
// a monitor of another scale. Made from the font the dialog started with, so that moves back
// and forth do not drift in size.
class CDialogFontForDpi {
public:
    // Remembers the dialog's font and the DPI it was made for.
    void Capture(const CWnd& dlg, UINT dpi);
    // Gives every control of the dialog its font made for dpi.
    void Apply(const CWnd& dlg, UINT dpi);

private:
    HFONT m_hTemplateFont = nullptr; // the dialog manager's, for the dialog's life
    LOGFONTW m_lf{};
    UINT m_nDpi = 0;
    CFont m_font; // made for another DPI
};

// How a skinned window places its controls at another DPI.
enum class SkinLayout {
    // The window places them itself, from its 96-DPI lengths, once the skin has moved.
    FromConstants,
    // Every control takes the place its old one had in the old client area, mapped onto the
    // new one.
    FitChildren,
};

// Loads bitmap nID100 (its id at 100 % scale) as drawn for dpi; FALSE, with the bitmap as it
// was, when there is none. The program's artwork decides which drawing serves which DPI.
using LoadSkinBitmapFn = BOOL (*)(CBitmap& bitmap, UINT nID100, UINT dpi);

// What a skinned window looks like: its background's 100 % id, how it lays out its controls
// at another DPI, and where its artwork comes from.
struct SKINLOOK {
    UINT nIDBack100 = 0;
    SkinLayout layout = SkinLayout::FitChildren;
    LoadSkinBitmapFn pfnLoadBitmap = nullptr;
};

// CWindowSkin: a skinned window's DPI, its background, its font for that DPI and its icons, as
// one member of the window. It reads the window's DPI once, when the window is set up, and
// follows each move to a monitor of another scale; whatever it swaps (fonts, icons, bitmaps)
// it lets go of only once the window holds the new one.
class CWindowSkin {
public:
    // Set-up, from WM_INITDIALOG: the window's DPI and template font, and the dialog manager
    // kept off the layout. The background bitmap for that DPI waits for the first paint.
    void Attach(CWnd& wnd, const SKINLOOK& look);
    // The window's big and small icons: icon nIDIcon loaded at their sizes for the DPI, now and
    // after each move; hShared where the system's own size serves or a load fails.
    void SetIcons(UINT nIDIcon, HICON hShared);
    // A control told of each new DPI, once the window's controls have their font and places.
    void AddDpiFollower(CDpiFollower& control) { m_followers.push_back(&control); }

    // Attributes
    bool IsAttached() const { return m_pWnd != nullptr; }
    UINT GetDpi() const { return m_nDpi; }
    // The icon SetIcons shares with the rest of the module, or null.
    HICON GetSharedIcon() const { return m_hSharedIcon; }
    // A length of the 96-DPI layout at the window's DPI.
    int Scale(int nLength) const { return ScaleToDpi(nLength, m_nDpi); }
    int GetSystemMetric(int nIndex) const { return GetSystemMetricForDpi(nIndex, m_nDpi); }

    // Operations
    // The background stretched over the rectangle, loaded for the window's DPI at its first
    // draw; nothing is painted without a bitmap. In High Contrast, the window colour instead.
    void DrawBackground(CDCHandle dc, const CRect& rc);
    // Starts moving the window as if its caption had been grabbed, then lets the press's
    // default processing run. The message carries the press's client coordinates where the
    // platform reads screen coordinates; only its hit-test code counts, since the move loop
    // follows the cursor.
    void DragByBackground(CPoint point);
    // Gives a dialog its skin's window size, given in 96-DPI pixels, without moving it. The
    // template placed the controls in dialog units, that is in the user's dialog font: when
    // they no longer fit the new client area, the template's client area is mapped onto the new
    // one so that none is cut off. A left-aligned label too small for its own text grows into
    // the free space right of and below it.
    void FitToSkinSize(CSize size96);
    // The whole of a WM_DPICHANGED but the window's own layout: the window takes the
    // platform's suggested rectangle, the controls their font (and with FitChildren their
    // places) and the followers the DPI, and the background and icons are loaded for it. The
    // new DPI, or 0 when the message carries none; a FromConstants window then places its
    // controls itself.
    UINT MoveToDpi(WPARAM wParam, LPARAM lParam);

private:
    void LoadIcons();
    void LoadBackground();

    // Data members
    CWnd* m_pWnd = nullptr;
    UINT m_nDpi = kLayoutDpi;
    SKINLOOK m_look;
    CBitmap m_bmpBack;
    bool m_bBackTried = false; // whether m_bmpBack was loaded for m_nDpi, or tried to be
    CDialogFontForDpi m_font;
    UINT m_nIconId = 0;
    HICON m_hSharedIcon = nullptr; // the module's, never destroyed
    CIcon m_iconBig;
    CIcon m_iconSmall;
    std::vector<CDpiFollower*> m_followers; // members of the same window
};

// The rectangle's edges carried from one area onto another; every edge is rounded alike, so
// rectangles that lay apart or in order still do.
CRect MapRectOnto(const CRect& rc, const CRect& rcFrom, const CRect& rcTo);
