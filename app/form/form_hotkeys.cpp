// The key slots' own key combinations on the main form: registered for the form, shown in the
// key list, started as the driver's codes are, and taken from the program path dialog.
#include "app/form/hotkey_form.h"
#include "res/resource.h"

namespace {

constexpr int kHotkeyColumn = 2;
// A combination that could not be registered is shown greyed, with the reason as its tip.
constexpr COLORREF kUnavailableTextColor = 0x00606060;

} // namespace

void CHotkeyFormDlg::RenewHotkeys() {
    std::vector<KEYCOMBINATION> combinations;
    for (const KEYSLOT& entry : m_store.m_slots)
        combinations.push_back(entry.hotkey.combination);
    // Paused, they stay free for other programs, also after an edit.
    if (m_bPaused)
        m_hotkeys.ReleaseAll();
    else
        m_hotkeys.RegisterAll(m_hWnd, combinations);
    for (int nRow = 0; nRow < m_listKeys.GetItemCount(); ++nRow)
        ShowRowHotkey(nRow);
}

void CHotkeyFormDlg::ShowRowHotkey(int nRow) {
    int nSlot = SlotOfRow(nRow);
    CString strText, strTip;
    COLORREF crText = kRowTextColor;
    if (nSlot >= 0 && !m_store.m_slots[nSlot].hotkey.combination.IsEmpty()) {
        strText = KeyCombinationText(m_store.m_slots[nSlot].hotkey.combination);
        if (m_hotkeys.IsUnavailable(nSlot)) {
            strTip = ResourceString(IDS_HOTKEY_UNAVAILABLE_TIP, {strText});
            strText = ResourceString(IDS_HOTKEY_UNAVAILABLE, {strText});
            crText = kUnavailableTextColor;
        }
    }
    m_listKeys.SetItemText(nRow, kHotkeyColumn, strText, crText, kRowBackColor);
    m_listKeys.SetItemToolTipText(nRow, kHotkeyColumn, strTip);
}

LRESULT CHotkeyFormDlg::OnHotkey(WPARAM wParam, LPARAM) {
    if (int nEntry = m_hotkeys.EntryOfId(wParam); nEntry >= 0)
        PressEntry(nEntry);
    return 0;
}

void CHotkeyFormDlg::OnDestroy() {
    m_hotkeys.ReleaseAll();
    CTrayDialog::OnDestroy();
}

CString CHotkeyFormDlg::HotkeyRefusal(int nSlot, const KEYCOMBINATION& chosen) {
    // A new entry, after the last, has none yet.
    const KEYCOMBINATION current = nSlot < static_cast<int>(m_store.m_slots.size())
                                       ? m_store.m_slots[nSlot].hotkey.combination
                                       : KEYCOMBINATION();
    if (chosen == current || chosen.IsEmpty())
        return {};
    CString strChosen(KeyCombinationText(chosen));
    for (int nOther = 0; nOther < static_cast<int>(m_store.m_slots.size()); ++nOther) {
        const KEYSLOT& other = m_store.m_slots[nOther];
        if (nOther != nSlot && other.hotkey.combination == chosen)
            return ResourceString(IDS_HOTKEY_OTHER_ENTRY, {strChosen, m_store.EntryName(nOther)});
    }
    if (CHotkeyRegistrations::TryRegister(m_hWnd, chosen) != ERROR_SUCCESS)
        return ResourceString(IDS_HOTKEY_TAKEN, {strChosen});
    return {};
}
