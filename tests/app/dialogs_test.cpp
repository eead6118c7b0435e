// The About box's version text and the two skinned dialogs run in this process, over the
// program's own resources; their layout also in a second run under a wider dialog font.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/form/about_dlg.h"
#include "app/form/hotkey_form.h"
#include "app/form/program_path_dlg.h"
#include "app/form/skin_art.h"
#include "framework/window_skin.h"
#include "tests/support/form_driver.h"
#include "tests/support/form_process.h"
#include "tests/support/high_contrast.h"
#include "tests/support/pixels.h"
#include "framework/dpi.h"
#include "framework/resource_language.h"
#include "framework/winapp.h"
#include "hotkey_version.h"
#include "res/resource.h"
#include "tests/framework/tray_shell_model.h"

// Rectangles in failure messages; found by argument lookup, so beside CRect.
void PrintTo(const CRect& rc, std::ostream* os) {
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}

namespace {

struct Placed {
    int id;
    CRect rc; // client coordinates
    bool bShown = true;
};

// The dialog's controls in their tab order.
std::vector<Placed> Controls(HWND hDialog) {
    std::vector<Placed> controls;
    for (HWND h = ::GetWindow(hDialog, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CRect rc;
        ::GetWindowRect(h, &rc);
        ::MapWindowPoints(nullptr, hDialog, reinterpret_cast<POINT*>(&rc), 2);
        controls.push_back({::GetDlgCtrlID(h), rc, ::IsWindowVisible(h) != FALSE});
    }
    return controls;
}

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

// What a screen reader announces for the window, through the platform's accessibility entry.
std::string AccessibleName(HWND hWnd) {
    IAccessible* pAcc = nullptr;
    BSTR name = nullptr;
    VARIANT self{};
    self.vt = VT_I4; // and lVal CHILDID_SELF
    if (SUCCEEDED(::AccessibleObjectFromWindow(hWnd, OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&pAcc)))) {
        pAcc->get_accName(self, &name);
        pAcc->Release();
    }
    std::string strName = Utf8(name ? name : L"");
    ::SysFreeString(name);
    return strName;
}

// Opens the dialog, and once it has placed itself runs the script if there is one, reads its
// size and the given control's text, then closes it.
template <class TDialog> class CMeasured : public TDialog {
public:
    explicit CMeasured(int nIDText) : m_nIDText(nIDText) {}
    CRect m_rcWindow;
    CRect m_rcClient;
    CString m_strText;
    std::vector<Placed> m_controls;
    bool m_bFolderButtonHit = false; // where the tests click to browse
    std::function<void(TDialog&)> m_script;

protected:
    BOOL OnInitDialog() override {
        BOOL result = TDialog::OnInitDialog();
        this->SetTimer(kMeasureTimer, 10);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == kMeasureTimer) {
            this->KillTimer(kMeasureTimer);
            if (m_script)
                m_script(*this);
            this->GetWindowRect(&m_rcWindow);
            this->GetClientRect(&m_rcClient);
            m_controls = Controls(this->m_hWnd);
            if (HWND hBrowse = ::GetDlgItem(this->m_hWnd, IDC_PATH_BROWSE)) {
                CRect rc;
                ::GetWindowRect(hBrowse, &rc);
                CPoint folder(rc.right - rc.Height() / 2, rc.CenterPoint().y);
                // Among the dialog's own controls, not on the screen: a busy machine may not
                // have shown the dialog yet when the timer comes.
                ::ScreenToClient(this->m_hWnd, &folder);
                m_bFolderButtonHit =
                    ::ChildWindowFromPointEx(this->m_hWnd, folder, CWP_SKIPINVISIBLE) == hBrowse;
            }
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

// The sizes are 96-DPI pixels at the screen's DPI; the display scales run this again.
TEST(SkinnedDialogs, TakeTheirFixedPixelSizesCentredAndTheAboutBoxShowsTheBuildVersion) {
    const UINT dpi = GetSystemDpi();
    CMeasured<CAboutDlg> about(IDC_VERSION);
    about.DoModal();
    EXPECT_EQ(about.m_rcWindow.Size(), CSize(ScaleToDpi(300, dpi), ScaleToDpi(90, dpi)));
    CString expected = CString(L"V") + HOTKEY_TEXT(HOTKEY_VERSION_MAJOR) + L"." +
                       HOTKEY_TEXT(HOTKEY_VERSION_MINOR) + L"." +
                       HOTKEY_TEXT(HOTKEY_VERSION_PATCH) + L"." + HOTKEY_TEXT(HOTKEY_VERSION_TWEAK);
    EXPECT_EQ(about.m_strText, expected);

    CMeasured<CProgramPathDlg> path(IDC_PATH_KEY);
    path.SetEntry(nullptr, L" Web", KEYSLOT(L"Web", L"C:\\web.exe"));
    path.DoModal();
    EXPECT_EQ(path.m_rcWindow.Size(), CSize(ScaleToDpi(300, dpi), ScaleToDpi(230, dpi)));
    EXPECT_EQ(path.m_strText, CString(L" Web"));

    // With no owner shown, both are centred on the screen's work area.
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    for (const CRect& rc : {about.m_rcWindow, path.m_rcWindow}) {
        EXPECT_NEAR(rc.CenterPoint().x, CRect(area).CenterPoint().x, 1);
        EXPECT_NEAR(rc.CenterPoint().y, CRect(area).CenterPoint().y, 1);
    }
}

// Window texts, and a field's label before it, are what Wine's accessibility objects read.
TEST(SkinnedDialogs, EveryControlAUserReachesHasAName) {
    ASSERT_TRUE(CHotkeyFormDlg::RegisterWindowClass());
    std::vector<std::string> names;
    auto nameOf = [&](HWND hDialog, int nID, int nChildID = 0) {
        HWND hControl = ::GetDlgItem(hDialog, nID);
        names.push_back(AccessibleName(nChildID ? ::GetDlgItem(hControl, nChildID) : hControl));
    };
    CMeasured<CHotkeyFormDlg> form(0);
    form.m_script = [&](CHotkeyFormDlg& f) {
        for (int nID : {IDC_KEYLIST, IDC_MINIMIZE, IDOK})
            nameOf(f.m_hWnd, nID);
    };
    form.DoModal();
    CMeasured<CProgramPathDlg> path(IDC_PATH_KEY);
    path.SetOwnEntry(nullptr, KEYSLOT(L"Web", L"C:\\web.exe"));
    path.m_script = [&](CProgramPathDlg& d) {
        nameOf(d.m_hWnd, IDC_PATH_NAME);
        nameOf(d.m_hWnd, IDC_PATH_BROWSE, CBrowseButton::kEditId);
        nameOf(d.m_hWnd, IDC_PATH_BROWSE);
        for (int nID : {IDC_PATH_HOTKEY, IDC_PATH_HOTKEY_CLEAR})
            nameOf(d.m_hWnd, nID);
        nameOf(d.m_hWnd, IDC_PATH_STARTIN, CBrowseButton::kEditId);
        // The two lists are named by the labels before them on Windows; Wine's accessibility
        // reads a list's choice instead, so they are left out here.
        for (int nID : {IDC_PATH_ADMIN, IDOK, IDCANCEL})
            nameOf(d.m_hWnd, nID);
    };
    path.DoModal();
    EXPECT_EQ(names, (std::vector<std::string>{"Fn hotkeys", "Minimize", "Close", "Name",
                                               "Program Path", "Browse", "Key combination", "Clear",
                                               "Start in", "As administrator", "Apply", "Cancel"}));
}

// Rights and the running copy are a program's: offered while the path names one, as typed.
TEST(SkinnedDialogs, ThePathDialogOffersRightsAndTheRunningCopyOnlyForAProgram) {
    std::vector<std::pair<bool, bool>> offered;
    CMeasured<CProgramPathDlg> path(IDC_PATH_KEY);
    path.SetEntry(nullptr, L"S2", KEYSLOT(L"S2", L"https://example.com/"));
    path.m_script = [&](CProgramPathDlg& d) {
        auto note = [&] {
            offered.emplace_back(::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_PATH_ADMIN)),
                                 ::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_PATH_IFRUNNING)));
        };
        note();
        HWND hField = ::GetDlgItem(::GetDlgItem(d.m_hWnd, IDC_PATH_BROWSE), CBrowseButton::kEditId);
        for (const wchar_t* typed : {L"C:\\web.exe", L"C:\\"}) {
            ::SetWindowTextW(hField, typed);
            note();
        }
    };
    path.DoModal();
    EXPECT_EQ(offered,
              (std::vector<std::pair<bool, bool>>{{false, false}, {true, true}, {false, false}}));
}

// The texts of the program's warning boxes this thread opened, each closed as it came.
std::vector<std::string> g_warnings;
LRESULT CALLBACK CloseWarning(int nCode, WPARAM wParam, LPARAM lParam) {
    auto hBox = reinterpret_cast<HWND>(wParam);
    if (nCode == HCBT_ACTIVATE && TextOf(hBox) == L"KESTO Hotkey") {
        g_warnings.push_back(Utf8(TextOf(::GetDlgItem(hBox, kMessageBoxTextId))));
        ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

TEST(KeyCombinationField, ARefusedKeyHeldDownWarnsOnce) {
    CMeasured<CProgramPathDlg> path(IDC_PATH_HOTKEY);
    path.SetEntry(nullptr, L"S2", KEYSLOT(L"S2", L"C:\\web.exe"));
    path.m_script = [](CProgramPathDlg& d) {
        BYTE keys[256] = {}, ctrl[256] = {};
        ::GetKeyboardState(keys);
        ctrl[VK_CONTROL] = 0x80;
        ::SetKeyboardState(ctrl);
        HHOOK hHook = ::SetWindowsHookExW(WH_CBT, &CloseWarning, nullptr, ::GetCurrentThreadId());
        for (LPARAM lParam : {1, 1 | 1 << 30, 1 | 1 << 30}) { // Ctrl+C, then two of C's repeats
            MSG msg{::GetDlgItem(d.m_hWnd, IDC_PATH_HOTKEY), WM_KEYDOWN, 'C', lParam, 0, {}};
            AfxPreTranslateMessage(&msg, d.m_hWnd);
        }
        ::UnhookWindowsHookEx(hHook);
        ::SetKeyboardState(keys);
    };
    path.DoModal();
    EXPECT_EQ(g_warnings,
              std::vector<std::string>{
                  "Ctrl+C cannot be used as a key combination.\n\nEvery program uses Ctrl+C."});
}

// A control's place in its dialog's client area.
CRect ChildRect(HWND hDialog, int nID) {
    CRect rc;
    ::GetWindowRect(::GetDlgItem(hDialog, nID), &rc);
    ::MapWindowPoints(nullptr, hDialog, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// High Contrast turned off and on while the windows are shown: each is drawn again at once, in
// the system's pairs and none of the artwork's colours (the skin, the rows' and list's colour,
// the header's blue, the folder's yellow, the caption buttons' bitmaps), or in its artwork.
TEST(SkinnedHighContrast, TheFormAndThePathDialogFollowItWhileShown) {
    ASSERT_TRUE(CHotkeyFormDlg::RegisterWindowClass());
    constexpr COLORREF kHeaderBlue = RGB(0, 0, 255), kFolderYellow = RGB(255, 255, 0);
    test::CPixels px(800, 600); // larger than either window at 96 DPI
    CMeasured<CHotkeyFormDlg> form(0);
    form.m_script = [&](CHotkeyFormDlg& f) {
        f.SendMessage(WM_SHOW_FORM);
        test::CHighContrastScheme scheme;
        for (bool bOn : {false, true}) {
            SCOPED_TRACE(bOn ? "on" : "off");
            AfxPretendHighContrast(bOn ? HighContrastAnswer::On : HighContrastAnswer::Off);
            px.CopyFromWindow(f);
            CRect list = ChildRect(f, IDC_KEYLIST);
            EXPECT_EQ(px.At(2, 2) == test::kContrastWindow, bOn);
            EXPECT_EQ(px.Count(CHotkeyFormDlg::kRowBackColor, list) == 0, bOn);
            EXPECT_EQ(px.Count(kHeaderBlue, list) == 0, bOn);
            EXPECT_EQ(px.Count(test::kContrastBtnFace, ChildRect(f, IDOK)) > 0, bOn);
        }
    };
    form.DoModal();

    CMeasured<CProgramPathDlg> path(IDC_PATH_KEY);
    path.SetEntry(nullptr, L"S2", KEYSLOT(L"S2", L"C:\\web.exe"));
    path.m_script = [&](CProgramPathDlg& d) {
        d.ShowWindow(SW_SHOW);
        test::CHighContrastScheme scheme;
        px.CopyFromWindow(d);
        CRect browse = ChildRect(d, IDC_PATH_BROWSE);
        EXPECT_EQ(px.At(2, 2), test::kContrastWindow);
        EXPECT_GT(px.Count(test::kContrastWindowText, ChildRect(d, IDC_PATH_LABEL)), 0);
        EXPECT_GT(px.Count(test::kContrastBtnText, browse), 0);
        EXPECT_EQ(px.Count(kFolderYellow, browse), 0);
    };
    path.DoModal();
}

// A DPI takes the drawing at or just above its scale, the largest above 200 %, and gets the
// bitmap at its own size: 500 by 360 at 175 % is 875 by 630, from the 200 % drawing.
TEST(SkinArt, EachDpiTakesTheNearestDrawingAtOrAboveItsScaleAtItsOwnSize) {
    const struct {
        UINT dpi;
        int nDrawnPercent;
    } cases[] = {{96, 100},  {100, 125}, {120, 125}, {121, 150},
                 {144, 150}, {168, 200}, {192, 200}, {240, 200}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        EXPECT_EQ(ArtScaleForDpi(c.dpi).nPercent, c.nDrawnPercent);
        CBitmap bitmap;
        ASSERT_TRUE(LoadArtBitmap(bitmap, IDB_FORM_BACK, c.dpi));
        BITMAP bm{};
        bitmap.GetBitmap(&bm);
        EXPECT_EQ(CSize(bm.bmWidth, bm.bmHeight),
                  CSize(ScaleToDpi(500, c.dpi), ScaleToDpi(360, c.dpi)));
    }
}

TEST(SkinLayout, MappedEdgesKeepRectanglesInsideInOrderAndApart) {
    EXPECT_EQ(MapRectOnto({94, 32, 336, 55}, {0, 0, 360, 111}, {0, 0, 300, 110}),
              CRect(78, 32, 280, 55));
    EXPECT_EQ(MapRectOnto({4, 4, 16, 16}, {0, 0, 20, 20}, {100, 200, 110, 210}),
              CRect(102, 202, 108, 208));
    // Neighbours that touch stay apart and inside at every scale, whatever the rounding.
    const CRect from(0, 0, 400, 10);
    for (int width = 40; width <= 400; ++width)
        for (int edge = 1; edge < 400; edge += 3) {
            CRect to(0, 0, width, 10);
            CRect a = MapRectOnto({0, 0, edge, 10}, from, to);
            CRect b = MapRectOnto({edge, 0, 400, 10}, from, to);
            ASSERT_TRUE(a.left == 0 && a.right <= b.left && b.right == width)
                << width << " " << edge;
        }
}

// The template's own layout in this process's dialog font, without the class's set-up.
std::vector<Placed> TemplateLayout(UINT nIDTemplate, CRect* pUnits) {
    HWND h = ::CreateDialogParamW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nIDTemplate), nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    *pUnits = CRect(0, 0, 4, 8);
    ::MapDialogRect(h, pUnits);
    std::vector<Placed> controls = Controls(h);
    ::DestroyWindow(h);
    return controls;
}

// Inside the client area, apart, in the template's tab order, and each pair still in the
// order across and down that the template gave it.
void ExpectFitted(UINT nIDTemplate, const std::vector<Placed>& shown, const CRect& rcClient) {
    CRect units, used;
    std::vector<Placed> tmpl = TemplateLayout(nIDTemplate, &units);
    SCOPED_TRACE(testing::Message() << "dialog " << nIDTemplate << ", dialog units " << units.right
                                    << " x " << units.bottom);
    ASSERT_EQ(tmpl.size(), shown.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        ASSERT_EQ(tmpl[i].id, shown[i].id);
        used.UnionRect(used, tmpl[i].rc);
        CRect inside;
        inside.IntersectRect(shown[i].rc, rcClient);
        EXPECT_EQ(inside, shown[i].rc) << "control " << shown[i].id;
        for (size_t j = 0; j < shown.size(); ++j) {
            const CRect &a = tmpl[i].rc, &b = tmpl[j].rc, &sa = shown[i].rc, &sb = shown[j].rc;
            SCOPED_TRACE(testing::Message() << "controls " << shown[i].id << ", " << shown[j].id);
            // A hidden control may share its place with the one shown instead.
            bool bBothShown = shown[i].bShown && shown[j].bShown;
            EXPECT_TRUE(i == j || !bBothShown || !CRect().IntersectRect(sa, sb));
            EXPECT_TRUE(a.right > b.left || sa.right <= sb.left);
            EXPECT_TRUE(a.bottom > b.top || sa.bottom <= sb.top);
        }
    }
    // Under the wide font the template overflows the skin, so the fitting is what is tried.
    if (nIDTemplate == IDD_PROGRAMPATH && std::getenv("HOTKEY_WIDE_DIALOG_FONT")) {
        EXPECT_GT(used.right, rcClient.right);
    }
}

TEST(SkinLayout, ControlsStayInsideApartAndInTheTemplatesOrder) {
    CMeasured<CAboutDlg> about(IDC_VERSION);
    about.DoModal();
    ExpectFitted(IDD_ABOUTBOX, about.m_controls, about.m_rcClient);

    // A driver's key, named by its label, and an entry of the user's, with its name field.
    for (bool bOwn : {false, true}) {
        CMeasured<CProgramPathDlg> path(IDC_PATH_KEY);
        bOwn ? path.SetOwnEntry(nullptr, KEYSLOT(L"Mine", L"C:\\web.exe"))
             : path.SetEntry(nullptr, L"S2", KEYSLOT(L"S2", L"C:\\web.exe"));
        path.DoModal();
        ExpectFitted(IDD_PROGRAMPATH, path.m_controls, path.m_rcClient);
        EXPECT_TRUE(path.m_bFolderButtonHit);
    }
}

// Whether each text of the dialog fits its control, in the control's font: a label wraps at its
// blanks, any other text stays on one line beside the control's check box, drop arrow or edges.
// Returns the texts; adds the controls' ids to *pShape.
std::wstring ExpectTextsFit(HWND hDialog, std::wstring* pShape) {
    const UINT dpi = GetWindowDpi(hDialog);
    const int nEdges = GetSystemMetricForDpi(SM_CXEDGE, dpi) * 6;
    std::wstring shown;
    auto fits = [&](HWND h, const CString& text, int cx, int cy, bool bWraps) {
        CClientDC dc(CWnd::FromHandle(h));
        CSelectObject font(dc, reinterpret_cast<HFONT>(::SendMessageW(h, WM_GETFONT, 0, 0)));
        CRect rc(0, 0, cx, 0);
        dc.DrawText(text, &rc, DT_CALCRECT | DT_NOPREFIX | (bWraps ? DT_WORDBREAK : DT_SINGLELINE));
        std::wistringstream words(text.GetString());
        for (std::wstring word; words >> word;) {
            CRect rcWord;
            dc.DrawText(word.c_str(), &rcWord, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
            rc.right = std::max(rc.right, rcWord.right);
        }
        EXPECT_TRUE(rc.right <= cx && rc.bottom <= cy)
            << Utf8(text) << ": " << rc.Width() << " x " << rc.Height() << " in " << cx << " x "
            << cy;
        shown += text + L"|";
    };
    for (HWND h = ::GetWindow(hDialog, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        *pShape += std::to_wstring(::GetDlgCtrlID(h)) + L",";
        CRect rc;
        ::GetClientRect(h, &rc);
        wchar_t szClass[32] = {}, szItem[256] = {};
        ::GetClassNameW(h, szClass, 32);
        const std::wstring cls = szClass;
        const auto style = ::GetWindowLongPtrW(h, GWL_STYLE);
        const bool bCheckBox = cls == L"Button" && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
        if (cls == L"Static" && (style & SS_TYPEMASK) == SS_LEFT)
            fits(h, TextOf(h), rc.Width(), rc.Height(), true);
        else if (cls == L"Edit" || (cls == L"Button" && (style & BS_TYPEMASK) != BS_OWNERDRAW &&
                                    !::GetWindow(h, GW_CHILD))) // not a browse field's path
            fits(h, TextOf(h),
                 rc.Width() - (bCheckBox ? GetSystemMetricForDpi(SM_CXMENUCHECK, dpi) : 0) - nEdges,
                 rc.Height(), false);
        for (int i = 0; cls == L"ComboBox" && i < ::SendMessageW(h, CB_GETCOUNT, 0, 0); ++i) {
            ::SendMessageW(h, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(szItem));
            fits(h, szItem, rc.Width() - GetSystemMetricForDpi(SM_CXVSCROLL, dpi) - nEdges,
                 rc.Height(), false);
        }
        HWND hHeader = cls == WC_LISTVIEWW ? ListView_GetHeader(h) : nullptr;
        for (int i = 0; hHeader && i < Header_GetItemCount(hHeader); ++i) {
            HDITEMW item{};
            item.mask = HDI_TEXT | HDI_WIDTH;
            item.pszText = szItem;
            item.cchTextMax = 256;
            Header_GetItem(hHeader, i, &item);
            fits(hHeader, szItem, item.cxy - nEdges, rc.Height(), false);
        }
    }
    return shown;
}

// Every language's texts fit their controls in the form, the About box and the path dialog:
// here, and at each display scale in DisplayScale's child runs. Each language shows texts of
// its own, in the same controls and tray menu commands.
TEST(SkinLayout, EveryLanguagesTextsFitTheirControls) {
    ASSERT_TRUE(CHotkeyFormDlg::RegisterWindowClass());
    std::set<std::wstring> texts, shapes;
    for (LANGID language : ResourceLanguages(::GetModuleHandleW(nullptr), RT_DIALOG,
                                             MAKEINTRESOURCEW(IDD_PROGRAMPATH))) {
        SCOPED_TRACE(testing::Message() << "language " << std::hex << language);
        SetThreadResourceLanguage(language);
        std::wstring shown, shape;
        auto measure = [&](CDialog& d) { shown += ExpectTextsFit(d.m_hWnd, &shape); };
        CMeasured<CHotkeyFormDlg> form(0);
        CMeasured<CAboutDlg> about(0);
        CMeasured<CProgramPathDlg> path(0);
        form.m_script = measure;
        about.m_script = measure;
        path.m_script = measure;
        path.SetEntry(nullptr, L"S2", KEYSLOT(L"S2", L"C:\\web.exe"));
        for (CDialog* pDialog : std::initializer_list<CDialog*>{&form, &about, &path})
            pDialog->DoModal();
        for (UINT nIDMenu : {IDR_TRAYMENU, IDR_KEYLISTMENU}) {
            CMenu menu;
            menu.LoadMenu(nIDMenu);
            for (int i = 0; i < ::GetMenuItemCount(::GetSubMenu(menu, 0)); ++i)
                shape += std::to_wstring(::GetMenuItemID(::GetSubMenu(menu, 0), i)) + L",";
        }
        EXPECT_TRUE(texts.insert(shown).second) << "the texts of an earlier language";
        shapes.insert(shape);
    }
    SetThreadResourceLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    EXPECT_GE(texts.size(), 7u);
    EXPECT_EQ(shapes.size(), 1u) << "a language lacks a control or a menu command";
}

// Puts a face behind one name of the dialog font for the processes started meanwhile.
class FontSubstitute {
public:
    FontSubstitute(const wchar_t* name, const wchar_t* face) : m_name(name) {
        DWORD bytes = sizeof(m_szOld);
        if (::RegGetValueW(HKEY_LOCAL_MACHINE, kKey, name, RRF_RT_REG_SZ, nullptr, m_szOld,
                           &bytes) != ERROR_SUCCESS)
            m_szOld[0] = 0;
        Set(face);
    }
    ~FontSubstitute() {
        m_szOld[0] ? Set(m_szOld) : (void)::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kKey, m_name);
    }

private:
    static constexpr const wchar_t* kKey =
        L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes";
    void Set(const wchar_t* face) const {
        ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, m_name, REG_SZ, face,
                          static_cast<DWORD>((::lstrlenW(face) + 1) * sizeof(wchar_t)));
    }
    const wchar_t* m_name;
    wchar_t m_szOld[LF_FACESIZE] = {};
};

// Wine reads the font substitutes as a process starts, so the layout is checked again in a
// second run of this program, with DejaVu Sans, wider than Tahoma, as the dialog font.
TEST(SkinLayout, HoldsUnderAWiderDialogFont) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    FontSubstitute wide(L"MS Shell Dlg", L"DejaVu Sans"), wide2(L"MS Shell Dlg 2", L"DejaVu Sans");
    ::SetEnvironmentVariableW(L"HOTKEY_WIDE_DIALOG_FONT", L"1");
    std::string output;
    int code = RunAndWait(
        CString(L"\"") + self +
            L"\" --gtest_filter=SkinLayout.ControlsStayInsideApartAndInTheTemplatesOrder",
        &output, 60000);
    ::SetEnvironmentVariableW(L"HOTKEY_WIDE_DIALOG_FONT", nullptr);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

// The form in this process over a notification area that says no as a slow one does.
TEST(FormTray, ShowAndMinimizeFollowTheFormWhateverTheShellAnsweredOfTheIcon) {
    ASSERT_TRUE(CHotkeyFormDlg::RegisterWindowClass());
    TrayShellModel& shell = TrayShellModel::Get();
    CTrayDialog::s_pfnShellNotifyIcon = &TrayShellModel::Shell;
    struct Case {
        const char* name;
        int refusedAdds;
        bool lateAdd, refusedDelete;
    } cases[] = {
        {"icon refused at the start", 1000, false, false},
        {"refused icon arrived late", 1, true, false},
        {"delete refused", 0, false, true},
    };
    for (const Case& c : cases) {
        shell.Reset(c.refusedAdds, c.lateAdd, c.refusedDelete);
        CMeasured<CHotkeyFormDlg> form(0);
        form.m_script = [&](CHotkeyFormDlg& f) {
            EXPECT_FALSE(f.IsWindowVisible()) << c.name;
            f.SendMessage(WM_SHOW_FORM); // as a double click on the icon asks
            EXPECT_TRUE(f.IsWindowVisible()) << c.name;
            EXPECT_EQ(shell.bIconIn, c.refusedDelete) << c.name;
            shell.nRefusedAdds = 0;
            f.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MINIMIZE, BN_CLICKED),
                          reinterpret_cast<LPARAM>(::GetDlgItem(f.m_hWnd, IDC_MINIMIZE)));
            EXPECT_FALSE(f.IsWindowVisible()) << c.name;
            EXPECT_TRUE(shell.bIconIn) << c.name;
        };
        form.DoModal();
    }
    CTrayDialog::s_pfnShellNotifyIcon = &::Shell_NotifyIconW;
}

} // namespace
