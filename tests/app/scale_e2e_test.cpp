// The running program at the display scales of most laptops, as the user sees it: the form's
// and the dialogs' sizes and places, the skin drawn for the scale rather than stretched, and a
// move to a monitor of another scale. Each scale runs in child runs of the test programs under
// a prefix whose LogPixels gives that scale; the default run checks 96 DPI.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/messages.h"
#include "res/resource.h"
#include "tests/support/desktop.h"
#include "tests/support/form_driver.h"
#include "tests/support/form_process.h"
#include "tests/support/temp_folder.h"

// Rectangles in failure messages; found by argument lookup, so beside CRect.
void PrintTo(const CRect& rc, std::ostream* os) {
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}

namespace {

constexpr COLORREF kSkinFrame = RGB(16, 33, 52); // FRAME of res/make_art.py

UINT ScreenDpi() {
    HDC hdc = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(hdc, LOGPIXELSY);
    ::ReleaseDC(nullptr, hdc);
    return static_cast<UINT>(dpi);
}

// A length of the 96-DPI layout at dpi, rounded as the program rounds it.
int At(int n, UINT dpi) { return ::MulDiv(n, static_cast<int>(dpi), 96); }

CRect Scaled(int x, int y, int cx, int cy, UINT dpi) {
    return CRect(CPoint(At(x, dpi), At(y, dpi)), CSize(At(cx, dpi), At(cy, dpi)));
}

// A control's rectangle from its captionless, borderless window's top-left corner.
CRect PlaceIn(HWND hWindow, int nID) {
    CRect rc = ScreenRect(::GetDlgItem(hWindow, nID));
    CRect window = ScreenRect(hWindow);
    rc.OffsetRect(-window.left, -window.top);
    return rc;
}

// The skin's left frame has the frame colour over its whole width at dpi (one pixel at 96),
// and the next pixel is the body's own colour: a 96-DPI skin stretched to the size would blend
// the two there.
bool SkinEdgeIsSharp(HWND hForm, UINT dpi) {
    CRect rc = ScreenRect(hForm);
    int y = rc.CenterPoint().y;
    int nFrame = At(1, dpi);
    for (int x = 0; x < nFrame; ++x)
        if (ScreenPixel(CPoint(rc.left + x, y)) != kSkinFrame)
            return false;
    COLORREF crBody = ScreenPixel(CPoint(rc.left + nFrame, y));
    return crBody != kSkinFrame && crBody == ScreenPixel(CPoint(rc.left + nFrame + 4, y));
}

void ExpectFormLaidOutFor(HWND hForm, UINT dpi) {
    EXPECT_EQ(ScreenRect(hForm).Size(), CSize(At(500, dpi), At(360, dpi)));
    EXPECT_EQ(PlaceIn(hForm, IDC_KEYLIST), Scaled(20, 70, 455, 270, dpi));
    EXPECT_EQ(PlaceIn(hForm, IDC_MINIMIZE), Scaled(455, 7, 14, 14, dpi));
    EXPECT_EQ(PlaceIn(hForm, IDOK), Scaled(475, 7, 14, 14, dpi));
    EXPECT_TRUE(WaitFor([&] { return SkinEdgeIsSharp(hForm, dpi); }, 3000));
}

void ExpectDialogWithEveryControlInside(HWND hDialog, CSize size) {
    CRect rc = ScreenRect(hDialog);
    EXPECT_EQ(rc.Size(), size);
    for (HWND h = ::GetWindow(hDialog, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CRect inside;
        inside.IntersectRect(ScreenRect(h), rc);
        EXPECT_EQ(inside, ScreenRect(h)) << "control " << ::GetDlgCtrlID(h);
    }
}

class DisplayScaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForNoForm(5000)) << "a form from an earlier test still runs";
        // A child run checks that the prefix gave it the scale it was started for.
        if (const char* expected = std::getenv("HOTKEY_SCALE_DPI")) {
            ASSERT_EQ(ScreenDpi(), static_cast<UINT>(std::atoi(expected)));
        }
        m_form.WriteSetting(L"S2", L"DisplayName", L"Mail");
        m_form.WriteSetting(L"S2", L"DefaultPath", L"mail.exe");
        ASSERT_TRUE(m_form.Start());
        m_hForm = m_form.FindForm();
        ASSERT_TRUE(ShowForm(m_hForm));
    }

    TempFolder m_dir;
    FormProcess m_form{m_dir.Path()};
    HWND m_hForm = nullptr;
};

TEST_F(DisplayScaleTest, FormAndDialogsTakeTheirSizesPlacesAndSkinsForTheScreensDpi) {
    UINT dpi = ScreenDpi();
    SCOPED_TRACE(dpi);
    ExpectFormLaidOutFor(m_hForm, dpi);
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR(ScreenRect(m_hForm).CenterPoint().x, CRect(area).CenterPoint().x, 1);
    EXPECT_NEAR(ScreenRect(m_hForm).CenterPoint().y, CRect(area).CenterPoint().y, 1);

    HWND hPath = OpenRow(m_form.ProcessId(), m_hForm, 0);
    ASSERT_NE(hPath, nullptr);
    ExpectDialogWithEveryControlInside(hPath, CSize(At(300, dpi), At(230, dpi)));
    ASSERT_TRUE(CancelAndWait(hPath));

    ::PostMessageW(m_hForm, WM_COMMAND, ID_TRAY_ABOUT, 0);
    HWND hAbout = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (hAbout = FindDialog(m_form.ProcessId(), m_hForm)) != nullptr; }));
    ExpectDialogWithEveryControlInside(hAbout, CSize(At(300, dpi), At(90, dpi)));
    ::PostMessageW(hAbout, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(hAbout); }));
}

TEST_F(DisplayScaleTest, MoveToAMonitorOfAnotherScaleLaysTheFormOutAgainWhereSuggested) {
    const UINT home = ScreenDpi();
    HWND hList = ::GetDlgItem(m_hForm, IDC_KEYLIST);
    const int nRowAtHome = RemoteListItemRect(hList, 0).Height();
    const struct {
        UINT dpi;
        CRect rcSuggested;
    } moves[] = {
        {home * 3 / 2, CRect(CPoint(40, 30), CSize(At(500, home * 3 / 2), At(360, home * 3 / 2)))},
        {home, CRect(CPoint(60, 50), CSize(At(500, home), At(360, home)))}, // and back
    };
    for (const auto& move : moves) {
        SCOPED_TRACE(move.dpi);
        SendDpiChanged(m_hForm, move.dpi, move.rcSuggested);
        EXPECT_EQ(ScreenRect(m_hForm), move.rcSuggested);
        ExpectFormLaidOutFor(m_hForm, move.dpi);
        // The rows follow the dialog font made for the new DPI.
        double nRowAtHomeDpi = RemoteListItemRect(hList, 0).Height() * double(home) / move.dpi;
        EXPECT_NEAR(nRowAtHomeDpi, nRowAtHome, 2.0);
    }
}

// The user's display scale as the prefix hands it to each program started meanwhile: Wine
// reads the user's LogPixels, before the machine's, as a program starts.
class LogPixels {
public:
    explicit LogPixels(DWORD dpi) {
        DWORD bytes = sizeof(m_dwOld);
        m_bHadOld = ::RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr,
                                   &m_dwOld, &bytes) == ERROR_SUCCESS;
        Set(dpi);
    }
    ~LogPixels() {
        m_bHadOld ? Set(m_dwOld) : (void)::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
    }
    LogPixels(const LogPixels&) = delete;
    LogPixels& operator=(const LogPixels&) = delete;

private:
    static constexpr const wchar_t* kKey = L"Control Panel\\Desktop";
    static constexpr const wchar_t* kValue = L"LogPixels";
    void Set(DWORD dpi) const {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &dpi, sizeof(dpi));
    }
    DWORD m_dwOld = 0;
    bool m_bHadOld = false;
};

// 125, 150 and 200 %: the form and its dialogs as above, the dialogs' fit of their template
// controls into the skin and of every language's texts into their controls (dialogs_tests);
// the whole road of an edit once, at 150 %.
TEST(DisplayScale, LaptopScalesEachInChildRuns) {
    const struct {
        DWORD dpi;
        const wchar_t* e2eFilter;
    } scales[] = {
        {120, L"DisplayScaleTest.FormAndDialogs*"},
        {144, L"DisplayScaleTest.FormAndDialogs*:EditRoadTest.ChosenProgram*"},
        {192, L"DisplayScaleTest.FormAndDialogs*"},
    };
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    for (const auto& scale : scales) {
        SCOPED_TRACE(scale.dpi);
        LogPixels logPixels(scale.dpi);
        ::SetEnvironmentVariableW(L"HOTKEY_SCALE_DPI", std::to_wstring(scale.dpi).c_str());
        const CString runs[] = {
            CString(L"\"") + self + L"\" --gtest_filter=" + scale.e2eFilter,
            L"\"" + BinDir() +
                L"\\dialogs_tests.exe\" --gtest_filter=SkinnedDialogs.*:SkinLayout.ControlsStay*:"
                L"SkinLayout.EveryLanguages*",
        };
        for (const CString& run : runs) {
            std::string output;
            EXPECT_EQ(RunAndWait(run, &output, 100000), 0) << output;
            EXPECT_EQ(output.find("[  PASSED  ] 0 tests"), std::string::npos) << output;
        }
        ::SetEnvironmentVariableW(L"HOTKEY_SCALE_DPI", nullptr);
    }
}

} // namespace
