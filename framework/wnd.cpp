// CWnd: the handle map, the window procedure of bound windows, the creation hook and
// message dispatch through the message tables.
#include "framework/wnd.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "framework/report.h"

namespace {

// Window objects and the message being handled belong to the thread that owns the windows.
struct ThreadState {
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
    MSG current{};
    CWnd* pWndInit = nullptr;
    HHOOK hCbtHook = nullptr;
};

ThreadState& State() {
    static thread_local ThreadState state;
    return state;
}

bool IsControlColorMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

bool IsImeWindow(HWND hWnd) {
    wchar_t name[16] = {};
    ::GetClassNameW(hWnd, name, 16);
    return _wcsicmp(name, L"IME") == 0;
}

} // namespace

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

// --- Binding ---------------------------------------------------------------------------------

CWnd::~CWnd() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        // The derived parts of the object are gone already, so their WM_DESTROY handlers can
        // no longer run: whoever owns the object should have destroyed the window first
        // (CWndPtr and CAutoWnd do). Destroy it anyway, while the object can still unbind.
        ReportIf(::IsWindow(m_hWnd));
        ::DestroyWindow(m_hWnd);
        if (m_hWnd)
            Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (!hWnd)
        return nullptr;
    auto& map = State().permanent;
    auto it = map.find(hWnd);
    return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!hWnd)
        return nullptr;
    if (CWnd* p = FromHandlePermanent(hWnd))
        return p;
    auto& temp = State().temporary[hWnd];
    if (!temp) {
        temp = std::make_unique<CWnd>();
        temp->m_hWnd = hWnd;
    }
    return temp.get();
}

void CWnd::DeleteTempMap() {
    auto& temp = State().temporary;
    // Temporary objects never own their window.
    for (auto& [h, p] : temp)
        p->m_hWnd = nullptr;
    temp.clear();
}

BOOL CWnd::Attach(HWND hWnd) {
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    auto& state = State();
    auto temp = state.temporary.find(hWnd);
    if (temp != state.temporary.end())
        temp->second->m_hWnd = nullptr;
    state.permanent[hWnd] = this;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    if (h && FromHandlePermanent(h) == this)
        State().permanent.erase(h);
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
    if (old != &CWnd::AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (!pParent)
        return FALSE;
    HWND hControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hControl && SubclassWindow(hControl);
}

HWND CWnd::UnsubclassWindow() {
    if (m_pfnSuper)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

// --- Creation --------------------------------------------------------------------------------

namespace {

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam);

} // namespace

bool CWnd::HookWindowCreate() {
    auto& state = State();
    if (!state.hCbtHook)
        state.hCbtHook =
            ::SetWindowsHookExW(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
    if (!state.hCbtHook)
        return false;
    // A creation still waiting for its window would bind the wrong one.
    ReportIf(state.pWndInit != nullptr);
    state.pWndInit = this;
    return true;
}

void CWnd::UnhookWindowCreate() {
    auto& state = State();
    if (state.hCbtHook) {
        ::UnhookWindowsHookEx(state.hCbtHook);
        state.hCbtHook = nullptr;
    }
    state.pWndInit = nullptr;
}

namespace {

// Binds the window being created to the waiting object before the window sees its first
// message, so that WM_NCCREATE and WM_CREATE already reach the object's handlers.
LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    auto& state = State();
    if (code == HCBT_CREATEWND && state.pWndInit) {
        auto hWnd = reinterpret_cast<HWND>(wParam);
        if (!IsImeWindow(hWnd)) {
            CWnd* pWnd = state.pWndInit;
            state.pWndInit = nullptr;
            pWnd->SubclassWindow(hWnd);
        }
    }
    return ::CallNextHookEx(state.hCbtHook, code, wParam, lParam);
}

} // namespace

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    HWND hParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, hParent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int cx, int cy, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
    if (m_hWnd || !HookWindowCreate())
        return FALSE;
    HWND hWnd = ::CreateWindowExW(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                                  hWndParent, nIDorHMenu, ::GetModuleHandleW(nullptr), lpParam);
    UnhookWindowCreate();
    // A window that failed during WM_CREATE has already been destroyed and unbound; one that
    // the hook missed has no object to handle its messages and must not live on.
    if (hWnd && m_hWnd != hWnd) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd)
        return FALSE;
    bool bound = FromHandlePermanent(m_hWnd) == this;
    BOOL result = ::DestroyWindow(m_hWnd);
    // A window that is only attached, not subclassed, never sees its WM_NCDESTROY here.
    if (m_hWnd && (!bound || !::IsWindow(m_hWnd)))
        Detach();
    return result;
}

// --- Dispatch --------------------------------------------------------------------------------

const MSG* CWnd::GetCurrentMessage() { return &State().current; }

LRESULT CWnd::Default() {
    const MSG& m = State().current;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);

    auto& state = State();
    MSG saved = state.current;
    state.current = MSG{hWnd, message, wParam, lParam, 0, {}};
    LRESULT result = 0;
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the platform's window procedure; a handler that throws
        // is a mistake all the same.
        afx::Report("no exception escapes a message handler", __FILE__, __LINE__);
        result = 0;
    }
    state.current = saved;

    if (message == WM_NCDESTROY && FromHandlePermanent(hWnd) == pWnd) {
        if (pWnd->m_pfnSuper &&
            ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc))
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
        pWnd->m_pfnSuper = nullptr;
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (IsControlColorMessage(message) && ReflectLastMsg(reinterpret_cast<HWND>(lParam), pResult))
        return TRUE;
    switch (message) {
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(wParam, lParam, &result))
            return FALSE;
        *pResult = result;
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (dis && dis->CtlType != ODT_MENU && ReflectLastMsg(dis->hwndItem, pResult))
            return TRUE;
        break;
    }
    default:
        break;
    }
    if (const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), afx::Match::Message, message, 0, 0))
        return e->pfn(this, wParam, lParam, pResult);
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    UINT nCode = HIWORD(wParam);
    auto hControl = reinterpret_cast<HWND>(lParam);
    if (hControl) {
        if (ReflectLastMsg(hControl))
            return TRUE;
    } else {
        // Menus send code 0 and accelerators code 1: both are plain commands.
        nCode = 0;
    }
    LRESULT ignored = 0;
    return OnCmdMsg(nID, nCode, wParam, lParam, &ignored);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (!hdr)
        return FALSE;
    if (ReflectLastMsg(hdr->hwndFrom, pResult))
        return TRUE;
    // Like the dialog manager, match on the sender's own control id.
    auto nID = static_cast<UINT>(::GetDlgCtrlID(hdr->hwndFrom));
    if (const AFX_MSGMAP_ENTRY* e =
            FindEntry(GetMessageMap(), afx::Match::Notify, WM_NOTIFY, hdr->code, nID))
        return e->pfn(this, wParam, lParam, pResult);
    return FALSE;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (!pChild)
        return FALSE;
    const MSG& m = State().current;
    LRESULT ignored = 0;
    return pChild->OnChildNotify(m.message, m.wParam, m.lParam, pResult ? pResult : &ignored);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    UINT reflected = message;
    UINT code = 0;
    switch (message) {
    case WM_COMMAND:
        code = HIWORD(wParam);
        break;
    case WM_NOTIFY:
        code = reinterpret_cast<NMHDR*>(lParam)->code;
        break;
    case WM_DRAWITEM:
        break;
    default:
        if (!IsControlColorMessage(message))
            return FALSE;
        reflected = WM_CTLCOLOR;
        break;
    }
    const AFX_MSGMAP_ENTRY* e =
        FindEntry(GetMessageMap(), afx::Match::Reflected, WM_REFLECT_BASE + reflected, code, 0);
    return e && e->pfn(this, wParam, lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        CWnd* pWnd = FromHandlePermanent(h);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (h == hWndStop)
            break;
    }
    return FALSE;
}

// --- Attributes and geometry -----------------------------------------------------------------

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    DWORD style = GetStyle();
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(newStyle));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::GetWindowText(CString& rString) const {
    int n = ::GetWindowTextLengthW(m_hWnd);
    ::GetWindowTextW(m_hWnd, rString.GetBufferSetLength(n), n + 1);
    rString.ReleaseBuffer();
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy,
                          nFlags);
}

void CWnd::CenterWindow() {
    HWND hOwner = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    bool overOwner = hOwner && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner);

    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromWindow(overOwner ? hOwner : m_hWnd, MONITOR_DEFAULTTOPRIMARY),
                      &mi);
    CRect area(mi.rcWork);
    CRect center = area;
    if (overOwner)
        ::GetWindowRect(hOwner, &center);

    CRect rc;
    GetWindowRect(&rc);
    int x = center.left + (center.Width() - rc.Width()) / 2;
    int y = center.top + (center.Height() - rc.Height()) / 2;
    // Keep the whole window on the work area when it fits.
    x = std::max<int>(area.left, std::min<int>(x, area.right - rc.Width()));
    y = std::max<int>(area.top, std::min<int>(y, area.bottom - rc.Height()));
    if (GetStyle() & WS_CHILD) {
        POINT p{x, y};
        ::ScreenToClient(hOwner, &p);
        x = p.x;
        y = p.y;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
