// CHotkeyFormDlg: the main form. It owns the key slots, receives the hotkey driver's
// messages and starts the assigned programs. It starts hidden with its tray icon shown and
// moves between the tray and the screen when the user asks.
#pragma once

#include <vector>

#include "app/keys/hotkey_registrations.h"
#include "app/messages.h"
#include "app/settings/settings_store.h"
#include "app/form/program_path_dlg.h"
#include "app/form/skin_art.h"
#include "framework/tray_dialog.h"
#include "controls/list/xlist_ctrl.h"

class CHotkeyFormDlg : public CTrayDialog {
public:
    // The key list's rows, and the list around them, in one colour.
    static constexpr COLORREF kRowTextColor = 0x00000000;
    static constexpr COLORREF kRowBackColor = 0x00A9DCDE;

    explicit CHotkeyFormDlg(CWnd* pParent = nullptr);
    // The window class the form's template names and the driver looks for: the system dialog
    // class under another name. TRUE once it is registered.
    static BOOL RegisterWindowClass();
    ~CHotkeyFormDlg() override;

    // Joins the foreground thread's input, takes the foreground and focus, and parts again.
    void BringToForeground();
    // A press of the entry's key, whichever way it came: starts its program, or brings up its
    // running window, off the form's thread; failures are silent, and the keyboard stays where
    // it was when the press shows nothing. An entry that does not exist starts nothing.
    void PressEntry(int nEntry);
    // Registers the slots' own key combinations anew and shows each in its row, marked when
    // it is unavailable.
    void RenewHotkeys();
    // Lets go of the slots' own key combinations until the next RenewHotkeys.
    void PauseHotkeys() { m_hotkeys.ReleaseAll(); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter, the Close button, Esc and the system Close end the program only while the form
    // is visible: a key press makes the hidden form the focus, and the user's next Enter or
    // Esc was meant for another program.
    void OnOK() override;
    void OnCancel() override;

    // Places the caption buttons for the form's DPI, and draws them for it once the form has
    // been shown.
    void InitCaptionButtons();
    void LoadCaptionBitmaps();
    // What only a form on the screen needs, made the first time it is shown: a hidden form,
    // as most runs stay, starts faster and holds fewer objects. The caption buttons' faces,
    // the window's icons, the About item of the system menu and the key list's rows.
    void DressForScreen();
    void InitFormWindow();
    void InitKeyList();
    // A length of the 96-DPI layout at the form's DPI.
    int Scale(int nLength) const { return m_skin.Scale(nLength); }
    // The list's place, and its columns, at the form's DPI.
    void PlaceKeyList();
    void AddKeyRow(const KEYROW& row);
    // The list shows the entries as the store holds them now (once the form has been shown),
    // with their combinations registered anew.
    void ShowEntries();
    // The slot a row of the list shows and edits, or -1 for no row.
    int SlotOfRow(int nRow) const;
    void ShowRowHotkey(int nRow);
    // Why the slot may not take the chosen combination, or empty when it may: another slot
    // has it, or another program holds it.
    CString HotkeyRefusal(int nSlot, const KEYCOMBINATION& chosen);
    // Runs the program path dialog for the first selected row of the visible form, then
    // gives the focus back to the list, on that row.
    void EditSelectedRow();
    // Runs the program path dialog for a new entry of the user's; Apply adds it after the last
    // entry and its row takes the focus.
    void AddEntry();
    // Asks, then removes the user's entry of the first selected row; the driver's keys stay.
    void RemoveSelectedEntry();
    // Runs the program path dialog for an entry (the one after the last: a new one) on the
    // visible form, then shows the entries and focuses the entry's row, or nRow's.
    void EditEntry(int nSlot, int nRow);
    // Gives the focus to the list, on the row.
    void FocusRow(int nRow);
    // Removes the tray icon and shows the form, whatever the shell answers.
    void ShowFromTray();
    // The form moved to a monitor of another scale: it lays itself out again for that
    // monitor's DPI in the rectangle the platform suggests.
    void OnSkinDpiChanged(UINT dpi) override;

    // Message handlers
    void OnSysCommand(UINT nID, LPARAM lParam);
    // Another program's request to end, in every state.
    void OnClose();
    HCURSOR OnQueryDragIcon();
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    LRESULT OnFnHotkey(WPARAM wParam, LPARAM lParam);
    // A press of an entry's own key combination: the same road as the driver's code.
    LRESULT OnHotkey(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    void OnKeyListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    // F2 on the list edits the selected row, as a double click does; Insert adds an entry and
    // Delete removes the selected one.
    void OnKeyListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    // A right click on the list, the Applications key or Shift+F10 open the list's menu: edit
    // the selected row (the default), add an entry, remove the selected one.
    void OnContextMenu(CWnd* pWnd, CPoint point);
    LRESULT OnPathApplied(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowForm(WPARAM wParam, LPARAM lParam);
    void OnMenuShow();
    // The About box, from the tray menu and from the system menu alike.
    void OnMenuAbout();
    // "Start with Windows": writes or removes the user's Run value, and says so when the
    // registry refuses.
    void OnMenuAutostart();
    // The tray menu's "Start with Windows" shows the Run values as they are now: checked when
    // one starts this executable, greyed when it is the machine's.
    void OnInitMenuPopup(HMENU hMenu, UINT nIndex, BOOL bSysMenu);
    void OnMenuExit();
    // The tray menu as it opens: "Pause keys" checked while paused, and above "Exit" each entry
    // that has a program, by name and combination, which the item presses.
    void UpdateTrayMenu(CMenuHandle menu);
    void OnMenuEntry(UINT nID);
    // Pauses or resumes every key: while paused no press starts anything, the combinations
    // are free for other programs, and the tray icon is grey with a tip that says so.
    void OnMenuPause();
    // "Export settings..." and "Import settings...", before "About" in the system menu.
    void AppendExchangeItems(CMenuHandle menuSystem);
    // Every entry into a settings file the user names in the Save dialog.
    void OnMenuExport();
    // Every entry replaced, in one save, by those of a settings file the user picks in the
    // Open dialog; anything else is refused with a message and changes nothing.
    void OnMenuImport();
    void OnMinimizeButton();
    // The session ends, or an installer's Restart Manager asks the program to close
    // (ENDSESSION_CLOSEAPP): it agrees at once and ends as Exit does.
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL bEnding);

    // Data members
    HICON m_hIcon;
    CSkinButton m_btnClose;
    CSkinButton m_btnMinimize;
    CXListCtrl m_listKeys;
    // The program path dialog while it runs, for the Apply message; it is not owned here.
    CProgramPathDlg* m_pPathDlg = nullptr;
    // The entry that dialog edits, and the answer to its last Apply that refused the entry.
    int m_nEditSlot = -1;
    PATHREFUSAL m_refusal;
    // While TRUE, every attempt to show the form is refused.
    BOOL m_bStartHidden = TRUE;
    // TRUE once DressForScreen has run.
    BOOL m_bDressed = FALSE;
    // The key slots and their settings file. The form has a store rather than being one: the
    // store runs without any window, and the form only feeds it rows and reads its slots.
    CHotkeySettingsStore m_store;
    // Each row's slot, by row: a row edits its own slot whatever the display names say.
    std::vector<int> m_rowSlots;
    // The slots' own key combinations, registered for this window.
    CHotkeyRegistrations m_hotkeys;
    // "Pause keys"; every start of the program is unpaused.
    BOOL m_bPaused = FALSE;
    // The items UpdateTrayMenu last put into the tray menu, its separator included.
    int m_nTrayEntryItems = 0;

    DECLARE_MESSAGE_MAP()
};
