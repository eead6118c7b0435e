// The program path dialog: shows a key's program in a browse control and applies a new one.
#include "app/form/program_path_dlg.h"

#include <utility>

#include "app/form/failure_report.h"
#include "app/form/hotkey_form.h"
#include "app/messages.h"
#include "app/form/skin_art.h"
#include "app/launch/launch.h"
#include "res/resource.h"

namespace {

constexpr int kPathDialogWidth = 300;
constexpr int kPathDialogHeight = 230;
// The choices as the lists show them: consecutive texts, in the order of the option's values.
void FillChoices(HWND hCombo, UINT nIDFirst, int nChoices, int nSelected) {
    for (int i = 0; i < nChoices; ++i)
        ::SendMessageW(hCombo, CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(ResourceString(nIDFirst + i).GetString()));
    ::SendMessageW(hCombo, CB_SETCURSEL, static_cast<WPARAM>(nSelected), 0);
}

int ChosenIndex(HWND hCombo) {
    auto index = static_cast<int>(::SendMessageW(hCombo, CB_GETCURSEL, 0, 0));
    return index < 0 ? 0 : index;
}

} // namespace

BEGIN_MESSAGE_MAP(CProgramPathDlg, CTrayDialog)
ON_COMMAND(IDOK, OnApply)
ON_BN_CLICKED(IDC_PATH_HOTKEY_CLEAR, OnClearHotkey)
ON_CONTROL(EN_SETFOCUS, IDC_PATH_HOTKEY, OnHotkeyFocus)
ON_CONTROL(EN_KILLFOCUS, IDC_PATH_HOTKEY, OnHotkeyBlur)
ON_MESSAGE(kBrowseNotifyMessage, OnPathBrowsed)
ON_CONTROL(EN_CHANGE, IDC_PATH_BROWSE, OnPathChanged)
END_MESSAGE_MAP()

CProgramPathDlg::CProgramPathDlg() : CTrayDialog(IDD_PROGRAMPATH, nullptr) {
    SetSkin({IDB_DIALOG_BACK, SkinLayout::FitChildren, &LoadArtBitmap});
    // A folder, a URL or a shell folder, which the Open dialog cannot pick, may be typed.
    m_btnBrowse.SetOptions(BBS_ICON | BBS_OPENFOLDER | BBS_EDITABLE);
    // A folder may be typed too, with %VARIABLES% in it.
    m_btnStartIn.SetOptions(BBS_ICON | BBS_CLOSEDFOLDER | BBS_BROWSEFOLDER | BBS_EDITABLE);
    m_btnStartIn.SetFolderPrompt(ResourceString(IDS_FOLDER_PROMPT));
    for (CBrowseButton* pBrowse : {&m_btnBrowse, &m_btnStartIn})
        pBrowse->SetButtonName(ResourceString(IDS_BROWSE_NAME));
}

CProgramPathDlg::~CProgramPathDlg() = default;

void CProgramPathDlg::SetEntry(HWND hwndOwner, CString strKey, const KEYSLOT& entry) {
    m_hwndOwner = hwndOwner;
    m_strKey = std::move(strKey);
    m_entry = entry;
}

void CProgramPathDlg::SetOwnEntry(HWND hwndOwner, const KEYSLOT& entry) {
    // The hidden label names the name field for screen readers, as each label before a field does.
    SetEntry(hwndOwner, ResourceString(IDS_ENTRY_NAME_LABEL), entry);
    m_bOwnEntry = true;
}

void CProgramPathDlg::DoDataExchange(CDataExchange* pDX) {
    CTrayDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PATH_KEY, m_stKey);
    DDX_Control(pDX, IDC_PATH_LABEL, m_stLabel);
    DDX_Control(pDX, IDC_PATH_BROWSE, m_btnBrowse);
    DDX_Control(pDX, IDC_PATH_HOTKEY_LABEL, m_stHotkeyLabel);
    DDX_Control(pDX, IDC_PATH_HOTKEY, m_editHotkey);
    DDX_Control(pDX, IDC_PATH_STARTIN_LABEL, m_stStartIn);
    DDX_Control(pDX, IDC_PATH_STARTIN, m_btnStartIn);
    DDX_Control(pDX, IDC_PATH_WINDOW_LABEL, m_stWindow);
    DDX_Control(pDX, IDC_PATH_ADMIN, m_chkAdmin);
    DDX_Control(pDX, IDC_PATH_IFRUNNING_LABEL, m_stIfRunning);
}

BOOL CProgramPathDlg::OnInitDialog() {
    CTrayDialog::OnInitDialog();
    m_skin.AddDpiFollower(m_btnBrowse);
    m_skin.AddDpiFollower(m_btnStartIn);
    m_stKey.SetWindowText(m_strKey);
    // A driver's key is named by its place; an entry of the user's has only the name typed here.
    HWND hName = ::GetDlgItem(m_hWnd, IDC_PATH_NAME);
    ::SetWindowTextW(hName, m_entry.strDisplayName);
    ::ShowWindow(hName, m_bOwnEntry ? SW_SHOW : SW_HIDE);
    ::EnableWindow(hName, m_bOwnEntry ? TRUE : FALSE);
    m_stKey.ShowWindow(m_bOwnEntry ? SW_HIDE : SW_SHOW);
    // Only the size changes, so the dialog is still centred; the key's text is in place
    // first, so that its label can grow to it.
    m_skin.FitToSkinSize(CSize(kPathDialogWidth, kPathDialogHeight));
    m_btnBrowse.SetNotifyMessage(kBrowseNotifyMessage);
    m_btnBrowse.SetTooltipText(ResourceString(IDS_BROWSE_TIP));
    m_btnBrowse.SetPathName(m_entry.strDefaultPath);
    m_btnBrowse.SetFilter(ResourceString(IDS_PROGRAM_FILTER));
    m_editHotkey.SetCombination(m_entry.hotkey.combination);
    ShowLaunchOptions();
    OnPathChanged();
    return TRUE;
}

LRESULT CProgramPathDlg::OnPathBrowsed(WPARAM, LPARAM) {
    OnPathChanged();
    return 0;
}

void CProgramPathDlg::OnPathChanged() {
    // Only a program has rights to ask for or a copy to bring up; what the shell opens keeps
    // the options as they were, for a program chosen later.
    BOOL bProgram = StartsProgram(m_btnBrowse.GetPathName()) ? TRUE : FALSE;
    for (int nID : {IDC_PATH_ADMIN, IDC_PATH_IFRUNNING})
        ::EnableWindow(::GetDlgItem(m_hWnd, nID), bProgram);
}

void CProgramPathDlg::ShowLaunchOptions() {
    m_btnStartIn.SetTooltipText(ResourceString(IDS_BROWSE_TIP));
    m_btnStartIn.SetPathName(m_entry.launch.strStartIn);
    FillChoices(::GetDlgItem(m_hWnd, IDC_PATH_WINDOW), IDS_WINDOW_NORMAL, 3,
                static_cast<int>(m_entry.launch.eWindow));
    FillChoices(::GetDlgItem(m_hWnd, IDC_PATH_IFRUNNING), IDS_IFRUNNING_START, 3,
                static_cast<int>(m_entry.launch.eIfRunning));
    ::CheckDlgButton(m_hWnd, IDC_PATH_ADMIN,
                     m_entry.launch.bRunAsAdmin ? BST_CHECKED : BST_UNCHECKED);
}

void CProgramPathDlg::ReadLaunchOptions() {
    m_entry.launch.strStartIn = m_btnStartIn.GetPathName();
    m_entry.launch.strStartIn.Trim();
    m_entry.launch.eWindow =
        static_cast<LaunchWindow>(ChosenIndex(::GetDlgItem(m_hWnd, IDC_PATH_WINDOW)));
    m_entry.launch.eIfRunning =
        static_cast<LaunchIfRunning>(ChosenIndex(::GetDlgItem(m_hWnd, IDC_PATH_IFRUNNING)));
    m_entry.launch.bRunAsAdmin = ::IsDlgButtonChecked(m_hWnd, IDC_PATH_ADMIN) == BST_CHECKED;
}

void CProgramPathDlg::OnApply() {
    m_entry.strDefaultPath = m_btnBrowse.GetPathName();
    // The path may be typed now: blanks around it mean nothing, nor around a typed name.
    m_entry.strDefaultPath.Trim();
    if (m_bOwnEntry) {
        GetDlgItem(IDC_PATH_NAME)->GetWindowText(m_entry.strDisplayName);
        m_entry.strDisplayName.Trim();
    }
    KEYCOMBINATION chosen = m_editHotkey.GetCombination();
    // A value of the file that named no combination stays until another is chosen.
    if (chosen != m_entry.hotkey.combination)
        m_entry.hotkey = SLOTHOTKEY{chosen, {}};
    ReadLaunchOptions();
    // Sent, not posted: the owner reads the entry before the dialog closes.
    LRESULT answer = m_hwndOwner && ::IsWindow(m_hwndOwner)
                         ? ::SendMessageW(m_hwndOwner, WM_PATH_APPLIED, 0, 0)
                         : kPathTaken;
    if (answer != kPathTaken && answer != 0) {
        const auto& refusal = *reinterpret_cast<const PATHREFUSAL*>(answer);
        ShowWarning(m_hWnd, refusal.strMessage);
        if (refusal.bChooseAgain) {
            CWnd* pField = refusal.nFieldId ? GetDlgItem(refusal.nFieldId) : nullptr;
            GotoDlgCtrl(pField ? *pField : m_editHotkey);
            return;
        }
    }
    CTrayDialog::OnOK();
}
