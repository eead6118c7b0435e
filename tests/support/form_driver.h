// Driving the running form's dialogs from outside, as the user would: a real double click on
// a row, the real Open dialog typed into, Apply, and closing a dialog with Cancel.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/cstring.h"
#include "framework/types.h"

// The window's rectangle on the screen.
CRect ScreenRect(HWND hWnd);
// The window's text, asked of the window itself: another process's edit keeps its text to
// itself.
CString TextOf(HWND hWnd);
// A visible top-level dialog of the process other than hExcept, by its title (null: any).
HWND FindDialog(DWORD pid, HWND hExcept, const wchar_t* title = nullptr);
// Posts the show message and waits until the form is visible.
bool ShowForm(HWND hForm);
// Double-clicks the row with real input, dx pixels right of its centre; the path dialog that
// opened, or null.
HWND OpenRow(DWORD pid, HWND hForm, int nRow, int dx = 0);
// Chooses the path in the real Open dialog of the path dialog's browse control.
bool BrowseTo(DWORD pid, HWND hDialog, const CString& path);
// Types the path into the Open dialog once it is open over the path dialog, and Enter.
bool ChooseInOpenDialog(DWORD pid, HWND hDialog, const CString& path);
// The keyboard focus of the window's thread, in any process.
HWND FocusOf(HWND hWnd);
// Clicks Apply and waits until the dialog is gone.
bool ApplyAndWait(HWND hDialog);
// The id of a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;
// Waits for the program's message box over hOwner, returns its text in *pText and closes it.
bool CloseMessageBox(DWORD pid, HWND hOwner, CString* pText);
// Clicks Apply on a save that the program cannot make: waits for the message box over the
// dialog, returns its text in *pText, closes it and waits until the dialog is gone.
bool ApplyRefusedAndWait(DWORD pid, HWND hDialog, CString* pText);
// Cancels the dialog and waits until it is gone.
bool CancelAndWait(HWND hDialog);
// The cells of every row of the form's key list: key text, then path text, each up to its
// first kShownCellLength characters.
constexpr int kShownCellLength = 599;
struct ShownRow {
    CString strKey;
    CString strPath;
};
std::vector<ShownRow> ShownRows(HWND hForm);
