// The form's key entries: editing one in the program path dialog, adding entries of the user's
// own and removing them, from the keyboard and from the list's menu.
#include <algorithm>
#include <memory>

#include "app/form/failure_report.h"
#include "app/form/hotkey_form.h"
#include "res/resource.h"

void CHotkeyFormDlg::OnKeyListKeyDown(NMHDR* pNMHDR, LRESULT* pResult) {
    switch (reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey) {
    case VK_F2:
        EditSelectedRow();
        break;
    case VK_INSERT:
        AddEntry();
        break;
    case VK_DELETE:
        RemoveSelectedEntry();
        break;
    default:
        break;
    }
    *pResult = 0;
}

void CHotkeyFormDlg::OnContextMenu(CWnd* pWnd, CPoint point) {
    // The hidden form can hold the keyboard focus, and a menu key there was meant for another
    // program.
    if (!pWnd || pWnd->m_hWnd != m_listKeys.m_hWnd || m_pPathDlg || !IsWindowVisible())
        return;
    int nRow = m_listKeys.GetNextItem(-1, LVNI_SELECTED);
    // (-1, -1) comes from the keyboard, which has no point: the menu opens under the row.
    if (point == CPoint(-1, -1)) {
        CRect rc;
        point = nRow >= 0 && m_listKeys.GetItemRect(nRow, &rc, LVIR_LABEL)
                    ? CPoint(rc.left, rc.bottom)
                    : CPoint(0, 0);
        m_listKeys.ClientToScreen(&point);
    }
    CMenu menuList;
    if (!menuList.LoadMenu(IDR_KEYLISTMENU))
        return;
    CMenuHandle menu = menuList.GetSubMenu(0);
    int nSlot = SlotOfRow(nRow);
    if (nSlot < 0)
        menu.EnableMenuItem(ID_KEY_EDIT, MF_GRAYED);
    if (nSlot < kDriverKeyCount)
        menu.EnableMenuItem(ID_KEY_REMOVE, MF_GRAYED);
    menu.SetDefaultItem(ID_KEY_EDIT);
    // Chosen here rather than as a command, so that the row is still the one the menu was for.
    switch (menu.TrackPopupMenu(TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, m_hWnd)) {
    case ID_KEY_EDIT:
        EditSelectedRow();
        break;
    case ID_KEY_ADD:
        AddEntry();
        break;
    case ID_KEY_REMOVE:
        RemoveSelectedEntry();
        break;
    default:
        break;
    }
}

void CHotkeyFormDlg::EditSelectedRow() {
    // The hidden form can hold the keyboard focus (a hotkey gives it the focus), and the
    // user's next F2 there was meant for another program.
    int nRow = m_listKeys.GetNextItem(-1, LVNI_SELECTED);
    int nSlot = SlotOfRow(nRow);
    if (nSlot < 0 || m_pPathDlg || !IsWindowVisible())
        return;
    EditEntry(nSlot, nRow);
}

void CHotkeyFormDlg::AddEntry() {
    if (m_pPathDlg || !IsWindowVisible())
        return;
    EditEntry(static_cast<int>(m_store.m_slots.size()), -1);
}

void CHotkeyFormDlg::EditEntry(int nSlot, int nRow) {
    auto pDlg = std::make_unique<CProgramPathDlg>();
    bool bNew = nSlot == static_cast<int>(m_store.m_slots.size());
    const KEYSLOT entry = bNew ? KEYSLOT() : m_store.m_slots[nSlot];
    if (nSlot < kDriverKeyCount)
        pDlg->SetEntry(m_hWnd, m_listKeys.GetItemText(nRow, 0), entry);
    else
        pDlg->SetOwnEntry(m_hWnd, entry);
    pDlg->SetCaptureHandler([this](bool bCapturing) {
        if (bCapturing)
            PauseHotkeys();
        else
            RenewHotkeys();
    });
    m_pPathDlg = pDlg.get();
    m_nEditSlot = nSlot;
    INT_PTR result = pDlg->DoModal();
    m_pPathDlg = nullptr;
    m_nEditSlot = -1;
    // Applied, the list shows the entry as it was saved, a new one as the last row; the
    // registrations follow the entries either way.
    if (result == IDOK) {
        ShowEntries();
        auto found = std::find(m_rowSlots.begin(), m_rowSlots.end(), nSlot);
        nRow = found == m_rowSlots.end() ? -1 : static_cast<int>(found - m_rowSlots.begin());
    } else {
        RenewHotkeys();
    }
    FocusRow(nRow);
}

void CHotkeyFormDlg::FocusRow(int nRow) {
    if (!IsWindowVisible())
        return;
    GotoDlgCtrl(m_listKeys);
    if (nRow < 0)
        return;
    m_listKeys.SetItemState(nRow, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    m_listKeys.EnsureVisible(nRow, FALSE);
}

LRESULT CHotkeyFormDlg::OnPathApplied(WPARAM, LPARAM) {
    int nSlot = m_nEditSlot;
    if (!m_pPathDlg || nSlot < 0)
        return kPathTaken;
    const KEYSLOT& slot = m_pPathDlg->GetEntry();
    // The list names an entry of the user's by its name alone.
    if (nSlot >= kDriverKeyCount && slot.strDisplayName.IsEmpty())
        m_refusal = {ResourceString(IDS_ENTRY_NEEDS_NAME), true, IDC_PATH_NAME};
    else
        m_refusal = {HotkeyRefusal(nSlot, slot.hotkey.combination), true};
    if (!m_refusal.strMessage.IsEmpty())
        return reinterpret_cast<LRESULT>(&m_refusal);
    // A save the platform refused leaves the entries, the rows and the file as they were; the
    // user, who just chose a program, is told why it was not kept.
    SAVEREPORT report = m_store.SaveSlot(nSlot, slot);
    if (!report.Saved()) {
        m_refusal = {FailureText(ResourceString(IDS_SAVE_FAILED, {report.strFile}), report.dwError),
                     false};
        return reinterpret_cast<LRESULT>(&m_refusal);
    }
    // The rows and the registrations follow the saved entry once the dialog has closed.
    return kPathTaken;
}

void CHotkeyFormDlg::RemoveSelectedEntry() {
    int nRow = m_listKeys.GetNextItem(-1, LVNI_SELECTED);
    int nSlot = SlotOfRow(nRow);
    // The driver's keys are the driver's: they stay, even when unassigned.
    if (nSlot < kDriverKeyCount || m_pPathDlg || !IsWindowVisible())
        return;
    CString strAsk = ResourceString(IDS_REMOVE_ENTRY_ASK, {m_store.EntryName(nSlot)});
    // No is the default: an Enter meant for the list must not remove a key.
    if (::MessageBoxW(m_hWnd, strAsk, ResourceString(IDS_WARNING_CAPTION),
                      MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    std::vector<KEYSLOT> entries = m_store.m_slots;
    entries.erase(entries.begin() + nSlot);
    SAVEREPORT report = m_store.SaveEntries(entries);
    if (!report.Saved()) {
        ReportFailure(m_hWnd, ResourceString(IDS_REMOVE_ENTRY_FAILED, {report.strFile}),
                      report.dwError);
        return;
    }
    ShowEntries();
    FocusRow(std::min(nRow, m_listKeys.GetItemCount() - 1));
}
