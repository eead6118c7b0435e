// CWnd: a window object bound to a window handle, with message-table dispatch.
//
// A window is bound either when it is created through the library (a creation hook
// attaches it before its first message) or by subclassing an existing window. Bound
// windows are found from their handle through a per-thread map.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "framework/cmdtarget.h"
#include "framework/cstring.h"
#include "framework/gdi.h"
#include "framework/types.h"

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)

public:
    // Data members
    HWND m_hWnd = nullptr;

    // Construction
    CWnd() = default;
    ~CWnd() override;

    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID);
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int cx, int cy, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    // Binding to handles
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // The bound object of a handle, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // The bound object, or a temporary one that lives until the message loop is next idle.
    static CWnd* FromHandle(HWND hWnd);
    static void DeleteTempMap();

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The message being handled, and its default processing.
    static const MSG* GetCurrentMessage();
    LRESULT Default();

    // Attributes
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const {
        return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
    }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    void SetWindowText(LPCWSTR lpszString) { ::SetWindowTextW(m_hWnd, lpszString); }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
    }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                                                   reinterpret_cast<LPARAM>(hIcon)));
    }
    HMENU GetSystemMenu(BOOL bRevert) const { return ::GetSystemMenu(m_hWnd, bRevert); }

    // Window state
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

    // Size and position
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int cx, int cy, BOOL bRepaint = TRUE) {
        ::MoveWindow(m_hWnd, x, y, cx, cy, bRepaint);
    }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE) {
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                   lpRect->bottom - lpRect->top, bRepaint);
    }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    // Centres over a visible owner, otherwise on the work area of the window's monitor.
    void CenterWindow();

    // Painting
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) {
        ::InvalidateRect(m_hWnd, lpRect, bErase);
    }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRect = nullptr, HRGN hRgn = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
        return ::RedrawWindow(m_hWnd, lpRect, hRgn, flags);
    }

    // Messages and timers
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse) {
        return ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr);
    }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

    // Tool tips for parts of this window. While enabled, mouse messages seen by the
    // library's message loops ask OnToolHitTest which tool lies under the mouse; a tool with
    // LPSTR_TEXTCALLBACK text asks its window for the text with TTN_NEEDTEXT.
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    // The tool id under the point (client coordinates) with *pTI filled in, or -1 for none.
    // By default each visible child window is a tool of its own.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const;
    // The message filter behind EnableToolTips.
    static void FilterToolTipMessage(MSG* pMsg);
    // The tool tip window shared by this thread's windows, or null before the first tool.
    static HWND GetToolTipWindow();

    // Overridables
    virtual void PreSubclassWindow() {}
    // Sees a message before the dialog manager and translation; TRUE swallows it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification reflected from the parent; TRUE when this control consumed it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called after the window is gone and unbound.
    virtual void PostNcDestroy() {}

    // Offers a message from a child back to that child; TRUE when the child consumed it.
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Runs the pre-translation chain from pMsg->hwnd up through its parents, ending with
    // hWndStop. TRUE when a window swallowed the message.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    DECLARE_MESSAGE_MAP()

protected:
    // The window procedure that bound windows are given.
    static LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Arms the creation hook so the next window created on this thread binds to this object;
    // false when the platform refuses the hook, and nothing may then be created.
    bool HookWindowCreate();
    static void UnhookWindowCreate();
    friend class CDialog;

    WNDPROC m_pfnSuper = nullptr;
    bool m_bToolTips = false;
};

// Deletes a window object made on the heap, destroying its window first while the whole
// object is still alive to handle WM_DESTROY.
struct CWndDeleter {
    void operator()(CWnd* pWnd) const {
        if (pWnd && pWnd->m_hWnd)
            pWnd->DestroyWindow();
        delete pWnd;
    }
};
template <class TWnd> using CWndPtr = std::unique_ptr<TWnd, CWndDeleter>;

// A window object that destroys its window in its own destructor, before any of its parts
// is gone: for window objects on the stack or as members that outlive no parent window.
template <class TWnd> class CAutoWnd final : public TWnd {
public:
    using TWnd::TWnd;
    ~CAutoWnd() override {
        if (this->m_hWnd)
            this->DestroyWindow();
    }
};

#include "framework/msgmacros.h"
