// CImageList: owns an image list and destroys it with itself. A control given the list
// borrows it, so the owner must outlive the control's use of it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/handle_owner.h"

struct ImageListFree {
    static BOOL Free(HIMAGELIST hImageList) { return ::ImageList_Destroy(hImageList); }
};

class CImageList : public CHandleOwner<HIMAGELIST, ImageListFree> {
public:
    // A failed creation keeps the list held before.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
        return Replace(::ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
    }
    // The index of the first image added, or -1.
    int Add(HBITMAP hbmImage, HBITMAP hbmMask = nullptr) {
        return ::ImageList_Add(GetSafeHandle(), hbmImage, hbmMask);
    }
    int AddIcon(HICON hIcon) { return ::ImageList_AddIcon(GetSafeHandle(), hIcon); }
    BOOL DeleteImageList() { return Free(); }
};
