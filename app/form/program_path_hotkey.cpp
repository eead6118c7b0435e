// The program path dialog's key combination row: the field, its Clear button, and a choice the
// form refuses.
#include "app/form/failure_report.h"
#include "app/form/hotkey_form.h"
#include "app/form/program_path_dlg.h"

void CProgramPathDlg::RefuseHotkey(const CString& strWhy) {
    m_bHotkeyRefused = true;
    ShowWarning(m_hWnd, strWhy);
}

void CProgramPathDlg::OnClearHotkey() { m_editHotkey.SetCombination({}); }

void CProgramPathDlg::OnHotkeyFocus() {
    if (m_pOwner && m_pOwner->m_hWnd)
        m_pOwner->PauseHotkeys();
}

void CProgramPathDlg::OnHotkeyBlur() {
    // A dialog that is ending leaves the renewal to the form, which renews once it has closed.
    if (m_pOwner && m_pOwner->m_hWnd && !IsEnding())
        m_pOwner->RenewHotkeys();
}
