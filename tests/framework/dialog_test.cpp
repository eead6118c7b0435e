// Modal dialogs: the pre-translation walk, Enter/Esc/Close, quit messages through nested
// loops, owner handling and centring.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/winapp.h"
#include "test_dialogs.h"

namespace {

std::vector<std::string> g_log;

std::string KeyName(WPARAM vk) {
    return vk == VK_ESCAPE ? "esc" : vk == VK_RETURN ? "enter" : "key" + std::to_string(vk);
}

class CKeyWatchingEdit : public CEdit {
public:
    WPARAM m_swallow = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        g_log.push_back("edit " + KeyName(pMsg->wParam));
        return pMsg->wParam == m_swallow;
    }
};

class CTestDialog : public CDialog {
public:
    explicit CTestDialog(UINT id = IDD_TEST_EDIT, CWnd* parent = nullptr) : CDialog(id, parent) {}

    std::function<void(CTestDialog&)> m_onInit;
    CKeyWatchingEdit m_edit;
    HWND m_hOwnerSeen = nullptr;
    BOOL m_bOwnerEnabledDuringRun = TRUE;

    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_KEYDOWN)
            g_log.push_back("dialog " + KeyName(pMsg->wParam));
        return CDialog::PreTranslateMessage(pMsg);
    }
    CRect m_rcAtOK;
    void OnOK() override {
        g_log.push_back("OnOK");
        GetWindowRect(&m_rcAtOK);
        CDialog::OnOK();
    }
    void OnCancel() override {
        g_log.push_back("OnCancel");
        CDialog::OnCancel();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        if (::GetDlgItem(m_hWnd, IDC_TEST_EDIT))
            DDX_Control(pDX, IDC_TEST_EDIT, m_edit);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_hOwnerSeen = ::GetWindow(m_hWnd, GW_OWNER);
        if (m_hOwnerSeen)
            m_bOwnerEnabledDuringRun = ::IsWindowEnabled(m_hOwnerSeen);
        if (m_onInit)
            m_onInit(*this);
        return TRUE;
    }
};

void PostKey(HWND to, WPARAM vk) { ::PostMessageW(to, WM_KEYDOWN, vk, 1); }

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { g_log.clear(); }
};

TEST_F(DialogTest, ControlSeesKeysBeforeTheDialogManager) {
    CTestDialog dlg;
    dlg.m_onInit = [](CTestDialog& d) {
        d.m_edit.m_swallow = VK_F5;
        PostKey(d.m_edit.m_hWnd, VK_F5);
        PostKey(d.m_edit.m_hWnd, VK_ESCAPE);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    // F5 is swallowed by the control; Esc walks on to the dialog and cancels it.
    EXPECT_EQ(g_log,
              (std::vector<std::string>{"edit key116", "edit esc", "dialog esc", "OnCancel"}));
}

TEST_F(DialogTest, EnterReachesOnOKThroughTheDefaultButton) {
    CTestDialog dlg;
    dlg.m_onInit = [](CTestDialog& d) { PostKey(d.m_edit.m_hWnd, VK_RETURN); };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(g_log.back(), "OnOK");
}

TEST_F(DialogTest, SystemCloseCancels) {
    CTestDialog dlg;
    dlg.m_onInit = [](CTestDialog& d) { d.PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0); };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(g_log, (std::vector<std::string>{"OnCancel"}));
}

// Opens a second modal dialog from its first timer tick, inside its own modal loop.
class CNestingDialog : public CTestDialog {
public:
    CNestingDialog() : CTestDialog(IDD_TEST_PLAIN) {}
    INT_PTR m_nInnerResult = 0;

protected:
    BOOL OnInitDialog() override {
        CTestDialog::OnInitDialog();
        SetTimer(1, 1);
        return TRUE;
    }
    void OnTimer(UINT_PTR id) {
        KillTimer(id);
        CTestDialog inner(IDD_TEST_PLAIN, this);
        inner.m_onInit = [](CTestDialog&) { ::PostQuitMessage(7); };
        m_nInnerResult = inner.DoModal();
        g_log.push_back("inner returned");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNestingDialog, CTestDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

TEST_F(DialogTest, QuitMessageEndsNestedLoopsAndStaysQueuedForTheCaller) {
    CNestingDialog outer;
    EXPECT_EQ(outer.DoModal(), -1);
    EXPECT_EQ(outer.m_nInnerResult, -1);
    EXPECT_EQ(g_log, (std::vector<std::string>{"inner returned"}));
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(DialogTest, OwnerIsDisabledDuringTheRunAndEnabledAfter) {
    CAutoWnd<CWnd> owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), L"owner", WS_POPUP | WS_VISIBLE,
                               CRect(10, 10, 300, 200), nullptr, 0));
    CTestDialog dlg(IDD_TEST_PLAIN, &owner);
    dlg.m_onInit = [](CTestDialog& d) { d.PostMessage(WM_COMMAND, IDOK, 0); };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_hOwnerSeen, owner.m_hWnd);
    EXPECT_FALSE(dlg.m_bOwnerEnabledDuringRun);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogTest, WithoutParentTheMainWindowOwnsTheDialog) {
    CWinApp app;
    CAutoWnd<CWnd> main;
    ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), L"main", WS_POPUP, CRect(0, 0, 100, 100),
                              nullptr, 0));
    app.m_pMainWnd = &main;
    CTestDialog dlg(IDD_TEST_PLAIN);
    dlg.m_onInit = [](CTestDialog& d) { d.PostMessage(WM_COMMAND, IDCANCEL, 0); };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_hOwnerSeen, main.m_hWnd);
    app.m_pMainWnd = nullptr;
}

CRect WorkArea() {
    CRect area;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// Runs a dialog that closes itself at once and returns where it was when it closed.
CRect RunAndMeasure(CTestDialog& dlg, std::function<void(CTestDialog&)> place = {}) {
    dlg.m_onInit = [place](CTestDialog& d) {
        if (place)
            place(d);
        d.PostMessage(WM_COMMAND, IDOK, 0);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    return dlg.m_rcAtOK;
}

TEST_F(DialogTest, UnplacedDialogIsCentredOnTheScreen) {
    CTestDialog dlg(IDD_TEST_PLAIN);
    CRect rc = RunAndMeasure(dlg);
    CRect area = WorkArea();
    EXPECT_NEAR(rc.CenterPoint().x, area.CenterPoint().x, 1);
    EXPECT_NEAR(rc.CenterPoint().y, area.CenterPoint().y, 1);
}

TEST_F(DialogTest, DialogThatPlacedItselfKeepsItsPlace) {
    CTestDialog dlg(IDD_TEST_PLAIN);
    CRect rc = RunAndMeasure(dlg, [](CTestDialog& d) {
        d.SetWindowPos(nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    });
    EXPECT_EQ(rc.TopLeft(), CPoint(37, 41));
}

TEST_F(DialogTest, ResizedButUnmovedDialogIsStillCentred) {
    CTestDialog dlg(IDD_TEST_PLAIN);
    CRect rc = RunAndMeasure(dlg, [](CTestDialog& d) {
        d.SetWindowPos(nullptr, 0, 0, 500, 360, SWP_NOMOVE | SWP_NOZORDER);
    });
    CRect area = WorkArea();
    EXPECT_EQ(rc.Width(), 500);
    EXPECT_NEAR(rc.CenterPoint().x, area.CenterPoint().x, 1);
    EXPECT_NEAR(rc.CenterPoint().y, area.CenterPoint().y, 1);
}

TEST_F(DialogTest, DialogIsCentredOverAVisibleOwner) {
    CAutoWnd<CWnd> owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), L"owner", WS_POPUP | WS_VISIBLE,
                               CRect(100, 120, 700, 620), nullptr, 0));
    CTestDialog dlg(IDD_TEST_PLAIN, &owner);
    CRect rc = RunAndMeasure(dlg);
    EXPECT_NEAR(rc.CenterPoint().x, 400, 1);
    EXPECT_NEAR(rc.CenterPoint().y, 370, 1);
}

} // namespace
