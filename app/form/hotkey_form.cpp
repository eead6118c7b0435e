// The main form: set-up, the key list, the skin and the moves between tray and screen.
#include "app/form/hotkey_form.h"

#include "app/form/about_dlg.h"
#include "app/session/autostart.h"
#include "app/form/failure_report.h"
#include "app/form/program_path_dlg.h"
#include "app/session/single_instance.h"
#include "framework/winapp.h"
#include "res/resource.h"

namespace {

constexpr int kFormWidth = 500;
constexpr int kFormHeight = 360;
const CRect kKeyListRect(20, 70, 20 + 455, 70 + 270);
constexpr int kCaptionButtonSize = 14;
const CPoint kMinimizeButtonPos(455, 7);
const CPoint kCloseButtonPos(475, 7);

} // namespace

BEGIN_MESSAGE_MAP(CHotkeyFormDlg, CTrayDialog)
ON_WM_SYSCOMMAND()
ON_WM_CLOSE()
ON_WM_QUERYDRAGICON()
ON_WM_WINDOWPOSCHANGING()
ON_MESSAGE(WM_FN_HOTKEY, OnFnHotkey)
ON_MESSAGE(WM_HOTKEY, OnHotkey)
ON_WM_DESTROY()
ON_NOTIFY(NM_DBLCLK, IDC_KEYLIST, OnKeyListDblClk)
ON_NOTIFY(LVN_KEYDOWN, IDC_KEYLIST, OnKeyListKeyDown)
ON_WM_CONTEXTMENU()
ON_MESSAGE(WM_PATH_APPLIED, OnPathApplied)
ON_MESSAGE(WM_SHOW_FORM, OnShowForm)
ON_COMMAND(ID_TRAY_SHOW, OnMenuShow)
ON_COMMAND(ID_TRAY_ABOUT, OnMenuAbout)
ON_COMMAND(ID_TRAY_AUTOSTART, OnMenuAutostart)
ON_COMMAND(ID_TRAY_EXIT, OnMenuExit)
ON_COMMAND(ID_TRAY_PAUSE, OnMenuPause)
ON_COMMAND(ID_TRAY_EXPORT, OnMenuExport)
ON_COMMAND(ID_TRAY_IMPORT, OnMenuImport)
ON_COMMAND_RANGE(ID_TRAY_ENTRY_FIRST, ID_TRAY_ENTRY_LAST, OnMenuEntry)
ON_WM_INITMENUPOPUP()
ON_BN_CLICKED(IDC_MINIMIZE, OnMinimizeButton)
ON_WM_QUERYENDSESSION()
ON_WM_ENDSESSION()
END_MESSAGE_MAP()

CHotkeyFormDlg::CHotkeyFormDlg(CWnd* pParent)
    : CTrayDialog(IDD_HOTKEYFORM, pParent), m_hIcon(AfxLoadIcon(IDR_MAINFRAME)) {
    SetSkin({IDB_FORM_BACK, SkinLayout::FromConstants, &LoadArtBitmap});
    m_btnMinimize.SetHighContrastFace(DFC_CAPTION, DFCS_CAPTIONMIN);
    m_btnClose.SetHighContrastFace(DFC_CAPTION, DFCS_CAPTIONCLOSE);
}

CHotkeyFormDlg::~CHotkeyFormDlg() = default;

BOOL CHotkeyFormDlg::RegisterWindowClass() {
    WNDCLASSW wc{};
    if (!::GetClassInfoW(AfxGetInstanceHandle(), L"#32770", &wc))
        return FALSE;
    wc.lpszClassName = kFormClassName;
    return AfxRegisterClass(&wc);
}

void CHotkeyFormDlg::DoDataExchange(CDataExchange* pDX) {
    CTrayDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KEYLIST, m_listKeys);
    DDX_Control(pDX, IDOK, m_btnClose);
    DDX_Control(pDX, IDC_MINIMIZE, m_btnMinimize);
}

BOOL CHotkeyFormDlg::OnInitDialog() {
    CTrayDialog::OnInitDialog();
    // The icon and the window the driver looks for come first: the rest of the start waits
    // until the user can see the program is there, and what only a shown form needs waits
    // until it is first shown (DressForScreen).
    SetWindowText(kFormWindowTitle);
    SetTrayIcon(IDR_MAINFRAME);
    SetTrayTip(ResourceString(IDS_TRAY_TIP));
    SetTrayMenu(IDR_TRAYMENU);
    SetMinimizeToTray(TRUE);
    AddTrayIcon();

    AllowFormMessagesFromNormalRights(m_hWnd);
    m_skin.AddDpiFollower(m_listKeys);
    InitCaptionButtons();
    InitFormWindow();
    InitKeyList();
    m_store.BuildIniPath();
    m_store.LoadSettings();
    ShowEntries();
    // Closed by an installer through the Restart Manager, the program comes back once the
    // installer is done. Not after a crash or a hang, which would only repeat, nor after a
    // reboot, where the Run value starts it. Asked after the icon is in: the tray sees no delay.
    ::RegisterApplicationRestart(kAutostartSwitch,
                                 RESTART_NO_CRASH | RESTART_NO_HANG | RESTART_NO_REBOOT);
    return TRUE;
}

void CHotkeyFormDlg::InitCaptionButtons() {
    m_btnMinimize.SetWindowPos(nullptr, Scale(kMinimizeButtonPos.x), Scale(kMinimizeButtonPos.y),
                               Scale(kCaptionButtonSize), Scale(kCaptionButtonSize), 0);
    m_btnClose.MoveWindow(Scale(kCloseButtonPos.x), Scale(kCloseButtonPos.y),
                          Scale(kCaptionButtonSize), Scale(kCaptionButtonSize));
    if (m_bDressed)
        LoadCaptionBitmaps();
}

void CHotkeyFormDlg::LoadCaptionBitmaps() {
    m_btnMinimize.LoadBitmapsForDpi(IDB_MIN_UP, IDB_MIN_DOWN, m_skin.GetDpi());
    m_btnClose.LoadBitmapsForDpi(IDB_CLOSE_UP, IDB_CLOSE_DOWN, m_skin.GetDpi());
}

void CHotkeyFormDlg::DressForScreen() {
    if (m_bDressed)
        return;
    m_bDressed = TRUE;
    CMenuHandle menuSystem(GetSystemMenu(FALSE));
    CString strAboutMenu;
    if (!menuSystem.IsNull() && strAboutMenu.LoadString(IDS_ABOUTBOX) && !strAboutMenu.IsEmpty()) {
        menuSystem.AppendMenu(MF_SEPARATOR);
        AppendExchangeItems(menuSystem);
        menuSystem.AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
    }
    m_skin.SetIcons(IDR_MAINFRAME, m_hIcon);
    LoadCaptionBitmaps();
    ShowEntries();
}

void CHotkeyFormDlg::InitFormWindow() {
    SetWindowText(kFormWindowTitle);
    // Only the size changes, so the dialog still counts as unplaced and is centred.
    SetWindowPos(nullptr, 0, 0, Scale(kFormWidth), Scale(kFormHeight), SWP_NOMOVE | SWP_NOZORDER);
    m_bStartHidden = TRUE;
}

void CHotkeyFormDlg::InitKeyList() {
    m_listKeys.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    // The name a screen reader gives the list; the list view never shows its window text.
    m_listKeys.SetWindowText(ResourceString(IDS_KEYLIST_NAME));
    m_listKeys.EnableToolTips(TRUE);
    m_listKeys.InsertColumn(0, ResourceString(IDS_COLUMN_KEY), LVCFMT_LEFT);
    m_listKeys.InsertColumn(1, ResourceString(IDS_COLUMN_PATH), LVCFMT_LEFT);
    m_listKeys.InsertColumn(2, ResourceString(IDS_COLUMN_HOTKEY), LVCFMT_LEFT);
    PlaceKeyList();
    m_listKeys.SetBkColor(kRowBackColor);
}

void CHotkeyFormDlg::PlaceKeyList() {
    m_listKeys.MoveWindow(Scale(kKeyListRect.left), Scale(kKeyListRect.top),
                          Scale(kKeyListRect.Width()), Scale(kKeyListRect.Height()));
    CRect rc;
    m_listKeys.GetWindowRect(&rc);
    int width = rc.Width();
    m_listKeys.SetColumnWidth(0, width * 20 / 100);
    m_listKeys.SetColumnWidth(1, width * 52 / 100);
    m_listKeys.SetColumnWidth(2, width * 27 / 100);
}

void CHotkeyFormDlg::OnSkinDpiChanged(UINT) {
    InitCaptionButtons();
    PlaceKeyList();
    ReloadTrayIcon();
}

void CHotkeyFormDlg::AddKeyRow(const KEYROW& row) {
    m_listKeys.InsertItem(row.nIndex, L"");
    m_listKeys.SetItemText(row.nIndex, 0, row.strKeyText, kRowTextColor, kRowBackColor);
    m_listKeys.SetItemText(row.nIndex, 1, row.strPathText, kRowTextColor, kRowBackColor);
    m_rowSlots.insert(m_rowSlots.begin() + row.nIndex, row.nSlot);
}

void CHotkeyFormDlg::ShowEntries() {
    m_listKeys.DeleteAllItems();
    m_rowSlots.clear();
    // A hidden form's list waits for the first show (DressForScreen): a long list would hold
    // its rows' memory and its scroll bar's objects in every run that stays in the tray.
    if (m_bDressed)
        for (const KEYROW& row : m_store.Rows())
            AddKeyRow(row);
    RenewHotkeys();
}

int CHotkeyFormDlg::SlotOfRow(int nRow) const {
    return nRow >= 0 && nRow < static_cast<int>(m_rowSlots.size()) ? m_rowSlots[nRow] : -1;
}

void CHotkeyFormDlg::ShowFromTray() {
    m_bStartHidden = FALSE;
    if (!m_bMinimizeToTray)
        return;
    // The form comes up whatever the shell answers: the icon may never have arrived, or may
    // have arrived after the shell had refused it, and a hidden form is reached only this way.
    RemoveTrayIcon();
    DressForScreen();
    BringToForeground();
    ShowWindow(SW_SHOW);
    // The keys are what the form is for: arrows pick a row at once, F2 edits it.
    GotoDlgCtrl(m_listKeys);
}

HCURSOR CHotkeyFormDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CHotkeyFormDlg::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    // Every attempt to show the form, the modal loop's own included, is refused until the
    // user asks for the form.
    if (m_bStartHidden)
        lpwndpos->flags &= ~SWP_SHOWWINDOW;
    Default();
}

LRESULT CHotkeyFormDlg::OnShowForm(WPARAM, LPARAM) {
    ShowFromTray();
    return 1;
}

void CHotkeyFormDlg::OnMenuShow() { ShowFromTray(); }

void CHotkeyFormDlg::OnMenuAbout() {
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
}

void CHotkeyFormDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        OnMenuAbout();
        return;
    }
    if ((nID & 0xFFF0) == IDM_EXPORT) {
        OnMenuExport();
        return;
    }
    if ((nID & 0xFFF0) == IDM_IMPORT) {
        OnMenuImport();
        return;
    }
    // Alt+F4 reaches the hidden form as the system Close.
    if ((nID & 0xFFF0) == SC_CLOSE && !IsWindowVisible())
        return;
    CTrayDialog::OnSysCommand(nID, lParam);
}

void CHotkeyFormDlg::OnOK() {
    if (IsWindowVisible())
        CTrayDialog::OnOK();
}

void CHotkeyFormDlg::OnCancel() {
    if (IsWindowVisible())
        CTrayDialog::OnCancel();
}

// The dialog manager would turn this into the Cancel command, which a hidden form ignores.
void CHotkeyFormDlg::OnClose() { EndDialog(IDCANCEL); }

void CHotkeyFormDlg::OnKeyListDblClk(NMHDR*, LRESULT* pResult) {
    // The first click of the double click has selected the row under the cursor.
    EditSelectedRow();
    *pResult = 0;
}

void CHotkeyFormDlg::OnMenuAutostart() {
    CAutostart autostart;
    if (LONG result = autostart.Toggle())
        ReportFailure(m_hWnd, ResourceString(IDS_AUTOSTART_FAILED, {autostart.GetUserKeyName()}),
                      static_cast<DWORD>(result));
}

void CHotkeyFormDlg::OnInitMenuPopup(HMENU hMenu, UINT, BOOL bSysMenu) {
    Default();
    CMenuHandle menu(hMenu);
    if (bSysMenu || menu.GetMenuState(ID_TRAY_AUTOSTART) == static_cast<UINT>(-1))
        return;
    ShowAutostartState(menu, ID_TRAY_AUTOSTART, CAutostart().GetState());
    UpdateTrayMenu(menu);
}

void CHotkeyFormDlg::OnMenuExit() { ::PostQuitMessage(0); }

// Nothing is ever unsaved: every change was written when it was applied.
BOOL CHotkeyFormDlg::OnQueryEndSession() { return TRUE; }

void CHotkeyFormDlg::OnEndSession(BOOL bEnding) {
    // The quit message ends every modal loop that runs, the path dialog's and the Open
    // dialog's included, and then the form's; nothing is saved on the way out.
    if (bEnding)
        ::PostQuitMessage(0);
}

void CHotkeyFormDlg::OnMinimizeButton() { HideToTray(); }
