// The tool tip control's tools: adding them, changing their text and reading them back.
#include "framework/controls.h"

namespace {

TOOLINFOW ToolOf(CWnd* pWnd, UINT_PTR nIDTool) {
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = pWnd ? pWnd->m_hWnd : nullptr;
    ti.uId = nIDTool;
    return ti;
}

} // namespace

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCWSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    TOOLINFOW ti = ToolOf(pWnd, nIDTool);
    // No TTF_SUBCLASS: the owner relays the mouse messages itself.
    ti.uFlags = 0;
    ti.lpszText = const_cast<LPWSTR>(lpszText ? lpszText : L"");
    if (lpRectTool)
        ti.rect = *lpRectTool;
    else if (pWnd)
        pWnd->GetClientRect(&ti.rect);
    return AddTool(&ti);
}

void CToolTipCtrl::UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
    TOOLINFOW ti = ToolOf(pWnd, nIDTool);
    ti.lpszText = const_cast<LPWSTR>(lpszText ? lpszText : L"");
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
    TOOLINFOW ti = ToolOf(pWnd, nIDTool);
    ti.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::GetToolInfo(CWnd* pWnd, UINT_PTR nIDTool, CString* pText, CRect* pRect) const {
    // The control copies the text without being told the length; it stops at 1024.
    constexpr int kTextMax = 1024;
    CString text;
    TOOLINFOW ti = ToolOf(pWnd, nIDTool);
    ti.lpszText = text.GetBufferSetLength(kTextMax);
    ti.lpszText[0] = 0;
    BOOL found = static_cast<BOOL>(SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)));
    text.ReleaseBuffer();
    if (found && pText)
        *pText = text;
    if (found && pRect)
        *pRect = ti.rect;
    return found;
}
