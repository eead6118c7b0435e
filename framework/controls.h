// Thin wrappers over the platform's common and standard controls.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/wnd.h"

class CListCtrl : public CWnd {
public:
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int GetNextItem(int nItem, int nFlags) const {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(nItem),
                                            MAKELPARAM(nFlags, 0)));
    }
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    int InsertItem(int nItem, LPCWSTR lpszItem);
    int InsertItem(const LVITEMW* pItem) {
        return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    BOOL GetItem(LVITEMW* pItem) const {
        return static_cast<BOOL>(SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    BOOL SetItem(const LVITEMW* pItem) {
        return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    UINT GetItemState(int nItem, UINT nMask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(nItem), nMask));
    }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    int InsertColumn(int nCol, LPCWSTR lpszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1);
    DWORD SetExtendedStyle(DWORD dwNewStyle) {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
    }
    DWORD GetExtendedStyle() const {
        return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    }
    BOOL SetBkColor(COLORREF cr) { return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, cr)); }
    COLORREF GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
    HWND GetHeaderCtrlHandle() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int nItem, int nSubItem, int nArea, RECT& rect) const;
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
};

// Push buttons; owner-drawn ones get their WM_DRAWITEM back from the parent in DrawItem.
class CButton : public CWnd {
public:
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CStatic : public CWnd {};

class CEdit : public CWnd {
public:
    void SetSel(int nStart, int nEnd) { SendMessage(EM_SETSEL, nStart, nEnd); }
};
