// What the captionless, bitmap-skinned dialogs share: the background stretched over the
// client area, dragging by a press anywhere on that background, and their fixed pixel size.
#pragma once

#include "framework/gdi.h"
#include "framework/wnd.h"

// Stretches the whole bitmap over the rectangle; nothing is painted without a bitmap.
void StretchBackground(CDCHandle dc, const CRect& rcClient, const CBitmap& bmpBack);

// The whole of a WM_PAINT: the bitmap stretched over the client area.
void PaintSkinnedBackground(CWnd& wnd, const CBitmap& bmpBack);

// Starts moving the window as if its caption had been grabbed, then lets the press's default
// processing run. The message carries the press's client coordinates where the platform reads
// screen coordinates; only its hit-test code counts, since the move loop follows the cursor.
void DragByBackground(CWnd& wnd, CPoint point);

// Gives the dialog its skin's window size without moving it. The template placed the controls
// in dialog units, that is in the user's dialog font: when they no longer fit the new client
// area, the template's client area is mapped onto the new one so that none is cut off. A
// left-aligned label too small for its own text grows into the free space right of and below it.
void SetSkinSize(CWnd& wnd, CSize sizeWindow);

// The rectangle's edges carried from one area onto another; every edge is rounded alike, so
// rectangles that lay apart or in order still do.
CRect MapRectOnto(const CRect& rc, const CRect& rcFrom, const CRect& rcTo);
