// CTrayDialog in a live dialog, with the shell replaced by a recorder: which shell calls each
// operation makes, the minimize command, the icon's mouse events, the tray menu, the
// taskbar's re-creation.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/icon.h"
#include "framework/tray_dialog.h"
#include "tests/support/pixels.h"
#include "test_dialogs.h"
#include "tray_shell_model.h"

namespace {

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAW data;
};
std::vector<ShellCall> g_calls;
BOOL g_shellAccepts = TRUE;

BOOL WINAPI RecordingShell(DWORD message, PNOTIFYICONDATAW data) {
    g_calls.push_back({message, *data});
    return g_shellAccepts;
}

class CTestTrayDlg : public CTrayDialog {
public:
    CTestTrayDlg() : CTrayDialog(IDD_TRAY_TEST) {}

    std::function<void(CTestTrayDlg&)> m_onInit;
    // When set, the five tray events are recorded instead of handled.
    bool m_bRecordEvents = false;
    std::vector<std::string> m_events;
    using CTrayDialog::m_bMinimizeToTray;

    BOOL OnInitDialog() override {
        CTrayDialog::OnInitDialog();
        if (m_onInit)
            m_onInit(*this);
        EndDialog(IDOK);
        return TRUE;
    }
    void OnTrayLButtonDown(CPoint p) override {
        if (!Recorded("LDown"))
            CTrayDialog::OnTrayLButtonDown(p);
    }
    void OnTrayLButtonDblClk(CPoint p) override {
        if (!Recorded("LDbl"))
            CTrayDialog::OnTrayLButtonDblClk(p);
    }
    void OnTrayRButtonDown(CPoint p) override {
        if (!Recorded("RDown"))
            CTrayDialog::OnTrayRButtonDown(p);
    }
    void OnTrayRButtonDblClk(CPoint p) override {
        if (!Recorded("RDbl"))
            CTrayDialog::OnTrayRButtonDblClk(p);
    }
    void OnTrayMouseMove(CPoint p) override {
        if (!Recorded("Move"))
            CTrayDialog::OnTrayMouseMove(p);
    }

private:
    bool Recorded(const char* name) {
        if (m_bRecordEvents)
            m_events.push_back(name);
        return m_bRecordEvents;
    }
};

class TrayDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls.clear();
        g_shellAccepts = TRUE;
        CTrayDialog::s_pfnShellNotifyIcon = &RecordingShell;
    }
    void TearDown() override { CTrayDialog::s_pfnShellNotifyIcon = &::Shell_NotifyIconW; }

    // Runs the dialog once; body runs inside its initialisation, the window then ends.
    static void Run(const std::function<void(CTestTrayDlg&)>& body, bool recordEvents = false) {
        CTestTrayDlg dlg;
        dlg.m_bRecordEvents = recordEvents;
        dlg.m_onInit = body;
        ASSERT_EQ(dlg.DoModal(), IDOK);
    }
};

TEST_F(TrayDialogTest, AddAndRemoveCallTheShellOnlyWhenTheIconChanges) {
    Run([](CTestTrayDlg& dlg) {
        dlg.SetTrayIcon(IDR_TRAY_TEST_ICON);
        dlg.SetTrayTip(L"Tip");
        EXPECT_TRUE(dlg.AddTrayIcon());
        EXPECT_FALSE(dlg.AddTrayIcon());
        ASSERT_EQ(g_calls.size(), 1u);
        const NOTIFYICONDATAW& added = g_calls[0].data;
        EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_ADD));
        EXPECT_EQ(added.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V1_SIZE));
        EXPECT_EQ(added.hWnd, dlg.m_hWnd);
        EXPECT_EQ(added.uID, 1u);
        EXPECT_EQ(added.uCallbackMessage, WM_TRAY_NOTIFY);
        EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));

        EXPECT_TRUE(dlg.RemoveTrayIcon());
        EXPECT_FALSE(dlg.RemoveTrayIcon());
        ASSERT_EQ(g_calls.size(), 2u);
        EXPECT_EQ(g_calls[1].message, static_cast<DWORD>(NIM_DELETE));

        // A refused add may still arrive, so the remove deletes whatever is there.
        g_shellAccepts = FALSE;
        EXPECT_FALSE(dlg.AddTrayIcon());
        EXPECT_FALSE(dlg.RemoveTrayIcon());
        ASSERT_EQ(g_calls.size(), 4u);
        EXPECT_EQ(g_calls[3].message, static_cast<DWORD>(NIM_DELETE));
    });
    EXPECT_EQ(g_calls.size(), 4u) << "the window's end deleted an icon that was not shown";
}

TEST_F(TrayDialogTest, TheWindowsEndDeletesAShownIcon) {
    Run([](CTestTrayDlg& dlg) { dlg.AddTrayIcon(); });
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[1].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_NE(g_calls[1].data.hWnd, nullptr);
}

TEST_F(TrayDialogTest, MinimizeHidesToTheTrayOnlyWhenItAddsTheIcon) {
    struct Case {
        const char* name;
        BOOL toTray, iconShown, shellAccepts;
        size_t calls;
        bool visible, iconic;
    } cases[] = {
        {"hides to the tray", TRUE, FALSE, TRUE, 1, false, false},
        // The record may say shown when the shell refused a delete: the icon is then still
        // there and takes a modify.
        {"icon recorded as shown: hides", TRUE, TRUE, TRUE, 1, false, false},
        {"shell refuses add and modify: consumed", TRUE, FALSE, FALSE, 2, true, false},
        {"not to the tray: minimised", FALSE, FALSE, TRUE, 0, true, true},
    };
    for (const Case& c : cases) {
        Run([&](CTestTrayDlg& dlg) {
            dlg.SetMinimizeToTray(c.toTray);
            if (c.iconShown)
                dlg.AddTrayIcon();
            g_calls.clear();
            g_shellAccepts = c.shellAccepts;
            dlg.ShowWindow(SW_SHOW);
            dlg.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE | 2, 0);
            EXPECT_EQ(g_calls.size(), c.calls) << c.name;
            EXPECT_EQ(dlg.IsWindowVisible() != FALSE, c.visible) << c.name;
            EXPECT_EQ(dlg.IsIconic() != FALSE, c.iconic) << c.name;
            EXPECT_EQ(dlg.IsTrayIconShown(), c.iconShown || (c.calls && c.shellAccepts)) << c.name;
        });
    }
}

TEST_F(TrayDialogTest, EachMouseMessageFromIconOneReachesItsHandler) {
    struct Case {
        WPARAM id;
        LPARAM mouse;
        LRESULT result;
        const char* handler; // empty: none runs
    } cases[] = {
        {1, WM_LBUTTONDOWN, 1, "LDown"},  {1, WM_LBUTTONDBLCLK, 1, "LDbl"},
        {1, WM_RBUTTONDOWN, 1, "RDown"},  {1, WM_CONTEXTMENU, 1, "RDown"},
        {1, WM_RBUTTONDBLCLK, 1, "RDbl"}, {1, WM_MOUSEMOVE, 1, "Move"},
        {1, WM_LBUTTONUP, 1, ""},         {1, WM_RBUTTONUP, 1, ""},
        {1, WM_MBUTTONDOWN, 1, ""},       {2, WM_RBUTTONDOWN, 0, ""},
        {0, WM_LBUTTONDBLCLK, 0, ""},
    };
    Run(
        [&](CTestTrayDlg& dlg) {
            for (const Case& c : cases) {
                dlg.m_events.clear();
                EXPECT_EQ(dlg.SendMessage(WM_TRAY_NOTIFY, c.id, c.mouse), c.result)
                    << c.id << " " << c.mouse;
                std::vector<std::string> expected;
                if (*c.handler)
                    expected.push_back(c.handler);
                EXPECT_EQ(dlg.m_events, expected) << c.id << " " << c.mouse;
            }
        },
        true);
}

// What the open tray menu looked like, read from inside its own loop.
struct MenuSeen {
    bool opened = false;
    CRect rc;
    HWND foreground = nullptr;
    int defaultItem = -2;
};
MenuSeen g_menuSeen;

void CALLBACK CloseMenu(HWND hWnd, UINT, UINT_PTR id, DWORD) {
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    if (!menu || !::IsWindowVisible(menu))
        return;
    ::KillTimer(hWnd, id);
    g_menuSeen.opened = true;
    ::GetWindowRect(menu, &g_menuSeen.rc);
    g_menuSeen.foreground = ::GetForegroundWindow();
    auto popup = reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0));
    g_menuSeen.defaultItem = static_cast<int>(::GetMenuDefaultItem(popup, TRUE, 0));
    ::EndMenu();
}

TEST_F(TrayDialogTest, RightPressTracksTheMenuAtTheCursorAndShowBecomesItsDefault) {
    Run([](CTestTrayDlg& dlg) {
        const CPoint cursor(300, 400);
        ::SetCursorPos(cursor.x, cursor.y);
        g_menuSeen = {};
        dlg.SendMessage(WM_TRAY_NOTIFY, 1, WM_RBUTTONDOWN);
        EXPECT_FALSE(g_menuSeen.opened) << "no menu is loaded";

        ASSERT_TRUE(dlg.SetTrayMenu(IDR_TRAY_TEST_MENU));
        int expectedDefault = -1; // none the first time, "Show" from then on
        for (LPARAM mouse : {WM_RBUTTONDOWN, WM_CONTEXTMENU}) {
            g_menuSeen = {};
            MSG stale;
            while (::PeekMessageW(&stale, dlg.m_hWnd, WM_NULL, WM_NULL, PM_REMOVE)) {
            }
            ::SetTimer(dlg.m_hWnd, 77, 50, &CloseMenu);
            dlg.SendMessage(WM_TRAY_NOTIFY, 1, mouse);
            ASSERT_TRUE(g_menuSeen.opened) << mouse;
            EXPECT_EQ(g_menuSeen.rc.left, cursor.x) << mouse;
            EXPECT_EQ(g_menuSeen.rc.bottom, cursor.y) << mouse;
            EXPECT_EQ(g_menuSeen.foreground, dlg.m_hWnd) << "menu would not close on a click away";
            MSG msg;
            EXPECT_TRUE(::PeekMessageW(&msg, dlg.m_hWnd, WM_NULL, WM_NULL, PM_REMOVE)) << mouse;
            EXPECT_EQ(g_menuSeen.defaultItem, expectedDefault) << mouse;
            expectedDefault = 0;
        }
    });
}

TEST_F(TrayDialogTest, TaskbarCreatedPutsBackAShownIconAndOneRefusedWhileHidden) {
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    Run([&](CTestTrayDlg& dlg) {
        dlg.SetTrayTip(L"Back again");
        dlg.SendMessage(taskbarCreated);
        EXPECT_TRUE(g_calls.empty());
        dlg.AddTrayIcon();
        g_calls.clear();
        dlg.SendMessage(taskbarCreated);
        ASSERT_EQ(g_calls.size(), 1u);
        EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_ADD));
        EXPECT_STREQ(g_calls[0].data.szTip, L"Back again");
        EXPECT_TRUE(dlg.IsTrayIconShown());
    });
    // Started before the taskbar: the first add is refused, the taskbar's creation adds the
    // icon of a hidden window, never of a visible one, and never of one removed meanwhile.
    struct Case {
        const char* name;
        bool visible, removed, added;
        size_t calls;
    } cases[] = {
        {"hidden", false, false, true, 2},
        {"visible", true, false, false, 1},
        {"removed since", false, true, false, 2},
    };
    for (const Case& c : cases) {
        g_calls.clear();
        Run([&](CTestTrayDlg& dlg) {
            if (c.visible)
                dlg.ShowWindow(SW_SHOWNA);
            g_shellAccepts = FALSE;
            EXPECT_FALSE(dlg.AddTrayIcon());
            g_shellAccepts = TRUE;
            if (c.removed)
                dlg.RemoveTrayIcon();
            dlg.SendMessage(taskbarCreated);
            EXPECT_EQ(g_calls.size(), c.calls) << c.name;
            EXPECT_EQ(dlg.IsTrayIconShown() != FALSE, c.added) << c.name;
            g_calls.clear();
        });
    }
}

// At logon the shell may refuse an add after its own time-out and carry it out later, with no
// new taskbar to say so. The timer is there, and its waits are cut short.
TEST_F(TrayDialogTest, RefusedIconIsTriedAgainWithGrowingWaitsAndNoTimerOnceItIsIn) {
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    TrayShellModel& shell = TrayShellModel::Get();
    CTrayDialog::s_pfnShellNotifyIcon = &TrayShellModel::Shell;
    struct Case {
        const char* name;
        int refusedAdds;
        bool lateAdd;
        std::vector<UINT> waits;
        int adds;
    } cases[] = {
        {"taken at once", 0, false, {}, 1},
        {"refused three times", 3, false, {1000, 2000, 4000}, 4},
        {"refused, arrives late", 1, true, {1000}, 1},
        {"refused for good", 1000, false, {1000, 2000, 4000, 8000, 16000, 32000, 60000}, 8},
    };
    for (const Case& c : cases) {
        shell.Reset(c.refusedAdds, c.lateAdd);
        Run([&](CTestTrayDlg& dlg) {
            dlg.AddTrayIcon();
            EXPECT_EQ(dlg.KillTimer(CTrayDialog::kTrayRetryTimerId) != FALSE, !c.waits.empty());
            std::vector<UINT> waits;
            for (UINT wait; (wait = dlg.GetTrayRetryDelay()) != 0 && waits.size() < 10;) {
                waits.push_back(wait);
                dlg.SendMessage(WM_TIMER, CTrayDialog::kTrayRetryTimerId);
            }
            EXPECT_EQ(waits, c.waits) << c.name;
            EXPECT_EQ(shell.nAdds, c.adds) << c.name;
            dlg.SendMessage(WM_TIMER, CTrayDialog::kTrayRetryTimerId); // one nothing asked for
            EXPECT_FALSE(dlg.KillTimer(CTrayDialog::kTrayRetryTimerId)) << c.name;
            // After the last wait only a new taskbar, which starts empty, brings the icon.
            shell.nRefusedAdds = 0;
            shell.bIconIn = false;
            dlg.SendMessage(taskbarCreated);
            EXPECT_TRUE(dlg.IsTrayIconShown()) << c.name;
            EXPECT_FALSE(dlg.KillTimer(CTrayDialog::kTrayRetryTimerId)) << c.name;
        });
    }
}

// The pixels of the icon drawn on white that are not white, and of those the ones not grey.
std::pair<int, int> InkAndColour(HICON hIcon) {
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    test::CPixels pixels(size, size);
    ::PatBlt(pixels.DC(), 0, 0, size, size, WHITENESS);
    ::DrawIconEx(pixels.DC(), 0, 0, hIcon, size, size, 0, nullptr, DI_NORMAL);
    int ink = 0, colour = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            COLORREF cr = pixels.At(x, y);
            ink += cr != RGB(255, 255, 255);
            colour += GetRValue(cr) != GetGValue(cr) || GetGValue(cr) != GetBValue(cr);
        }
    return {ink, colour};
}

// A program whose work is paused shows a grey icon in its shape, handed to the shell at once.
TEST_F(TrayDialogTest, GreyIconKeepsItsShapeAndReachesAShownIconAtOnce) {
    Run([](CTestTrayDlg& dlg) {
        dlg.SetTrayIcon(IDR_TRAY_TEST_ICON);
        const auto [ink, colour] = InkAndColour(dlg.GetTrayData().hIcon);
        ASSERT_GT(colour, 0);
        dlg.AddTrayIcon();
        g_calls.clear();
        dlg.SetTrayIconGrey(TRUE);
        EXPECT_TRUE(dlg.UpdateTrayIcon());
        ASSERT_EQ(g_calls.size(), 1u);
        EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_MODIFY));
        const auto [greyInk, greyColour] = InkAndColour(g_calls[0].data.hIcon);
        EXPECT_NEAR(greyInk, ink, 3);
        EXPECT_EQ(greyColour, 0);
        dlg.SetTrayIconGrey(FALSE);
        EXPECT_EQ(InkAndColour(dlg.GetTrayData().hIcon).second, colour);
    });
}

TEST_F(TrayDialogTest, ConfigurationKeepsSixtyThreeTipCharactersAndIgnoresMissingResources) {
    CTestTrayDlg dlg;
    dlg.SetTrayTip(std::wstring(100, L'x').c_str());
    EXPECT_EQ(std::wstring(dlg.GetTrayData().szTip), std::wstring(63, L'x'));
    EXPECT_EQ(dlg.SetTrayIcon(9999), nullptr);
    EXPECT_EQ(dlg.GetTrayData().uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_TIP));
    EXPECT_NE(dlg.SetTrayIcon(IDR_TRAY_TEST_ICON), nullptr);
    EXPECT_TRUE(dlg.GetTrayData().uFlags & NIF_ICON);
    EXPECT_FALSE(dlg.SetTrayMenu(9999));
}

// The shell shows the icon at its small size; a shared load would hand back whatever size the
// program's large icon was loaded at first.
TEST_F(TrayDialogTest, IconIsLoadedAtTheNotificationAreasSizeAfterTheLargeOne) {
    ASSERT_NE(AfxLoadIcon(IDR_TRAY_TEST_ICON), nullptr);
    CTestTrayDlg dlg;
    HICON hIcon = dlg.SetTrayIcon(IDR_TRAY_TEST_ICON);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(hIcon, &info));
    BITMAP bm{};
    ::GetObjectW(info.hbmColor, sizeof(bm), &bm);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    EXPECT_EQ(bm.bmWidth, ::GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(bm.bmHeight, ::GetSystemMetrics(SM_CYSMICON));
}

} // namespace
