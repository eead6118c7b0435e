// The About box's version text and the two skinned dialogs run in this process, over the
// program's own resources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/about_dlg.h"
#include "app/program_path_dlg.h"
#include "framework/winapp.h"
#include "hotkey_version.h"
#include "res/resource.h"

namespace {

std::vector<std::wstring> Split(const wchar_t* text, const wchar_t* delimiter) {
    CStringArray pieces;
    CAboutDlg::SplitString(text, delimiter, pieces);
    std::vector<std::wstring> result;
    for (int i = 0; i < pieces.GetSize(); ++i)
        result.push_back(pieces[i].GetString());
    return result;
}

TEST(AboutText, SplitDropsEmptyPiecesButKeepsAWholeTextWithoutDelimiter) {
    struct Case {
        const wchar_t* text;
        std::vector<std::wstring> pieces;
    };
    const Case cases[] = {
        {L"a,,b,", {L"a", L"b"}},
        {L",a", {L"a"}},
        {L"abc", {L"abc"}},
        {L"", {L""}},
        {L",", {}},
        {L"1,0,0,1", {L"1", L"0", L"0", L"1"}},
        {L"x,y", {L"x", L"y"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Split(c.text, L","), c.pieces) << c.text;
    // A delimiter of several characters; an empty one never matches (and never loops).
    EXPECT_EQ(Split(L"a::b", L"::"), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(Split(L"a,b", L""), (std::vector<std::wstring>{L"a,b"}));
}

TEST(AboutText, VersionLineJoinsTheFourNumbersWithFullStops) {
    struct Case {
        const wchar_t* version;
        const wchar_t* line;
    };
    const Case cases[] = {
        {L"2,15,0,4", L"V2.15.0.4"},
        {L"1,0,0,0", L"V1.0.0.0"},
        {L"65535,0,1,2", L"V65535.0.1.2"},
        {L"", L"V."}, // no version resource
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.line), CAboutDlg::VersionText(c.version)) << c.version;
}

// Opens the dialog, and once it has placed itself reads its size and the given control's
// text, then closes it.
template <class TDialog> class CMeasured : public TDialog {
public:
    explicit CMeasured(int nIDText) : m_nIDText(nIDText) {}
    CRect m_rcWindow;
    CString m_strText;

protected:
    BOOL OnInitDialog() override {
        BOOL result = TDialog::OnInitDialog();
        this->SetTimer(kMeasureTimer, 10);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == kMeasureTimer) {
            this->KillTimer(kMeasureTimer);
            this->GetWindowRect(&m_rcWindow);
            if (CWnd* pText = this->GetDlgItem(m_nIDText))
                pText->GetWindowText(m_strText);
            this->EndDialog(IDCANCEL);
            return 0;
        }
        return TDialog::WindowProc(message, wParam, lParam);
    }

private:
    static constexpr UINT_PTR kMeasureTimer = 77;
    int m_nIDText;
};

#define HOTKEY_TEXT_(x) L## #x
#define HOTKEY_TEXT(x) HOTKEY_TEXT_(x)

TEST(SkinnedDialogs, TakeTheirFixedPixelSizesCentredAndTheAboutBoxShowsTheBuildVersion) {
    CMeasured<CAboutDlg> about(IDC_VERSION);
    about.DoModal();
    EXPECT_EQ(about.m_rcWindow.Size(), CSize(300, 90));
    CString expected = CString(L"V") + HOTKEY_TEXT(HOTKEY_VERSION_MAJOR) + L"." +
                       HOTKEY_TEXT(HOTKEY_VERSION_MINOR) + L"." +
                       HOTKEY_TEXT(HOTKEY_VERSION_PATCH) + L"." + HOTKEY_TEXT(HOTKEY_VERSION_TWEAK);
    EXPECT_EQ(about.m_strText, expected);

    CMeasured<CProgramPathDlg> path(IDC_PATH_KEY);
    path.SetEntry(nullptr, L" Web", L"C:\\web.exe", 1);
    path.DoModal();
    EXPECT_EQ(path.m_rcWindow.Size(), CSize(300, 110));
    EXPECT_EQ(path.m_strText, CString(L" Web"));
    EXPECT_EQ(path.GetRow(), 1);

    // With no owner shown, both are centred on the screen's work area.
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    for (const CRect& rc : {about.m_rcWindow, path.m_rcWindow}) {
        EXPECT_NEAR(rc.CenterPoint().x, CRect(area).CenterPoint().x, 1);
        EXPECT_NEAR(rc.CenterPoint().y, CRect(area).CenterPoint().y, 1);
    }
}

} // namespace
