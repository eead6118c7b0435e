// CBrowseButton: set-up, layout, the browse dialogs, the path, focus, pressing and keys.
#include "controls/skin/browse_button.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "framework/file_dialog.h"
#include "framework/shell_folder.h"
#include "framework/winapp.h"

BEGIN_MESSAGE_MAP(CBrowseButton, CButton)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_MESSAGE(BM_GETSTATE, OnGetState)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_MOUSEMOVE()
ON_WM_SETFOCUS()
ON_WM_MOVE()
ON_WM_SIZE()
ON_WM_ENABLE()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_EN_CHANGE(CBrowseButton::kEditId, OnEditChange)
END_MESSAGE_MAP()

CBrowseButton::~CBrowseButton() {
    // Destroyed here, while the edit and the tooltip still exist, so WM_DESTROY finds them.
    if (m_hWnd)
        DestroyWindow();
}

// --- Set-up ----------------------------------------------------------------------------------

BOOL CBrowseButton::Create(const RECT& rect, CWnd* pParent, UINT nID, DWORD dwOptions,
                           UINT nNotifyMessage) {
    if (!pParent)
        pParent = AfxGetMainWnd();
    if (!pParent || !pParent->m_hWnd)
        return FALSE;
    m_nNotifyMessage = nNotifyMessage;
    m_bCreated = TRUE;
    if (!CreateEx(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, pParent, nID))
        return FALSE;
    m_dwOptions = dwOptions;
    return Initialize();
}

void CBrowseButton::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    if (!m_bCreated)
        Initialize();
}

BOOL CBrowseButton::Initialize() {
    if (!m_hWnd)
        return FALSE;
    m_nDpi = GetWindowDpi(m_hWnd);
    RecalcLayout(FALSE);
    if (m_strCaption.IsEmpty())
        GetWindowText(m_strCaption);
    SetWindowText(L"");
    NameForScreenReaders();
    if (!CreateEditChild())
        return FALSE;
    if (!m_tooltip.Create(this, 0))
        return FALSE;
    m_tooltip.AddTool(this, m_strTooltip, &m_rcButton, kToolId);
    SetTimer(kFocusTimer, 1);
    return TRUE;
}

void CBrowseButton::NameForScreenReaders() {
    CString strLabel;
    HWND hBefore = ::GetWindow(m_hWnd, GW_HWNDPREV);
    wchar_t szClass[8] = {};
    if (hBefore && ::GetClassNameW(hBefore, szClass, 8) && ::lstrcmpiW(szClass, L"Static") == 0)
        CWnd::FromHandle(hBefore)->GetWindowText(strLabel);
    // Created before the edit, so that it stays just before it however often the edit is made
    // again; shown but of no size, as a label that is hidden may be passed over.
    if (!strLabel.IsEmpty() && !m_fieldLabel.m_hWnd)
        m_fieldLabel.CreateEx(0, L"STATIC", strLabel, WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(),
                              this, kFieldLabelId);
    // Stored without the push button's own handling, which would paint the text over the face.
    CString strName = (m_dwOptions & BBS_ICON) ? m_strButtonName : m_strCaption;
    ::DefWindowProcW(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strName.GetString()));
}

BOOL CBrowseButton::CreateEditChild() {
    if (!m_hWnd)
        return FALSE;
    CString text;
    if (m_edit.m_hWnd) {
        m_edit.GetWindowText(text);
        m_edit.DestroyWindow();
    }
    DWORD style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_NOHIDESEL;
    if (!(m_dwOptions & BBS_EDITABLE))
        style |= ES_READONLY;
    if (GetStyle() & WS_DISABLED)
        style |= WS_DISABLED;
    if (!m_edit.CreateEx(WS_EX_CLIENTEDGE, L"EDIT", L"", style, m_rcEdit, this, kEditId))
        return FALSE;
    m_edit.SetMargins(1, 1);
    m_edit.SetFont(GetFont(), TRUE);
    m_edit.SetWindowText(text);
    m_edit.ShowWindow(SW_SHOW);
    return TRUE;
}

void CBrowseButton::RecalcLayout(BOOL bMoveEdit) {
    CRect client;
    GetClientRect(&client);
    m_rcButton = client;

    // The icons are 16 pixels square at 96 DPI, the button 11 pixels wider than its face.
    int nIcon = ScaleToDpi(16, m_nDpi);
    CSize content(nIcon, nIcon);
    if (!(m_dwOptions & BBS_ICON)) {
        CClientDC dc(this);
        CSelectObject font(dc, GetFont());
        content = dc.GetTextExtent(m_strCaption);
    }
    int width = std::max<int>(content.cx, nIcon) + ScaleToDpi(11, m_nDpi);
    if (client.Width() > width) {
        if (m_dwOptions & BBS_BUTTONLEFT)
            m_rcButton.right = client.left + width;
        else
            m_rcButton.left = client.right - width;
    }

    CRect inner = m_rcButton;
    inner.DeflateRect(2, 2);
    m_rcFace.SetRect(inner.left, inner.top, inner.left + content.cx, inner.top + content.cy);
    if (inner.Height() > content.cy)
        m_rcFace.OffsetRect(0, (inner.Height() - content.cy) / 2);
    else
        m_rcFace.bottom = inner.bottom;
    if (inner.Width() > content.cx)
        m_rcFace.OffsetRect((inner.Width() - content.cx) / 2, 0);
    else
        m_rcFace.right = inner.right;

    m_rcEdit = client;
    if (m_dwOptions & BBS_BUTTONLEFT)
        m_rcEdit.left = m_rcButton.right;
    else
        m_rcEdit.right = m_rcButton.left;
    if (bMoveEdit && m_edit.m_hWnd)
        m_edit.MoveWindow(&m_rcEdit, TRUE);
    // The tip belongs to the button wherever a resize puts it, as when a dialog fits its
    // controls to a wider font.
    if (m_tooltip.m_hWnd)
        m_tooltip.SetToolRect(this, kToolId, &m_rcButton);
}

void CBrowseButton::SetDpi(UINT dpi) {
    m_nDpi = dpi;
    if (!m_hWnd)
        return;
    if (m_edit.m_hWnd)
        m_edit.SetFont(GetFont(), TRUE);
    RecalcLayout(TRUE);
    Invalidate();
}

// --- The path --------------------------------------------------------------------------------

void CBrowseButton::SetTooltipText(LPCWSTR pszText) {
    m_strTooltip = pszText;
    if (m_hWnd && m_tooltip.m_hWnd)
        m_tooltip.UpdateTipText(m_strTooltip, this, kToolId);
}

void CBrowseButton::SetCaption(LPCWSTR pszCaption) {
    m_strCaption = pszCaption;
    if (!m_hWnd)
        return;
    RecalcLayout(TRUE);
    Invalidate();
}

void CBrowseButton::SetPathName(LPCWSTR pszPath) {
    if (m_edit.m_hWnd)
        m_edit.SetWindowText(pszPath ? pszPath : L"");
    m_pszResult.reset();
    if (pszPath) {
        size_t n = wcslen(pszPath) + 1;
        m_pszResult = std::make_unique<wchar_t[]>(n);
        wmemcpy(m_pszResult.get(), pszPath, n);
    }
}

CString CBrowseButton::GetPathName() const {
    LPCWSTR first = m_pszResult ? m_pszResult.get() : L"";
    if (m_bTyped && m_strTyped.CompareNoCase(first) != 0)
        return m_strTyped;
    return CString(first);
}

void CBrowseButton::OnEditChange() {
    // Text that a browse writes into the edit is not typed text.
    if (m_bBusy || !(m_dwOptions & BBS_EDITABLE))
        return;
    m_edit.GetWindowText(m_strTyped);
    m_bTyped = TRUE;
    // The parent sees the edit's changes as the control's own, as it would a plain edit's.
    ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), EN_CHANGE),
                   reinterpret_cast<LPARAM>(m_hWnd));
}

void CBrowseButton::TakeResult(std::unique_ptr<wchar_t[]> pszResult) {
    m_pszResult = std::move(pszResult);
    if (m_edit.m_hWnd) {
        m_edit.SetWindowText(m_pszResult.get());
        SelectEditText(TRUE);
    }
    m_bTyped = FALSE;
    m_strTyped = m_pszResult.get();
}

// --- Browsing --------------------------------------------------------------------------------

int CBrowseButton::Browse() {
    if (m_bBusy)
        return IDCANCEL;
    m_bBusy = TRUE;
    int result = (m_dwOptions & BBS_BROWSEFOLDER) ? BrowseFolder() : BrowseFile();
    if (m_nNotifyMessage)
        ::SendMessageW(::GetParent(m_hWnd), m_nNotifyMessage, static_cast<WPARAM>(result),
                       reinterpret_cast<LPARAM>(this));
    m_bBusy = FALSE;
    return result;
}

void CBrowseButton::BrowseAndNotify() {
    Browse();
    HWND hParent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (::IsWindow(hParent))
        ::PostMessageW(hParent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), 0);
}

int CBrowseButton::BrowseFolder() {
    wchar_t displayName[MAX_PATH + 1] = {};
    BROWSEINFOW bi{};
    bi.hwndOwner = ::GetParent(m_hWnd);
    bi.pszDisplayName = displayName;
    bi.lpszTitle = m_strFolderPrompt;
    bi.ulFlags = m_uFolderFlags;
    bi.lpfn = &CBrowseButton::BrowseFolderCallback;
    bi.lParam = reinterpret_cast<LPARAM>(this);
    CShellItemList items = ::BrowseForFolder(&bi);
    if (!items)
        return IDCANCEL;
    auto buffer = std::make_unique<wchar_t[]>(kFolderBufferChars);
    // A folder outside the file system (the computer, the printers) has no path to take.
    if (!items.GetPath(buffer.get(), kFolderBufferChars))
        return IDCANCEL;
    TakeResult(std::move(buffer));
    return IDOK;
}

int CALLBACK CBrowseButton::BrowseFolderCallback(HWND hWnd, UINT uMsg, LPARAM, LPARAM lpData) {
    auto* pThis = reinterpret_cast<CBrowseButton*>(lpData);
    if (uMsg != BFFM_INITIALIZED || !pThis)
        return 0;
    if (!pThis->m_strDialogTitle.IsEmpty())
        ::SetWindowTextW(hWnd, pThis->m_strDialogTitle);
    CString path = pThis->GetPathName();
    if (!path.IsEmpty())
        ::SendMessageW(hWnd, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.GetString()));
    return 0;
}

int CBrowseButton::BrowseFile() {
    CWnd* pOwner = m_hWnd ? GetParent() : nullptr;
    CFileDialog dlg(m_bOpenDialog, m_strDefExt, nullptr, m_dwFileFlags, m_strFilter, pOwner, 0);
    // No title of our own leaves the platform's ("Open", "Save As"), as for the folder dialog;
    // an empty one would give the dialog an empty caption.
    dlg.m_ofn.lpstrTitle = m_strDialogTitle.IsEmpty() ? nullptr : m_strDialogTitle.GetString();
    // One spare character beyond what the dialog is told keeps the last list terminated.
    auto files = std::make_unique<wchar_t[]>(kFileBufferChars);
    dlg.m_ofn.lpstrFile = files.get();
    dlg.m_ofn.nMaxFile = kFileBufferChars - 1;
    if (dlg.DoModal() != IDOK)
        return IDCANCEL;

    std::vector<CString> paths;
    size_t total = 0;
    for (POSITION pos = dlg.GetStartPosition(); pos;) {
        paths.push_back(dlg.GetNextPathName(pos));
        total += static_cast<size_t>(paths.back().GetLength()) + 1;
    }
    auto result = std::make_unique<wchar_t[]>(total + 1);
    wchar_t* out = result.get();
    for (const CString& path : paths) {
        wmemcpy(out, path.GetString(), static_cast<size_t>(path.GetLength()) + 1);
        out += path.GetLength() + 1;
    }
    *out = 0;
    files.reset();
    TakeResult(std::move(result));
    return IDOK;
}

// --- Focus -----------------------------------------------------------------------------------

void CBrowseButton::SelectEditText(BOOL bSelect) {
    m_edit.SetSel(bSelect ? 0 : -1, -1);
    m_edit.ScrollCaret();
}

void CBrowseButton::OnSetFocus(CWnd* pOldWnd) {
    KillTimer(kFocusTimer);
    bool fromEdit = pOldWnd && pOldWnd->m_hWnd && pOldWnd->m_hWnd == m_edit.m_hWnd;
    // Only a press on the button keeps the focus there once the field has it. The dialog
    // manager hands its saved focus, the button, back when the dialog is activated, and the
    // keyboard user then belongs in the field.
    bool keepOnButton = (m_bEditSelected || fromEdit) && m_bPressing;
    if (m_edit.m_hWnd && !keepOnButton) {
        Default();
        m_edit.SetFocus();
        SelectEditText(TRUE);
        m_bEditSelected = TRUE;
    }
    SetTimer(kFocusTimer, 1);
}

void CBrowseButton::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kFocusTimer && m_edit.m_hWnd) {
        bool editHasFocus = ::GetFocus() == m_edit.m_hWnd;
        if (editHasFocus && !m_bEditSelected) {
            m_bEditSelected = TRUE;
            SelectEditText(TRUE);
        } else if (!editHasFocus && m_bEditSelected) {
            m_bEditSelected = FALSE;
            SelectEditText(FALSE);
        }
    } else if (nIDEvent == kHoverTimer && m_bHot) {
        // The mouse leaving is found only by polling.
        CPoint cursor;
        ::GetCursorPos(&cursor);
        CRect button = m_rcButton;
        ClientToScreen(&button);
        if (!button.PtInRect(cursor)) {
            KillTimer(kHoverTimer);
            m_bHot = FALSE;
            m_bPressed = FALSE;
            RedrawWindow();
        }
    }
    Default();
}

// --- Pressing, hot tracking and keys ---------------------------------------------------------

void CBrowseButton::OnLButtonDown(UINT, CPoint point) {
    m_bPressing = TRUE;
    Default();
    m_bPressing = FALSE;
    if (m_rcButton.PtInRect(point)) {
        SelectEditText(FALSE);
        ::SetCapture(m_hWnd);
        m_bPressed = TRUE;
    }
    RedrawWindow();
}

void CBrowseButton::OnMouseMove(UINT, CPoint point) {
    Default();
    if (m_bHot || !m_rcButton.PtInRect(point))
        return;
    m_bHot = TRUE;
    if (::GetCapture() == m_hWnd)
        m_bPressed = TRUE;
    SetTimer(kHoverTimer, 1);
    RedrawWindow(&m_rcButton);
}

void CBrowseButton::OnLButtonUp(UINT, CPoint point) {
    // The push button's own release processing gives up the capture, so whether this
    // control held it is asked before.
    bool captured = ::GetCapture() == m_hWnd;
    Default();
    if (!captured)
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bPressed = FALSE;
    RedrawWindow(&m_rcButton);
    if (m_rcButton.PtInRect(point))
        BrowseAndNotify();
}

LRESULT CBrowseButton::OnGetState(WPARAM, LPARAM) {
    LRESULT state = Default() & ~static_cast<LRESULT>(BST_PUSHED | BST_HOT);
    if (m_bPressed)
        state |= BST_PUSHED;
    if (m_bHot)
        state |= BST_HOT;
    return state;
}

void CBrowseButton::OnKeyDown(UINT nChar, UINT, UINT) {
    Default();
    if (nChar == VK_SPACE) {
        m_bPressed = TRUE;
        RedrawWindow();
    }
}

void CBrowseButton::OnKeyUp(UINT nChar, UINT, UINT) {
    Default();
    if (nChar == VK_SPACE) {
        m_bPressed = FALSE;
        RedrawWindow();
        BrowseAndNotify();
    }
}

BOOL CBrowseButton::PreTranslateMessage(MSG* pMsg) {
    if (m_tooltip.m_hWnd)
        m_tooltip.RelayEvent(pMsg);
    // Enter anywhere in the control browses, and the host's default button never sees it.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
        BrowseAndNotify();
        return TRUE;
    }
    return CButton::PreTranslateMessage(pMsg);
}

// --- Other messages --------------------------------------------------------------------------

void CBrowseButton::OnMove(int, int) {
    Default();
    RecalcLayout(TRUE);
}

void CBrowseButton::OnSize(UINT, int, int) {
    Default();
    RecalcLayout(TRUE);
}

void CBrowseButton::OnEnable(BOOL bEnable) {
    Default();
    if (m_edit.m_hWnd)
        m_edit.EnableWindow(bEnable);
    if (m_hWnd)
        RedrawWindow();
}

void CBrowseButton::OnDestroy() {
    KillTimer(kHoverTimer);
    KillTimer(kFocusTimer);
    // With the hover timer gone nothing would let go of the states; a window made again
    // starts released.
    m_bHot = FALSE;
    m_bPressed = FALSE;
    m_edit.DestroyWindow();
    m_fieldLabel.DestroyWindow();
    m_tooltip.DestroyWindow();
    Default();
}
