// The program path dialog: shows a key's program in a browse control and applies a new one.
#include "app/program_path_dlg.h"

#include <utility>

#include "app/failure_report.h"
#include "app/hotkey_form.h"
#include "app/messages.h"
#include "app/skin_art.h"
#include "res/resource.h"

namespace {

constexpr int kPathDialogWidth = 300;
constexpr int kPathDialogHeight = 138;

} // namespace

BEGIN_MESSAGE_MAP(CProgramPathDlg, CTrayDialog)
ON_COMMAND(IDOK, OnApply)
ON_BN_CLICKED(IDC_PATH_HOTKEY_CLEAR, OnClearHotkey)
ON_CONTROL(EN_SETFOCUS, IDC_PATH_HOTKEY, OnHotkeyFocus)
ON_CONTROL(EN_KILLFOCUS, IDC_PATH_HOTKEY, OnHotkeyBlur)
END_MESSAGE_MAP()

CProgramPathDlg::CProgramPathDlg() : CTrayDialog(IDD_PROGRAMPATH, nullptr) {
    SetSkin({IDB_DIALOG_BACK, SkinLayout::FitChildren, &LoadArtBitmap});
}

CProgramPathDlg::~CProgramPathDlg() = default;

void CProgramPathDlg::SetEntry(CHotkeyFormDlg* pOwner, CString strKey, CString strPath, int nRow) {
    m_pOwner = pOwner;
    m_strKey = std::move(strKey);
    m_strPath = std::move(strPath);
    m_nRow = nRow;
}

void CProgramPathDlg::DoDataExchange(CDataExchange* pDX) {
    CTrayDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PATH_KEY, m_stKey);
    DDX_Control(pDX, IDC_PATH_LABEL, m_stLabel);
    DDX_Control(pDX, IDC_PATH_BROWSE, m_btnBrowse);
    DDX_Control(pDX, IDC_PATH_HOTKEY_LABEL, m_stHotkeyLabel);
    DDX_Control(pDX, IDC_PATH_HOTKEY, m_editHotkey);
}

BOOL CProgramPathDlg::OnInitDialog() {
    CTrayDialog::OnInitDialog();
    m_skin.AddDpiFollower(m_btnBrowse);
    m_stKey.SetWindowText(m_strKey);
    // Only the size changes, so the dialog is still centred; the key's text is in place
    // first, so that its label can grow to it.
    m_skin.FitToSkinSize(CSize(kPathDialogWidth, kPathDialogHeight));
    m_btnBrowse.SetNotifyMessage(kBrowseNotifyMessage);
    m_btnBrowse.SetTooltipText(L"Click Here to Browse!");
    m_btnBrowse.SetPathName(m_strPath);
    m_btnBrowse.SetFilter(L"Execute Files (*.exe)|*.exe||");
    m_editHotkey.SetCombination(m_hotkey);
    return TRUE;
}

void CProgramPathDlg::ReportSaveFailure(const CString& strFile, DWORD dwError) {
    ReportFailure(m_hWnd, L"The program could not be saved in the settings file\n" + strFile,
                  dwError);
}

void CProgramPathDlg::OnApply() {
    m_strPath = m_btnBrowse.GetPathName();
    m_hotkey = m_editHotkey.GetCombination();
    m_bHotkeyRefused = false;
    // Sent, not posted: the form reads this dialog's path and row before it closes.
    if (m_pOwner && m_pOwner->m_hWnd)
        m_pOwner->SendMessage(WM_PATH_APPLIED, 0, 0);
    if (m_bHotkeyRefused) {
        GotoDlgCtrl(m_editHotkey);
        return;
    }
    CTrayDialog::OnOK();
}
