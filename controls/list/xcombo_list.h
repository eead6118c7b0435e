// CXComboList: the pop-up choice list that drops down under a combo cell of the list
// control. It reports Enter, Escape, navigation keys and mouse releases to the list control
// through the registered WM_XCOMBOLIST_* messages and never changes the cell itself.
#pragma once

#include "framework/controls.h"

class CXComboList : public CWnd {
public:
    // Data members
    CListBox m_ListBox;     // the choices; the list control fills and reads it directly
    CScrollBar m_wndSBVert; // the scroll bar beside the list box, mirroring the keys
    CWnd* m_pParent;        // the list control told of everything; not owned
    int m_nKillFocusCount = 0;
    BOOL m_bFirstActivate = TRUE;

    // Construction
    explicit CXComboList(CWnd* pParent);
    ~CXComboList() override;

    // Operations
    // Gives the focus to the list box; the first call also lays the drop list out and starts
    // following the mouse.
    void SetActive(int nScrollBarWidth);
    // Sets the list box's font only (hides CWnd::SetFont).
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);

    // Overridables
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Sends one of the registered messages to the list control.
    void NotifyParent(UINT nMessage);
    void SetScrollPosClamped(int nPos, int nMax);

    // Message handlers
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnKillFocus(CWnd* pNewWnd);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()
};
