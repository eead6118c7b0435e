// The main form end to end: the running program, the notification area and real input. The
// form starts hidden with its tray icon; the icon and the visible form alternate through every
// way between them; every way to end leaves no icon; the tray menu behaves as a menu should.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <utility>

#include "app/form/hotkey_form.h"
#include "tests/support/desktop.h"
#include "tests/support/form_driver.h"
#include "tests/support/form_process.h"
#include "hotkey_version.h"
#include "res/resource.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_finder.h"

namespace {

CPoint At(const CRect& rc, int dx, int dy) { return CPoint(rc.left + dx, rc.top + dy); }

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForNoForm(5000)) << "a form from an earlier test still runs";
        ASSERT_TRUE(WaitForTrayIcons(0)) << "an icon from an earlier test is still shown";
        m_form.WriteSetting(L"S2", L"DisplayName", L"Two");
        m_form.WriteSetting(L"S2", L"DefaultPath", L"\"" + ProbePath() + L"\" two");
    }

    HWND Form() const { return m_form.FindForm(); }
    CRect FormRect() const { return ScreenRect(Form()); }
    bool WaitVisible(bool visible) {
        return WaitFor([&] { return (::IsWindowVisible(Form()) != FALSE) == visible; });
    }
    HWND OpenTrayMenu() { return ::OpenTrayMenu(m_form.ProcessId()); }
    // Clicks the first or the last item of the open menu.
    static void ChooseItem(HWND menu, bool last) {
        CRect rc = ScreenRect(menu);
        Click(CPoint(rc.CenterPoint().x, last ? rc.bottom - 10 : rc.top + 10));
    }
    // A hotkey starts its program and changes neither the form nor the icon.
    void ExpectHotkeyLeavesStateAlone(const char* state) {
        bool visible = ::IsWindowVisible(Form()) != FALSE;
        size_t icons = TrayIcons().size();
        ASSERT_EQ(Fnkey(L"S2"), 0) << state;
        ++m_launches;
        EXPECT_EQ(m_log.WaitForLines(m_launches).size(), m_launches) << state;
        ::Sleep(200);
        EXPECT_EQ(::IsWindowVisible(Form()) != FALSE, visible) << state;
        EXPECT_EQ(TrayIcons().size(), icons) << state;
    }

    TempFolder m_dir;
    ProbeLog m_log{m_dir.Path() + L"\\probe.log"};
    FormProcess m_form{m_dir.Path()};
    size_t m_launches = 0;
};

TEST_F(FormTest, TrayIconAndFormAlternateThroughEveryWayBetweenThem) {
    // Watched from the moment the window exists until well after it has set itself up.
    ASSERT_TRUE(m_form.Launch());
    bool everVisible = false;
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 2500;)
        everVisible |= ::IsWindowVisible(Form()) != FALSE;
    EXPECT_FALSE(everVisible) << "the form showed itself during start-up";
    EXPECT_TRUE(WaitForTrayIcons(1));
    ExpectHotkeyLeavesStateAlone("starting hidden");

    struct Step {
        const char* name;
        std::function<void()> act;
        bool visible;
    } steps[] = {
        {"Show from the tray menu", [&] { ChooseItem(OpenTrayMenu(), false); }, true},
        {"Minimize button", [&] { Click(At(FormRect(), 455 + 7, 7 + 7)); }, false},
        {"double click on the icon", [&] { Click(TrayIcons().at(0).CenterPoint(), false, 2); },
         true},
        {"system minimize", [&] { ::PostMessageW(Form(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }, false},
        {"Show again", [&] { ChooseItem(OpenTrayMenu(), false); }, true},
    };
    for (const Step& step : steps) {
        step.act();
        ASSERT_TRUE(WaitVisible(step.visible)) << step.name;
        EXPECT_TRUE(WaitForTrayIcons(step.visible ? 0 : 1)) << step.name;
        EXPECT_FALSE(::IsIconic(Form())) << step.name;
        if (step.visible) {
            EXPECT_EQ(::GetForegroundWindow(), Form()) << step.name;
        }
        ExpectHotkeyLeavesStateAlone(step.name);
    }

    // Exit from the hidden state ends the program and takes the icon along.
    ::PostMessageW(Form(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitVisible(false));
    ChooseItem(OpenTrayMenu(), true);
    EXPECT_TRUE(m_form.WaitForExit(5000));
    EXPECT_TRUE(WaitForTrayIcons(0));
}

TEST_F(FormTest, EveryWayToCloseTheVisibleFormEndsTheProgramWithoutAnIcon) {
    struct Case {
        const char* name;
        std::function<void(HWND)> act;
    } cases[] = {
        {"Esc", [](HWND) { PressKey(VK_ESCAPE); }},
        {"Enter", [](HWND) { PressKey(VK_RETURN); }},
        // A bare Alt leaves no invisible menu behind to swallow the next key.
        {"Alt, then Esc",
         [](HWND) {
             PressKey(VK_MENU);
             PressKey(VK_ESCAPE);
         }},
        {"Close button", [](HWND form) { Click(At(ScreenRect(form), 475 + 7, 7 + 7)); }},
        {"system Close", [](HWND form) { ::PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Case& c : cases) {
        FormProcess form(m_dir.Path());
        ASSERT_TRUE(form.Start()) << c.name;
        ASSERT_TRUE(WaitForTrayIcons(1)) << c.name;
        ::PostMessageW(form.FindForm(), WM_SHOW_FORM, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(form.FindForm()) != FALSE; })) << c.name;
        c.act(form.FindForm());
        EXPECT_TRUE(form.WaitForExit(5000)) << c.name;
        EXPECT_TRUE(WaitForTrayIcons(0)) << c.name;
    }
}

TEST_F(FormTest, WhileHiddenEnterEscAndAltF4LeaveTheProgramRunning) {
    ASSERT_TRUE(m_form.Start());
    ASSERT_TRUE(WaitForTrayIcons(1));
    // Both leave the hidden form with the keyboard focus.
    struct Before {
        const char* name;
        std::function<void()> act;
    } befores[] = {
        {"a key that starts nothing", [] { Fnkey(L"--send 0x64"); }},
        {"the tray menu closed with Esc",
         [&] {
             ASSERT_TRUE(OpenTrayMenu());
             PressKey(VK_ESCAPE);
             ASSERT_TRUE(WaitForNoPopupMenu());
         }},
    };
    const std::pair<const char*, std::function<void()>> keys[] = {
        {"Esc", [] { PressKey(VK_ESCAPE); }},
        {"Enter", [] { PressKey(VK_RETURN); }},
        {"Alt+F4",
         [] {
             PressKeys({VK_MENU, VK_F4});
         }},
    };
    for (const Before& before : befores) {
        for (const auto& [name, press] : keys) {
            before.act();
            press();
            ::Sleep(300);
            ASSERT_TRUE(m_form.IsRunning()) << name << " after " << before.name;
            EXPECT_EQ(TrayIcons().size(), 1u) << name << " after " << before.name;
        }
    }
}

TEST_F(FormTest, TrayMenuOpensOnEachRightPressAndClosesOnAClickAway) {
    ASSERT_TRUE(m_form.Start());
    ASSERT_TRUE(WaitForTrayIcons(1));
    for (int opening = 0; opening < 2; ++opening) {
        ASSERT_TRUE(OpenTrayMenu()) << opening;
        Click(CPoint(900, 900));
        ASSERT_TRUE(WaitForNoPopupMenu()) << "the menu stayed open after a click elsewhere";
        EXPECT_FALSE(::IsWindowVisible(Form()));
    }
}

TEST_F(FormTest, ShownFormIsCentredWithTheAssignedRowsAndMovesOnlyByItsBackground) {
    // S2 and S5 assigned, S3 and S4 not.
    m_form.WriteSetting(L"S5", L"DisplayName", L"Five");
    m_form.WriteSetting(L"S5", L"DefaultPath", L"C:\\five.exe");
    ASSERT_TRUE(m_form.Start());
    HWND list = ::GetDlgItem(Form(), 1000);
    // The hidden form lists no rows: they come with its first show.
    EXPECT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);

    ::PostMessageW(Form(), WM_SHOW_FORM, 0, 0);
    ASSERT_TRUE(WaitVisible(true));
    ASSERT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(Utf8(RemoteListItemText(list, 0, 0)), " Two");
    EXPECT_EQ(Utf8(RemoteListItemText(list, 1, 0)), " Five");
    EXPECT_EQ(Utf8(RemoteListItemText(list, 1, 1)), "C:\\five.exe");
    ::Sleep(300);
    CRect rc = FormRect(), work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(rc.Size(), CSize(500, 360));
    EXPECT_NEAR(rc.left - work.left, work.right - rc.right, 1);
    EXPECT_NEAR(rc.top - work.top, work.bottom - rc.bottom, 1);
    // The end of the first row and the list below the rows, in the rows' colour.
    EXPECT_EQ(ScreenPixel(At(rc, 20 + 445, 70 + 30)), CHotkeyFormDlg::kRowBackColor);
    EXPECT_EQ(ScreenPixel(At(rc, 20 + 445, 70 + 200)), CHotkeyFormDlg::kRowBackColor);

    Drag(At(rc, 250, 30), At(rc, 250 + 60, 30 + 40));
    EXPECT_TRUE(WaitFor([&] { return FormRect().TopLeft() == At(rc, 60, 40); }))
        << "dragging the background did not move the form";
    rc = FormRect();
    Drag(At(rc, 250, 250), At(rc, 250 + 60, 250 + 40));
    EXPECT_EQ(FormRect().TopLeft(), rc.TopLeft()) << "dragging on the list moved the form";
}

// The About box of the running process: a visible dialog with the version line, or null.
HWND FindAboutBox(DWORD pid) {
    return FindFirstWindow({.processId = pid, .visibleOnly = true, .accept = [](HWND hWnd) {
                                return ::GetDlgItem(hWnd, 1010) != nullptr;
                            }});
}

#define HOTKEY_TEXT_(x) L## #x
#define HOTKEY_TEXT(x) HOTKEY_TEXT_(x)

TEST_F(FormTest, AboutBoxOpensFromTheTrayMenuAndTheSystemMenuWithTheBuildVersion) {
    const CString version = CString(L"V") + HOTKEY_TEXT(HOTKEY_VERSION_MAJOR) + L"." +
                            HOTKEY_TEXT(HOTKEY_VERSION_MINOR) + L"." +
                            HOTKEY_TEXT(HOTKEY_VERSION_PATCH) + L"." +
                            HOTKEY_TEXT(HOTKEY_VERSION_TWEAK);
    ASSERT_TRUE(m_form.Start());
    ASSERT_TRUE(WaitForTrayIcons(1));

    // From the tray menu while the form is hidden: "About" is the second item.
    ASSERT_TRUE(OpenTrayMenu());
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    HWND about = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (about = FindAboutBox(m_form.ProcessId())) != nullptr; }));
    wchar_t text[64] = {};
    ::SendMessageW(::GetDlgItem(about, 1010), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(CString(text), version);
    CRect rc = ScreenRect(about);
    EXPECT_EQ(rc.Size(), CSize(300, 90));
    Drag(At(rc, 150, 80), At(rc, 150 + 30, 80 + 20));
    EXPECT_TRUE(WaitFor([&] { return ScreenRect(about).TopLeft() == At(rc, 30, 20); }))
        << "dragging the background did not move the About box";
    EXPECT_FALSE(::IsWindowVisible(Form()));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(about); }));

    // From the form's system menu.
    ::PostMessageW(Form(), WM_SHOW_FORM, 0, 0);
    ASSERT_TRUE(WaitVisible(true));
    ::Sleep(200);
    PressKeys({VK_MENU, VK_SPACE});
    ASSERT_TRUE(WaitForPopupMenu(m_form.ProcessId()));
    // Our item is the menu's last; Wine's own system menu has an A mnemonic of its own.
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return (about = FindAboutBox(m_form.ProcessId())) != nullptr; }));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(about); }));
    EXPECT_TRUE(m_form.IsRunning());
}

// The session's end, or an installer's Restart Manager, asks first and then tells the program
// to end; it ends at once, also from inside the path dialog's modal loop, and saves nothing.
TEST_F(FormTest, SessionEndEndsTheProgramPromptlyAlsoFromThePathDialog) {
    for (bool pathDialog : {false, true}) {
        const char* name = pathDialog ? "path dialog open" : "hidden";
        FormProcess form(m_dir.Path());
        ASSERT_TRUE(form.Start()) << name;
        ASSERT_TRUE(WaitForTrayIcons(1)) << name;
        HWND hForm = form.FindForm();
        if (pathDialog) {
            ASSERT_TRUE(ShowForm(hForm));
            ASSERT_NE(OpenRow(form.ProcessId(), hForm, 0), nullptr);
        }
        const std::string before = FileBytes(form.IniPath());
        DWORD_PTR answer = 0;
        ASSERT_TRUE(::SendMessageTimeoutW(hForm, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP,
                                          SMTO_ABORTIFHUNG, 2000, &answer))
            << name;
        EXPECT_EQ(answer, DWORD_PTR(TRUE)) << name;
        ::SendMessageTimeoutW(hForm, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG,
                              2000, nullptr);
        EXPECT_TRUE(form.WaitForExit(2000)) << name;
        EXPECT_EQ(form.ExitCode(), 0u) << name;
        EXPECT_TRUE(WaitForTrayIcons(0)) << name;
        EXPECT_EQ(FileBytes(form.IniPath()), before) << name;
    }
}

// A German user (CTest runs this suite with LC_ALL=de_DE.UTF-8, which Wine takes for the
// display language) sees the form and its dialog in German; what other programs and the
// settings file rely on stays as it is in every language.
TEST(FormLanguage, AGermanUserSeesGermanTextsAndTheFileKeepsItsEnglishValues) {
    ASSERT_EQ(::GetUserDefaultUILanguage(), MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    ASSERT_TRUE(WaitForNoForm(5000));
    TempFolder dir;
    FormProcess form(dir.Path());
    form.WriteSetting(L"S2", L"DisplayName", L"Mail");
    form.WriteSetting(L"S2", L"DefaultPath", L"C:\\web.exe");
    ASSERT_TRUE(form.Start());
    HWND hForm = form.FindForm();
    EXPECT_EQ(TextOf(hForm), CString(L"HotkeyForm"));
    ASSERT_TRUE(ShowForm(hForm));
    // The name a screen reader gives the list, and the path dialog's field and buttons.
    EXPECT_EQ(Utf8(TextOf(::GetDlgItem(hForm, IDC_KEYLIST))), "Fn-Tasten");
    HWND hPath = OpenRow(form.ProcessId(), hForm, 0);
    ASSERT_NE(hPath, nullptr);
    EXPECT_EQ(Utf8(TextOf(::GetDlgItem(hPath, IDC_PATH_HOTKEY))), "Keine");
    EXPECT_EQ(Utf8(TextOf(::GetDlgItem(hPath, IDOK))), "\u00DCbernehmen");
    ::SendDlgItemMessageW(hPath, IDC_PATH_WINDOW, CB_SETCURSEL, 1, 0); // "Minimiert"
    ASSERT_TRUE(ApplyAndWait(hPath));
    wchar_t window[32] = {};
    ::GetPrivateProfileStringW(L"S2", L"Window", L"", window, 32, form.IniPath());
    EXPECT_STREQ(window, L"Minimized");
}

} // namespace
