// The form's menus beyond showing and ending it: the entries started from the tray menu, the
// pause of every key, and the settings exported to a file and imported from one.
#include <vector>

#include "app/form/failure_report.h"
#include "app/form/hotkey_form.h"
#include "app/keys/key_combination.h"
#include "app/settings/settings_file_replace.h"
#include "framework/file_dialog.h"
#include "res/resource.h"

namespace {

// The position of the menu's item with the command, or -1.
int PositionOf(CMenuHandle menu, UINT nID) {
    for (int i = 0; i < menu.GetMenuItemCount(); ++i)
        if (menu.GetMenuItemID(i) == nID)
            return i;
    return -1;
}

} // namespace

void CHotkeyFormDlg::UpdateTrayMenu(CMenuHandle menu) {
    menu.CheckMenuItem(ID_TRAY_PAUSE, m_bPaused ? MF_CHECKED : MF_UNCHECKED);
    int exit = PositionOf(menu, ID_TRAY_EXIT);
    if (exit < 0)
        return;
    // The last opening's entries stand just above "Exit"; the entries may have changed since.
    for (; m_nTrayEntryItems > 0; --m_nTrayEntryItems)
        ::DeleteMenu(menu, --exit, MF_BYPOSITION);
    // S1's program is the registry's, read at every press: it is listed while the value is set.
    m_store.RefreshS1FromRegistry();
    int count = static_cast<int>(m_store.m_slots.size());
    for (int i = 0; i < count && i <= ID_TRAY_ENTRY_LAST - ID_TRAY_ENTRY_FIRST; ++i) {
        const KEYSLOT& entry = m_store.m_slots[i];
        if (entry.strDefaultPath.IsEmpty())
            continue;
        // An ampersand in a name is the user's, not a menu's mnemonic.
        CString text = m_store.EntryName(i);
        text.Replace(L"&", L"&&");
        if (!entry.hotkey.combination.IsEmpty())
            text += L"\t" + KeyCombinationText(entry.hotkey.combination);
        ::InsertMenuW(menu, exit++, MF_BYPOSITION | MF_STRING, ID_TRAY_ENTRY_FIRST + i, text);
        ++m_nTrayEntryItems;
    }
    if (m_nTrayEntryItems > 0 &&
        ::InsertMenuW(menu, exit, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr))
        ++m_nTrayEntryItems;
}

void CHotkeyFormDlg::OnMenuEntry(UINT nID) {
    PressEntry(static_cast<int>(nID - ID_TRAY_ENTRY_FIRST));
}

void CHotkeyFormDlg::OnMenuPause() {
    m_bPaused = !m_bPaused;
    // Released, the combinations are free for other programs while the keys rest.
    RenewHotkeys();
    SetTrayTip(ResourceString(m_bPaused ? IDS_TRAY_TIP_PAUSED : IDS_TRAY_TIP));
    SetTrayIconGrey(m_bPaused);
    UpdateTrayIcon();
}

void CHotkeyFormDlg::AppendExchangeItems(CMenuHandle menuSystem) {
    menuSystem.AppendMenu(MF_STRING, IDM_EXPORT, ResourceString(IDS_EXPORT_MENU));
    menuSystem.AppendMenu(MF_STRING, IDM_IMPORT, ResourceString(IDS_IMPORT_MENU));
}

void CHotkeyFormDlg::OnMenuExport() {
    // With a dialog of the form's own open (the form is then disabled), another would run
    // inside that dialog's loop: reached from the tray, which stays at hand meanwhile.
    if (!IsWindowEnabled())
        return;
    CFileDialog dlg(FALSE, L"ini", kSettingsFileName,
                    OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR,
                    ResourceString(IDS_SETTINGS_FILES), this);
    if (dlg.DoModal() != IDOK)
        return;
    SAVEREPORT report = m_store.ExportEntries(dlg.GetPathName());
    if (!report.Saved())
        ReportFailure(m_hWnd, ResourceString(IDS_EXPORT_FAILED, {report.strFile}), report.dwError);
}

void CHotkeyFormDlg::OnMenuImport() {
    if (!IsWindowEnabled())
        return;
    CFileDialog dlg(TRUE, L"ini", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR,
                    ResourceString(IDS_SETTINGS_FILES), this);
    if (dlg.DoModal() != IDOK)
        return;
    CString path = dlg.GetPathName();
    std::vector<KEYSLOT> entries;
    DWORD error = CHotkeySettingsStore::ReadEntriesFrom(path, entries);
    if (error == ERROR_BAD_FORMAT) {
        ShowWarning(m_hWnd, ResourceString(IDS_IMPORT_NOT_SETTINGS, {path}));
        return;
    }
    if (error) {
        ReportFailure(m_hWnd, ResourceString(IDS_IMPORT_UNREADABLE, {path}), error);
        return;
    }
    SAVEREPORT report = m_store.SaveEntries(entries);
    if (!report.Saved()) {
        ReportFailure(m_hWnd, ResourceString(IDS_IMPORT_FAILED, {report.strFile}), report.dwError);
        return;
    }
    // A combination of the file that another program holds shows as unavailable, as at start.
    ShowEntries();
}
