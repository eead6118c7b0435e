// The key combination field: capturing a press, refusing the combinations no one would mean.
#include "app/keys/key_capture.h"

#include "app/form/failure_report.h"
#include "app/keys/key_choice.h"
#include "res/resource.h"

namespace {

bool IsModifierKey(UINT nKey) {
    switch (nKey) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
        return true;
    default:
        return false;
    }
}

bool IsHeld(int nKey) { return ::GetKeyState(nKey) < 0; }

// Bit 30 of a key message's lParam: the key was already down, so this is its auto-repeat.
constexpr LPARAM kKeyWasDown = 1 << 30;

} // namespace

BEGIN_MESSAGE_MAP(CKeyCaptureEdit, CEdit)
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CKeyCaptureEdit::SetCombination(const KEYCOMBINATION& combination) {
    m_combination = combination;
    ShowState();
}

UINT CKeyCaptureEdit::HeldModifiers() {
    return (IsHeld(VK_CONTROL) ? MOD_CONTROL : 0) | (IsHeld(VK_MENU) ? MOD_ALT : 0) |
           (IsHeld(VK_SHIFT) ? MOD_SHIFT : 0) | (IsHeld(VK_LWIN) || IsHeld(VK_RWIN) ? MOD_WIN : 0);
}

BOOL CKeyCaptureEdit::PreTranslateMessage(MSG* pMsg) {
    bool bDown = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
    bool bUp = pMsg->message == WM_KEYUP || pMsg->message == WM_SYSKEYUP;
    if (pMsg->hwnd != m_hWnd || !(bDown || bUp))
        return CEdit::PreTranslateMessage(pMsg);
    auto nKey = static_cast<UINT>(pMsg->wParam);
    if (nKey == VK_TAB || nKey == VK_ESCAPE || nKey == VK_RETURN)
        return CEdit::PreTranslateMessage(pMsg);
    if (bDown) {
        OnKeyDown(nKey, (pMsg->lParam & kKeyWasDown) != 0);
    } else {
        m_bPressing = m_bPressing && HeldModifiers() != 0;
        ShowState();
    }
    return TRUE;
}

void CKeyCaptureEdit::OnKeyDown(UINT nKey, bool bRepeat) {
    m_bPressing = IsModifierKey(nKey);
    if (m_bPressing || !IsCombinationKey(nKey)) {
        ShowState();
        return;
    }
    KEYCOMBINATION pressed{HeldModifiers(), nKey};
    std::wstring strRefusal = KeyChoiceRefusal(pressed);
    if (!strRefusal.empty()) {
        // One warning per press: the repeats of a key still held when the modal box closes
        // say nothing more.
        if (!bRepeat) {
            CWnd* pParent = GetParent();
            ShowWarning(pParent ? pParent->m_hWnd : m_hWnd,
                        ResourceString(IDS_KEY_REFUSED,
                                       {KeyCombinationText(pressed).c_str(), strRefusal.c_str()}));
        }
        ShowState();
        return;
    }
    SetCombination(pressed);
}

void CKeyCaptureEdit::ShowState() {
    UINT nHeld = m_bPressing ? HeldModifiers() : 0;
    CString strText = nHeld                     ? CString(KeyCombinationText({nHeld, 0}))
                      : m_combination.IsEmpty() ? ResourceString(IDS_NO_COMBINATION)
                                                : CString(KeyCombinationText(m_combination));
    CString strShown;
    GetWindowText(strShown);
    if (strShown != strText)
        SetWindowText(strText);
}

void CKeyCaptureEdit::OnKillFocus(CWnd*) {
    Default();
    m_bPressing = false;
    ShowState();
}
