// The program path dialog's key combination row: the field and its Clear button.
#include "app/form/program_path_dlg.h"

void CProgramPathDlg::OnClearHotkey() { m_editHotkey.SetCombination({}); }

void CProgramPathDlg::OnHotkeyFocus() {
    if (m_onCapture)
        m_onCapture(true);
}

void CProgramPathDlg::OnHotkeyBlur() {
    // A dialog that is ending leaves the renewal to its owner, which renews once it has closed.
    if (m_onCapture && !IsEnding())
        m_onCapture(false);
}
