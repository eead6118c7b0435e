// The form's dialogs driven with real input from the torture tests.
#include "tests/support/form_driver.h"

#include <commctrl.h>

#include "app/messages.h"
#include "res/resource.h"
#include "tests/support/desktop.h"
#include "tests/support/window_finder.h"

CRect ScreenRect(HWND hWnd) {
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

CString TextOf(HWND hWnd) {
    wchar_t text[512] = {};
    ::SendMessageW(hWnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

HWND FindDialog(DWORD pid, HWND hExcept, const wchar_t* title) {
    return FindFirstWindow({.processId = pid,
                            .className = L"#32770",
                            .title = title,
                            .visibleOnly = true,
                            .accept = [hExcept](HWND hWnd) { return hWnd != hExcept; }});
}

bool ShowForm(HWND hForm) {
    ::PostMessageW(hForm, WM_SHOW_FORM, 0, 0);
    return WaitFor([&] { return ::IsWindowVisible(hForm) != FALSE; });
}

HWND OpenRow(DWORD pid, HWND hForm, int nRow, int dx) {
    CPoint at = RemoteListItemRect(::GetDlgItem(hForm, IDC_KEYLIST), nRow).CenterPoint();
    Click(CPoint(at.x + dx, at.y), false, 2);
    HWND hDialog = nullptr;
    WaitFor([&] { return (hDialog = FindDialog(pid, hForm)) != nullptr; });
    return hDialog;
}

bool BrowseTo(DWORD pid, HWND hDialog, const CString& path) {
    CRect button = ScreenRect(::GetDlgItem(hDialog, IDC_PATH_BROWSE));
    // A dialog just shown may not be on the display yet, which then routes the first click to
    // the window below: one more click, when no file dialog came of the first.
    for (int attempt = 0; attempt < 2; ++attempt) {
        Click(CPoint(button.right - button.Height() / 2, button.CenterPoint().y));
        if (WaitFor([&] { return FindDialog(pid, hDialog, L"Open") != nullptr; }, 3000))
            break;
    }
    return ChooseInOpenDialog(pid, hDialog, path);
}

bool ChooseInOpenDialog(DWORD pid, HWND hDialog, const CString& path) {
    HWND hOpen = nullptr;
    if (!WaitFor([&] { return (hOpen = FindDialog(pid, hDialog, L"Open")) != nullptr; }))
        return false;
    ::Sleep(200); // the dialog puts the focus into its file name field once it is shown
    TypeText(path);
    PressKey(VK_RETURN);
    return WaitFor([&] { return !::IsWindow(hOpen) || !::IsWindowVisible(hOpen); });
}

HWND FocusOf(HWND hWnd) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, nullptr), &info);
    return info.hwndFocus;
}

bool ApplyAndWait(HWND hDialog) {
    Click(ScreenRect(::GetDlgItem(hDialog, IDOK)).CenterPoint());
    return WaitFor([&] { return !::IsWindow(hDialog); });
}

bool CloseMessageBox(DWORD pid, HWND hOwner, CString* pText) {
    HWND hBox = nullptr;
    if (!WaitFor([&] { return (hBox = FindDialog(pid, hOwner, L"KESTO Hotkey")) != nullptr; }))
        return false;
    wchar_t text[1024] = {};
    ::SendMessageW(::GetDlgItem(hBox, kMessageBoxTextId), WM_GETTEXT, 1024,
                   reinterpret_cast<LPARAM>(text));
    *pText = text;
    ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
    return WaitFor([&] { return !::IsWindow(hBox); });
}

bool ApplyRefusedAndWait(DWORD pid, HWND hDialog, CString* pText) {
    Click(ScreenRect(::GetDlgItem(hDialog, IDOK)).CenterPoint());
    return CloseMessageBox(pid, hDialog, pText) && WaitFor([&] { return !::IsWindow(hDialog); });
}

bool CancelAndWait(HWND hDialog) {
    ::PostMessageW(hDialog, WM_COMMAND, IDCANCEL, 0);
    return WaitFor([&] { return !::IsWindow(hDialog); });
}

std::vector<ShownRow> ShownRows(HWND hForm) {
    HWND hList = ::GetDlgItem(hForm, IDC_KEYLIST);
    std::vector<ShownRow> rows;
    auto count = static_cast<int>(::SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        rows.push_back({RemoteListItemText(hList, i, 0, kShownCellLength + 1),
                        RemoteListItemText(hList, i, 1, kShownCellLength + 1)});
    return rows;
}
