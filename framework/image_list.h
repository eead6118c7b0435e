// CImageList: owns an image list and destroys it with itself. A control given the list
// borrows it, so the owner must outlive the control's use of it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

class CImageList {
public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    CImageList(CImageList&& o) noexcept : m_hImageList(o.Detach()) {}
    CImageList& operator=(CImageList&& o) noexcept {
        if (this != &o) {
            DeleteImageList();
            m_hImageList = o.Detach();
        }
        return *this;
    }
    ~CImageList() { DeleteImageList(); }

    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }
    bool IsNull() const { return m_hImageList == nullptr; }

    // A failed creation keeps the list held before.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
        HIMAGELIST hCreated = ::ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
        if (!hCreated)
            return FALSE;
        Attach(hCreated);
        return TRUE;
    }
    // The index of the first image added, or -1.
    int Add(HBITMAP hbmImage, HBITMAP hbmMask = nullptr) {
        return ::ImageList_Add(m_hImageList, hbmImage, hbmMask);
    }
    int AddIcon(HICON hIcon) { return ::ImageList_AddIcon(m_hImageList, hIcon); }

    // Takes ownership of hImageList, destroying the list held before.
    void Attach(HIMAGELIST hImageList) {
        DeleteImageList();
        m_hImageList = hImageList;
    }
    HIMAGELIST Detach() { return std::exchange(m_hImageList, nullptr); }
    BOOL DeleteImageList() { return m_hImageList ? ::ImageList_Destroy(Detach()) : FALSE; }

private:
    HIMAGELIST m_hImageList = nullptr;
};
