// Icons from the application's resources.
#pragma once

#include <windows.h>

#include "framework/handle_owner.h"

// The icon at the system's large icon size. Icons loaded this way are shared by the module
// and are never destroyed, so the handle may be kept for the life of the process.
HICON AfxLoadIcon(UINT nIDResource);
// The icon at the system's small icon size (window captions, the tray), shared the same way.
HICON AfxLoadSmallIcon(UINT nIDResource);

// CIcon: owns an icon loaded at the size the caller asks for and destroys it with itself. The
// shared icons above come at the size first asked for, whatever size a later load asks, so an
// icon wanted at a size of its own is loaded this way.
struct IconFree {
    static BOOL Free(HICON hIcon) { return ::DestroyIcon(hIcon); }
};

class CIcon : public CHandleOwner<HICON, IconFree> {
public:
    // Loads the resource's image nearest the size, scaled to it. A failed load keeps the icon
    // held before.
    BOOL Load(UINT nIDResource, int cx, int cy);
    // Turns the icon held into a grey copy of itself, with the same shape and transparency, as
    // a program shows that it is switched off. A copy the platform refuses keeps the colours.
    BOOL MakeGrey();
    BOOL DestroyIcon() { return Free(); }
};
