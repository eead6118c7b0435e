// CXComboList: layout, hover tracking and the key and mouse reports of the drop list.
#include "controls/list/xcombo_list.h"

#include "controls/list/registered_messages.h"

namespace {

constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverInterval = 80;
constexpr DWORD kListBoxStyle = WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT;
constexpr DWORD kScrollBarStyle = WS_CHILD | WS_VISIBLE | SBS_VERT;

} // namespace

BEGIN_MESSAGE_MAP(CXComboList, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_KILLFOCUS()
ON_WM_CREATE()
ON_WM_VSCROLL()
ON_WM_DESTROY()
ON_WM_TIMER()
END_MESSAGE_MAP()

CXComboList::CXComboList(CWnd* pParent) : m_pParent(pParent) {}

CXComboList::~CXComboList() = default;

void CXComboList::NotifyParent(UINT nMessage) {
    if (m_pParent)
        ::SendMessageW(m_pParent->m_hWnd, nMessage, 0, 0);
}

void CXComboList::SetScrollPosClamped(int nPos, int nMax) {
    if (nPos > nMax)
        nPos = nMax;
    if (nPos < 0)
        nPos = 0;
    m_wndSBVert.SetScrollPos(nPos, TRUE);
}

void CXComboList::SetFont(CFont* pFont, BOOL bRedraw) {
    HFONT hFont = pFont ? static_cast<HFONT>(*pFont) : nullptr;
    m_ListBox.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
}

// --- Creation and layout ---------------------------------------------------------------------

int CXComboList::OnCreate(LPCREATESTRUCT) {
    if (Default() == -1)
        return -1;
    CRect rcEmpty;
    m_ListBox.Create(kListBoxStyle, rcEmpty, this, 0);
    m_wndSBVert.Create(kScrollBarStyle, rcEmpty, this, 0);
    // The choices take the list control's font. The platform makes a pop-up's owner the
    // top-level window of the parent it was given, so the list is asked directly.
    CWnd* pList = m_pParent ? m_pParent : GetParent();
    if (HFONT hFont = pList ? pList->GetFont() : nullptr) {
        m_ListBox.SetFont(hFont, FALSE);
        m_wndSBVert.SetFont(hFont, FALSE);
    }
    return 0;
}

void CXComboList::SetActive(int nScrollBarWidth) {
    if (!::IsWindow(m_ListBox.m_hWnd))
        return;
    m_ListBox.SetFocus();
    if (!m_bFirstActivate)
        return;
    m_bFirstActivate = FALSE;

    CRect rcWindow;
    GetWindowRect(&rcWindow);
    int nItemHeight = m_ListBox.GetItemHeight(0);
    CRect rcClient;
    GetClientRect(&rcClient);

    // Whole items only; a list box without an item height gets no rows rather than a fault.
    int nRows = nItemHeight > 0 ? rcWindow.Height() / nItemHeight : 0;
    int nListHeight = nRows * nItemHeight;
    MoveWindow(rcWindow.left, rcWindow.top, rcWindow.Width(), nListHeight + 4);
    m_ListBox.MoveWindow(rcClient.left + 1, rcClient.top + 1,
                         rcClient.right - nScrollBarWidth - (rcClient.left + 1), nListHeight);
    ::BringWindowToTop(m_ListBox.m_hWnd);
    m_wndSBVert.MoveWindow(rcClient.right - nScrollBarWidth, rcClient.top + 1, nScrollBarWidth,
                           nListHeight);

    SCROLLINFO si{};
    si.fMask = SIF_ALL;
    si.nMin = 0;
    int nCount = m_ListBox.GetCount();
    si.nMax = nCount == LB_ERR ? 1 : nCount;
    si.nPage = static_cast<UINT>(nRows);
    int nSel = m_ListBox.GetCurSel();
    si.nPos = nSel == LB_ERR ? 0 : nSel;
    // One entry of context above the selection.
    m_ListBox.SetTopIndex(si.nPos > 0 ? si.nPos - 1 : 0);
    m_wndSBVert.SetScrollInfo(&si, TRUE);
    m_wndSBVert.SetScrollPos(si.nPos, TRUE);

    SetTimer(kHoverTimer, kHoverInterval);
}

// --- Mouse, keys and focus -------------------------------------------------------------------

void CXComboList::OnTimer(UINT_PTR) {
    if (!::IsWindow(m_ListBox.m_hWnd))
        return;
    CPoint point;
    ::GetCursorPos(&point);
    m_ListBox.ScreenToClient(&point);
    BOOL bOutside = TRUE;
    int nItem = static_cast<int>(m_ListBox.ItemFromPoint(point, bOutside));
    if (bOutside)
        return;
    if (nItem != m_ListBox.GetCurSel() && nItem >= 0 && nItem < m_ListBox.GetCount())
        m_ListBox.SetCurSel(nItem);
}

BOOL CXComboList::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN) {
        SCROLLINFO si{};
        m_wndSBVert.GetScrollInfo(&si);
        bool bListBox = ::IsWindow(m_ListBox.m_hWnd) != FALSE;
        int nSel = bListBox ? m_ListBox.GetCurSel() : LB_ERR;
        if (nSel == LB_ERR)
            nSel = 0;
        int nPage = static_cast<int>(si.nPage);

        bool bMoved = true;
        int nPos = 0;
        UINT nKey = static_cast<UINT>(pMsg->wParam);
        switch (nKey) {
        case VK_RETURN:
            NotifyParent(WM_XCOMBOLIST_VK_RETURN);
            bMoved = false;
            break;
        case VK_ESCAPE:
            NotifyParent(WM_XCOMBOLIST_VK_ESCAPE);
            bMoved = false;
            break;
        case VK_UP:
            nPos = nSel - 1;
            break;
        case VK_DOWN:
            nPos = nSel + 1;
            break;
        case VK_PRIOR:
            nPos = nSel - nPage + 1;
            break;
        case VK_NEXT:
            nPos = nSel + nPage - 1;
            break;
        case VK_HOME:
            nPos = 0;
            break;
        case VK_END:
            nPos = si.nMax;
            break;
        default:
            if (nKey >= 'A' && nKey <= 'Z') {
                if (bListBox) {
                    // Searches after the current entry and wraps around, ignoring case.
                    wchar_t szLetter[2] = {static_cast<wchar_t>(nKey), 0};
                    nPos = m_ListBox.FindString(nSel, szLetter);
                    bMoved = nPos != LB_ERR;
                }
            } else {
                bMoved = false;
            }
            break;
        }
        if (bMoved) {
            NotifyParent(WM_XCOMBOLIST_KEYDOWN);
            SetScrollPosClamped(nPos, si.nMax);
        }
    } else if (pMsg->message == WM_LBUTTONUP) {
        NotifyParent(WM_XCOMBOLIST_CLICK);
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CXComboList::OnLButtonDown(UINT, CPoint) {
    NotifyParent(WM_XCOMBOLIST_CLICK);
    Default();
}

void CXComboList::OnKillFocus(CWnd*) {
    Default();
    ++m_nKillFocusCount;
    if (m_nKillFocusCount > 2)
        NotifyParent(WM_XCOMBOLIST_VK_ESCAPE);
}

// --- Scrolling and destruction ---------------------------------------------------------------

void CXComboList::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    if (!::IsWindow(m_ListBox.m_hWnd))
        return;
    const MSG* pMsg = GetCurrentMessage();
    m_ListBox.SendMessage(WM_VSCROLL, pMsg->wParam, pMsg->lParam);

    SCROLLINFO si{};
    m_wndSBVert.GetScrollInfo(&si);
    int nNewPos = si.nPos;
    int nPage = static_cast<int>(si.nPage);
    switch (nSBCode) {
    case SB_LINEUP:
        --nNewPos;
        break;
    case SB_LINEDOWN:
        ++nNewPos;
        break;
    case SB_PAGEUP:
        nNewPos -= nPage;
        break;
    case SB_PAGEDOWN:
        nNewPos += nPage;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        nNewPos = static_cast<int>(nPos);
        break;
    case SB_TOP:
        nNewPos = 0;
        break;
    case SB_BOTTOM:
        nNewPos = si.nMax;
        break;
    case SB_ENDSCROLL:
        return;
    default:
        break;
    }
    SetScrollPosClamped(nNewPos, si.nMax);
}

void CXComboList::OnDestroy() {
    KillTimer(kHoverTimer);
    if (::IsWindow(m_ListBox.m_hWnd))
        m_ListBox.DestroyWindow();
    Default();
}
