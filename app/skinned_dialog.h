// What the captionless, bitmap-skinned dialogs share: the background stretched over the
// client area, and dragging by a press anywhere on that background.
#pragma once

#include "framework/gdi.h"
#include "framework/wnd.h"

// Stretches the whole bitmap over the rectangle; nothing is painted without a bitmap.
void StretchBackground(CDCHandle dc, const CRect& rcClient, const CBitmap& bmpBack);

// The whole of a WM_PAINT: the bitmap stretched over the client area.
void PaintSkinnedBackground(CWnd& wnd, const CBitmap& bmpBack);

// Starts moving the window as if its caption had been grabbed at the point (client
// coordinates of the press), then lets the press's default processing run.
void DragByBackground(CWnd& wnd, CPoint point);
