// CAboutDlg: the captionless About box with the product's name, its version and a notice
// over the shared dialog background.
#pragma once

#include "framework/tray_dialog.h"
#include "controls/skin/transparent_static.h"

class CAboutDlg : public CTrayDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;

    // Appends the non-empty pieces of the text between delimiters; a text without the
    // delimiter is one piece, even when it is empty.
    static void SplitString(const CString& strText, const CString& strDelimiter,
                            CStringArray& arrPieces);
    // "V" and the numbers of a comma-separated version, each but the fourth and later
    // followed by a full stop: "1,0,0,1" reads "V1.0.0.1".
    static CString VersionText(const CString& strCommaVersion);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // Data members
    CTransparentStatic m_stVersion;
    CTransparentStatic m_stTitle;
    CTransparentStatic m_stNotice;
};
