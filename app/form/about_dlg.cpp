// The About box: the version line from the executable's own version resource.
#include "app/form/about_dlg.h"

#include <memory>

#include "app/form/file_version.h"
#include "app/form/skin_art.h"
#include "framework/module.h"
#include "res/resource.h"

namespace {

constexpr int kAboutWidth = 300;
constexpr int kAboutHeight = 90;
constexpr int kVersionParts = 4;

} // namespace

CAboutDlg::CAboutDlg() : CTrayDialog(IDD_ABOUTBOX, nullptr) {
    SetSkin({IDB_DIALOG_BACK, SkinLayout::FitChildren, &LoadArtBitmap});
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CTrayDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VERSION, m_stVersion);
    DDX_Control(pDX, IDC_ABOUT_TITLE, m_stTitle);
    DDX_Control(pDX, IDC_ABOUT_NOTICE, m_stNotice);
}

BOOL CAboutDlg::OnInitDialog() {
    CTrayDialog::OnInitDialog();
    CString strProductVersion;
    {
        auto pVersion = std::make_unique<CFileVersion>(AfxGetInstanceHandle(), nullptr, nullptr);
        strProductVersion = pVersion->m_strProductVersion;
    }
    m_stVersion.SetWindowText(VersionText(strProductVersion));
    // Only the size changes, so the dialog is still centred; the 110-pixel background is
    // squeezed into the 90 pixels.
    m_skin.FitToSkinSize(CSize(kAboutWidth, kAboutHeight));
    return TRUE;
}

void CAboutDlg::SplitString(const CString& strText, const CString& strDelimiter,
                            CStringArray& arrPieces) {
    if (strDelimiter.IsEmpty() || strText.Find(strDelimiter) < 0) {
        arrPieces.Add(strText);
        return;
    }
    CString strRest = strText;
    while (!strRest.IsEmpty()) {
        int nAt = strRest.Find(strDelimiter);
        if (nAt < 0) {
            arrPieces.Add(strRest);
            return;
        }
        if (nAt > 0)
            arrPieces.Add(strRest.Left(nAt));
        strRest = strRest.Mid(nAt + strDelimiter.GetLength());
    }
}

CString CAboutDlg::VersionText(const CString& strCommaVersion) {
    CStringArray arrParts;
    SplitString(strCommaVersion, L",", arrParts);
    CString strText = L"V";
    for (int i = 0; i < arrParts.GetSize(); ++i) {
        strText += arrParts[i];
        if (i < kVersionParts - 1)
            strText += L".";
    }
    return strText;
}
