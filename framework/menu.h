// Menus: CMenuHandle borrows a menu owned elsewhere (a submenu, a window's system menu);
// CMenu owns the menu it loads or creates and destroys it with itself.
//
//   CMenuHandle - non-owning menu operations
//   CMenu       - owning menu
#pragma once

#include <windows.h>

#include "framework/handle_owner.h"

class CMenuHandle {
public:
    // Construction
    CMenuHandle() = default;
    explicit CMenuHandle(HMENU hMenu) : m_hMenu(hMenu) {}

    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }
    bool IsNull() const { return m_hMenu == nullptr; }

    // Attributes
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    CMenuHandle GetSubMenu(int nPos) const { return CMenuHandle(::GetSubMenu(m_hMenu, nPos)); }
    // The default item's position, or -1 when the menu has none.
    int GetDefaultItemPosition() const {
        return static_cast<int>(::GetMenuDefaultItem(m_hMenu, TRUE, 0));
    }
    // The item's MF_ state flags, or -1 when the menu has no such item.
    UINT GetMenuState(UINT uItem, UINT nFlags = MF_BYCOMMAND) const {
        return ::GetMenuState(m_hMenu, uItem, nFlags);
    }
    DWORD CheckMenuItem(UINT uItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, uItem, nCheck); }
    BOOL EnableMenuItem(UINT uItem, UINT nEnable) {
        return ::EnableMenuItem(m_hMenu, uItem, nEnable);
    }
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE) {
        return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
    }

    // Operations
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr) {
        return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
    }
    // Runs the pop-up until it closes; the chosen command reaches hWnd as WM_COMMAND.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, HWND hWnd, LPCRECT lpRect = nullptr) const {
        return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, hWnd, lpRect);
    }

protected:
    HMENU& HandleRef() { return m_hMenu; }

private:
    HMENU m_hMenu = nullptr;
};

struct MenuFree {
    static BOOL Free(HMENU hMenu) { return ::DestroyMenu(hMenu); }
};

class CMenu : public CHandleOwner<HMENU, MenuFree, CMenuHandle> {
public:
    BOOL DestroyMenu() { return Free(); }

    // A load or creation that fails keeps the menu held before.
    BOOL LoadMenu(UINT nIDResource);
    BOOL CreatePopupMenu() { return Replace(::CreatePopupMenu()); }
};
