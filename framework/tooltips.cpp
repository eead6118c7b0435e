// Tool tips for parts of windows: one tool tip control per thread, fed with the tool under
// the mouse as the library's message loops see mouse messages go by.
#include "framework/controls.h"
#include "framework/winapp.h"

namespace {

struct ToolTipState {
    // The tool tip unbinds from the thread's window map when the state destroys it at thread
    // end, so the map is made first: objects of a thread are destroyed in reverse order.
    ToolTipState() { CWnd::GetCurrentMessage(); }

    // Goes away with its owner window; the object then no longer holds it.
    CAutoWnd<CToolTipCtrl> tip;
    INT_PTR nLastHit = -1;
    TOOLINFOW lastTool{};
};

ToolTipState& State() {
    static thread_local ToolTipState state;
    return state;
}

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

void RemoveLastTool(ToolTipState& state) {
    if (state.nLastHit != -1 && state.tip.m_hWnd)
        state.tip.DelTool(&state.lastTool);
    state.nLastHit = -1;
    state.lastTool = TOOLINFOW{};
}

HWND EnsureToolTipWindow(ToolTipState& state, HWND hOwnerWindow) {
    if (state.tip.m_hWnd)
        return state.tip.m_hWnd;
    // Owned by the top-level window so that it stays above it and goes away with it.
    state.tip.CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                       WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                       CW_USEDEFAULT, CW_USEDEFAULT, ::GetAncestor(hOwnerWindow, GA_ROOT), nullptr);
    state.nLastHit = -1;
    return state.tip.m_hWnd;
}

// The nearest window from hWnd up to its top-level window that wants tool tips.
CWnd* FindToolTipOwner(HWND hWnd, bool (*wants)(const CWnd*)) {
    for (HWND h = hWnd; h; h = ::GetParent(h)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd && wants(pWnd))
            return pWnd;
        if (!(::GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD))
            break;
    }
    return nullptr;
}

} // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable) {
    BOOL was = m_bToolTips;
    m_bToolTips = bEnable != FALSE;
    if (m_bToolTips)
        AfxAddMessageFilter(&CWnd::FilterToolTipMessage);
    else if (State().lastTool.hwnd == m_hWnd)
        RemoveLastTool(State());
    return was;
}

HWND CWnd::GetToolTipWindow() { return State().tip.m_hWnd; }

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const {
    HWND hChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (!hChild || hChild == m_hWnd)
        return -1;
    pTI->hwnd = m_hWnd;
    pTI->uId = reinterpret_cast<UINT_PTR>(hChild);
    pTI->uFlags |= TTF_IDISHWND;
    pTI->lpszText = LPSTR_TEXTCALLBACKW;
    return ::GetDlgCtrlID(hChild);
}

void CWnd::FilterToolTipMessage(MSG* pMsg) {
    if (!IsMouseMessage(pMsg->message))
        return;
    ToolTipState& state = State();
    CWnd* pOwner = FindToolTipOwner(pMsg->hwnd, [](const CWnd* p) { return p->m_bToolTips; });
    if (!pOwner) {
        RemoveLastTool(state);
        return;
    }

    POINT pt = pMsg->pt;
    ::ScreenToClient(pOwner->m_hWnd, &pt);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    INT_PTR hit = pOwner->OnToolHitTest(pt, &tool);
    bool sameTool =
        hit == state.nLastHit && tool.hwnd == state.lastTool.hwnd && tool.uId == state.lastTool.uId;
    if (!sameTool) {
        RemoveLastTool(state);
        if (hit != -1) {
            if (EnsureToolTipWindow(state, pOwner->m_hWnd) && state.tip.AddTool(&tool)) {
                state.nLastHit = hit;
                state.lastTool = tool;
            }
        }
    }
    if (state.nLastHit != -1 && state.tip.m_hWnd)
        state.tip.RelayEvent(pMsg);
}
