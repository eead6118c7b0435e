// The main form: set-up, the key list and staying hidden.
#include "app/hotkey_form.h"

#include "framework/winapp.h"
#include "res/resource.h"

namespace {

constexpr int kFormWidth = 500;
constexpr int kFormHeight = 360;
constexpr COLORREF kRowTextColor = 0x00000000;
constexpr COLORREF kRowBackColor = 0x00A9DCDE;

// The list view's rows as the settings store reads them back.
class ListRows : public CKeyRowSource {
public:
    explicit ListRows(const CListCtrl& list) : m_list(list) {}
    int GetRowCount() const override { return m_list.GetItemCount(); }
    CString GetKeyText(int nRow) const override { return m_list.GetItemText(nRow, 0); }
    CString GetPathText(int nRow) const override { return m_list.GetItemText(nRow, 1); }

private:
    const CListCtrl& m_list;
};

} // namespace

BEGIN_MESSAGE_MAP(CHotkeyFormDlg, CDialog)
ON_WM_WINDOWPOSCHANGING()
ON_MESSAGE(WM_FN_HOTKEY, OnFnHotkey)
END_MESSAGE_MAP()

CHotkeyFormDlg::CHotkeyFormDlg(CWnd* pParent)
    : CDialog(IDD_HOTKEYFORM, pParent),
      m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

CHotkeyFormDlg::~CHotkeyFormDlg() = default;

void CHotkeyFormDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KEYLIST, m_listKeys);
}

BOOL CHotkeyFormDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    SetWindowText(kFormWindowTitle);
    InitFormWindow();
    InitKeyList();
    BuildIniPath();
    for (const KEYROW& row : LoadSettings())
        AddKeyRow(row.nIndex, row.strKeyText, row.strPathText);
    return TRUE;
}

void CHotkeyFormDlg::InitFormWindow() {
    SetWindowText(kFormWindowTitle);
    SetWindowPos(nullptr, 0, 0, kFormWidth, kFormHeight, SWP_NOMOVE | SWP_NOZORDER);
    m_bStartHidden = TRUE;
}

void CHotkeyFormDlg::InitKeyList() {
    m_listKeys.MoveWindow(20, 70, 455, 270);
    CRect rc;
    m_listKeys.GetWindowRect(&rc);
    int width = rc.Width();
    m_listKeys.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_listKeys.EnableToolTips(TRUE);
    m_listKeys.InsertColumn(0, L"Fn Hotkey", LVCFMT_LEFT, width * 20 / 100);
    m_listKeys.InsertColumn(1, L"Program Path", LVCFMT_LEFT, width * 79 / 100);
    m_listKeys.SetBkColor(kRowBackColor);
}

void CHotkeyFormDlg::AddKeyRow(int nIndex, const CString& strKey, const CString& strPath) {
    m_listKeys.InsertItem(nIndex, L"");
    m_listKeys.SetItemText(nIndex, 0, strKey, kRowTextColor, kRowBackColor);
    m_listKeys.SetItemText(nIndex, 1, strPath, kRowTextColor, kRowBackColor);
}

void CHotkeyFormDlg::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    // Every attempt to show the form, the modal loop's own included, is refused until the
    // user asks for the form.
    if (m_bStartHidden)
        lpwndpos->flags &= ~SWP_SHOWWINDOW;
    Default();
}
