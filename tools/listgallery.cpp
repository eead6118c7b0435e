// listgallery.exe: one list with every kind of cell (plain with an image, bold, a disabled
// row, check boxes under a header check box, combo cells, progress at 0, 40 and 100 percent,
// tool tips) and one empty list, as the README's picture shows them. With "/tip" on the
// command line the mouse is put on the cell with a tool tip once the gallery is up.
#include "controls/list/xlist_ctrl.h"
#include "framework/dialog.h"
#include "framework/image_list.h"
#include "framework/winapp.h"
#include "listgallery.h"

namespace {

constexpr COLORREF kRowBack = 0x00A9DCDE;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kDarkRed = RGB(160, 0, 0);
constexpr int kCheckColumn = 2;
constexpr int kTipRow = 6;
constexpr UINT_PTR kTipTimer = 1;

// The header's check box images: 0 none, 1 unchecked, 2 checked.
CImageList MakeHeaderChecks(int nSide) {
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(screen);
    CBitmap strip;
    strip.CreateCompatibleBitmap(screen, nSide * 3, nSide);
    {
        CSelectObject select(dc, strip);
        dc.FillSolidRect(0, 0, nSide * 3, nSide, ::GetSysColor(COLOR_BTNFACE));
        for (int i = 1; i <= 2; ++i) {
            CRect box(nSide * i, 0, nSide * (i + 1), nSide);
            ::DrawFrameControl(dc, &box, DFC_BUTTON,
                               DFCS_BUTTONCHECK | DFCS_FLAT | (i == 2 ? DFCS_CHECKED : 0));
        }
    }
    CImageList images;
    images.Create(nSide, nSide, ILC_COLOR24, 3, 0);
    images.Add(strip);
    return images;
}

class CGalleryDialog : public CDialog {
public:
    explicit CGalleryDialog(bool bShowTip) : CDialog(IDD_LISTGALLERY), m_bShowTip(bShowTip) {}

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_GALLERY_LIST, m_list);
        DDX_Control(pDX, IDC_GALLERY_EMPTY, m_empty);
    }

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        FillList();
        m_empty.InsertColumn(0, L"Empty list", LVCFMT_LEFT, 200);
        m_empty.InsertColumn(1, L"Column", LVCFMT_LEFT, 200);
        m_empty.SetBkColor(kRowBack);
        m_list.SetFocus();
        if (m_bShowTip)
            SetTimer(kTipTimer, 500);
        return FALSE;
    }

    void OnTimer(UINT_PTR nIDEvent) {
        if (nIDEvent != kTipTimer)
            return;
        KillTimer(kTipTimer);
        // Two positions, so the tool tip sees the mouse move onto the cell.
        CRect rc;
        m_list.GetSubItemRect(kTipRow, 0, LVIR_BOUNDS, rc);
        m_list.ClientToScreen(&rc);
        ::SetCursorPos(rc.left + 20, rc.top + 2);
        ::SetCursorPos(rc.left + 24, rc.CenterPoint().y);
    }

    void FillList() {
        m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
        m_list.EnableToolTips(TRUE);
        m_list.SetBkColor(kRowBack);
        m_list.InsertColumn(0, L"Cell", LVCFMT_LEFT, 150);
        m_list.InsertColumn(1, L"Value", LVCFMT_LEFT, 230);
        m_list.InsertColumn(kCheckColumn, L"Done", LVCFMT_LEFT, 80);

        m_smallImages.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
        m_smallImages.AddIcon(static_cast<HICON>(
            ::LoadImageW(nullptr, IDI_INFORMATION, IMAGE_ICON, 16, 16, LR_SHARED)));
        m_list.SetImageList(m_smallImages, LVSIL_SMALL);
        m_headerChecks = MakeHeaderChecks(13);
        ::SendMessageW(m_list.GetHeaderCtrlHandle(), HDM_SETIMAGELIST, 0,
                       reinterpret_cast<LPARAM>(HIMAGELIST(m_headerChecks)));

        const wchar_t* rows[][2] = {
            {L"Plain with image", L"plain text"},
            {L"Bold text", L"Medium"},
            {L"Disabled row", L"greyed out"},
            {L"Progress 0%", L""},
            {L"Progress 40%", L""},
            {L"Progress 100%", L""},
            {L"Tool tip: hover here", L"coloured text"},
        };
        for (int i = 0; i < 7; ++i) {
            m_list.InsertItem(i, rows[i][0], kBlack, kRowBack);
            m_list.SetItemText(i, 1, rows[i][1], i == 6 ? kDarkRed : kBlack, kRowBack);
            m_list.SetItemText(i, kCheckColumn, L"", kBlack, kRowBack);
        }
        m_list.SetItemImage(0, 0, 0);
        m_list.SetBold(1, 0, TRUE);
        m_list.SetRowEnabled(2, FALSE);
        for (int i = 0; i < 3; ++i)
            m_list.SetCheckbox(i, kCheckColumn, i == 0 ? 0 : 1);
        m_list.SetHeaderCheck(kCheckColumn, 1);

        for (const wchar_t* choice : {L"Low", L"Medium", L"High"})
            m_choices.Add(choice);
        m_list.SetComboBox(1, 1, TRUE, &m_choices, 3, 0);
        m_list.SetProgress(3, 1, TRUE, 0);
        m_list.SetProgress(4, 1, TRUE, 40);
        m_list.SetProgress(5, 1, TRUE, 100, L"%d%% done");
        m_list.SetItemToolTipText(kTipRow, 0, L"A tip for this cell only");
        // A selected row shows its combo cell with the field and the button.
        m_list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    CXListCtrl m_list;
    CXListCtrl m_empty;
    CStringArray m_choices;
    CImageList m_smallImages;
    CImageList m_headerChecks;
    bool m_bShowTip;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CGalleryDialog, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

class CGalleryApp : public CWinApp {
public:
    BOOL InitInstance() override {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&icc);
        CGalleryDialog dlg(m_lpCmdLine && wcsstr(m_lpCmdLine, L"/tip") != nullptr);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }
};

CGalleryApp theApp;

} // namespace
