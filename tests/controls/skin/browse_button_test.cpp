// The browse button's behaviour: its layout, the path it keeps, and browsing driven as a
// user would, with real input into the real common file dialog.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/skin/browse_button.h"
#include "skin_test_dialogs.h"
#include "skin_test_support.h"
#include "tests/support/scripted_dialog.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr UINT kNotify = WM_APP + 7;

CWnd& Edit(const CBrowseButton& button) { return *button.GetDlgItem(CBrowseButton::kEditId); }
bool HasState(CBrowseButton& button, UINT nState) {
    return (button.SendMessage(BM_GETSTATE) & nState) != 0;
}

// A control on a plain visible pop-up, for what needs no dialog.
class BrowseButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE,
                                      CRect(30, 30, 330, 130), nullptr, 0));
    }
    CAutoWnd<CWnd> m_parent;
    CBrowseButton m_button;
};

TEST_F(BrowseButtonTest, LayoutGivesTheButtonItsEndOrTheWholeClientArea) {
    struct Case {
        int cx, cy;
        DWORD dwOptions;
        CRect button, face, edit; // the edit's window
    } cases[] = {
        {100, 22, BBS_ICON, {73, 0, 100, 22}, {78, 3, 94, 19}, {0, 0, 73, 22}},
        {100, 22, BBS_ICON | BBS_BUTTONLEFT, {0, 0, 27, 22}, {5, 3, 21, 19}, {27, 0, 100, 22}},
        {101, 23, BBS_ICON, {74, 0, 101, 23}, {79, 3, 95, 19}, {0, 0, 74, 23}},
        // No wider than the button: it takes everything and the edit is left with nothing.
        {27, 22, BBS_ICON, {0, 0, 27, 22}, {5, 3, 21, 19}, {0, 0, 0, 22}},
        {27, 22, BBS_ICON | BBS_BUTTONLEFT, {0, 0, 27, 22}, {5, 3, 21, 19}, {27, 0, 27, 22}},
        // Too small for the picture: the face is cut at the right and bottom.
        {20, 12, BBS_ICON, {0, 0, 20, 12}, {2, 2, 18, 10}, {0, 0, 0, 12}},
        {10, 30, BBS_ICON, {0, 0, 10, 30}, {2, 7, 8, 23}, {0, 0, 0, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.cx << "x" << c.cy << " options " << c.dwOptions);
        m_button.DestroyWindow();
        ASSERT_TRUE(
            m_button.Create(CRect(5, 5, 5 + c.cx, 5 + c.cy), &m_parent, 100, c.dwOptions, 0));
        EXPECT_EQ(m_button.GetButtonRect(), c.button);
        EXPECT_EQ(m_button.GetFaceRect(), c.face);
        CRect edit;
        Edit(m_button).GetWindowRect(&edit);
        m_button.ScreenToClient(&edit);
        EXPECT_EQ(edit, c.edit);
    }
}

TEST_F(BrowseButtonTest, ResizingMovesTheEditAndTheTooltipToolWithTheButton) {
    ASSERT_TRUE(m_button.Create(CRect(0, 0, 100, 22), &m_parent, 100, BBS_ICON, 0));
    m_button.SetWindowPos(nullptr, 0, 0, 200, 22, SWP_NOZORDER | SWP_NOMOVE);
    CRect edit;
    Edit(m_button).GetWindowRect(&edit);
    m_button.ScreenToClient(&edit);
    EXPECT_EQ(edit, CRect(0, 0, 173, 22));
    CRect tool;
    CString text;
    ASSERT_TRUE(
        m_button.GetToolTips().GetToolInfo(&m_button, CBrowseButton::kToolId, &text, &tool));
    EXPECT_EQ(tool, CRect(173, 0, 200, 22));
    EXPECT_STREQ(text, L"Browse");
}

TEST_F(BrowseButtonTest, TooltipTextSetBeforeTheWindowIsTheToolsText) {
    m_button.SetTooltipText(L"Pick a program");
    ASSERT_TRUE(m_button.Create(CRect(0, 0, 100, 22), &m_parent, 100, BBS_ICON, 0));
    CString text;
    ASSERT_TRUE(
        m_button.GetToolTips().GetToolInfo(&m_button, CBrowseButton::kToolId, &text, nullptr));
    EXPECT_STREQ(text, L"Pick a program");
    m_button.SetTooltipText(nullptr);
    m_button.GetToolTips().GetToolInfo(&m_button, CBrowseButton::kToolId, &text, nullptr);
    EXPECT_STREQ(text, L"");
}

TEST_F(BrowseButtonTest, PathNameFollowsStoredAndTypedText) {
    struct Case {
        DWORD dwOptions;
        LPCWSTR stored; // null: SetPathName(NULL)
        LPCWSTR typed;  // null: nothing typed
        LPCWSTR expected;
    } cases[] = {
        {BBS_ICON | BBS_EDITABLE, nullptr, nullptr, L""},
        {BBS_ICON | BBS_EDITABLE, L"C:\\Tools\\Run.exe", L"c:\\tools\\RUN.EXE",
         L"C:\\Tools\\Run.exe"},
        {BBS_ICON | BBS_EDITABLE, L"C:\\Tools\\Run.exe", L"C:\\Tools\\Other.exe",
         L"C:\\Tools\\Other.exe"},
        {BBS_ICON | BBS_EDITABLE, nullptr, L"D:\\typed.exe", L"D:\\typed.exe"},
        {BBS_ICON, L"C:\\Tools\\Run.exe", L"C:\\Tools\\Other.exe", L"C:\\Tools\\Run.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.typed ? c.typed : L"(nothing typed)"));
        CBrowseButton button;
        ASSERT_TRUE(button.Create(CRect(0, 0, 200, 22), &m_parent, 100, c.dwOptions, 0));
        button.SetPathName(L"old");
        button.SetPathName(c.stored);
        CString shown;
        Edit(button).GetWindowText(shown);
        EXPECT_STREQ(shown, c.stored ? c.stored : L"");
        if (c.typed)
            Edit(button).SetWindowText(c.typed); // the edit reports the change as typing
        EXPECT_STREQ(button.GetPathName(), c.expected);
    }
}

// The program path dialog's arrangement: a dialog whose button 1007 is bound to the control.
// The test runs inside the dialog's own modal loop, then the dialog closes.
class CBrowseHost : public test::CScriptedDialog {
public:
    explicit CBrowseHost(std::function<void(CBrowseHost&)> script)
        : test::CScriptedDialog(IDD_BROWSE_HOST) {
        // The display needs a moment to map the new window before it routes the pointer.
        Wait(200);
        Then([this, script = std::move(script)] {
            script(*this);
            skintest::PumpUntil([] { return false; }, 100); // let posted commands arrive
        });
    }

    CBrowseButton m_browse;
    std::vector<std::pair<WPARAM, LPARAM>> m_notified; // the control's notification message
    std::vector<std::pair<WPARAM, LPARAM>> m_posted;   // WM_COMMAND from the control, lParam 0
    int m_nOK = 0;

    bool Notified() const { return !m_notified.empty(); }
    CPoint ButtonCenter() const {
        CPoint pt = m_browse.GetButtonRect().CenterPoint();
        ::MapWindowPoints(m_browse.m_hWnd, m_hWnd, &pt, 1);
        return pt;
    }

protected:
    BOOL OnInitDialog() override {
        test::CScriptedDialog::OnInitDialog();
        m_browse.SetOptions(BBS_ICON | BBS_OPENFOLDER | BBS_EDITABLE);
        m_browse.SubclassDlgItem(IDC_BROWSE, this);
        m_browse.SetNotifyMessage(kNotify);
        return TRUE;
    }
    LRESULT OnBrowsed(WPARAM wParam, LPARAM lParam) {
        m_notified.emplace_back(wParam, lParam);
        return 0;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == IDC_BROWSE && lParam == 0)
            m_posted.emplace_back(wParam, lParam);
        return test::CScriptedDialog::OnCommand(wParam, lParam);
    }
    void OnOK() override { ++m_nOK; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBrowseHost, test::CScriptedDialog)
ON_MESSAGE(kNotify, OnBrowsed)
END_MESSAGE_MAP()

TEST(BrowseButtonDialog, ClickChoosesOneFileAndEnterInTheEditOpensTheDialogNotTheHostsOK) {
    TempFolder folder;
    std::wstring path = folder.MakeFile(L"Tool.exe").str();
    CString shownAfterClick;
    CBrowseHost host([&](CBrowseHost& dlg) {
        {
            skintest::CDialogAnswerer answer(dlg.m_hWnd, {path});
            skintest::MoveMouseTo(dlg.m_hWnd, dlg.ButtonCenter());
            skintest::MouseButton(true);
            skintest::MouseButton(false);
            ASSERT_TRUE(skintest::PumpUntil([&] { return dlg.Notified(); }));
            EXPECT_EQ(answer.DialogsSeen(), 1);
        }
        Edit(dlg.m_browse).GetWindowText(shownAfterClick);

        // Enter typed into the edit: a second browse, cancelled this time.
        skintest::CDialogAnswerer cancel(dlg.m_hWnd, std::vector<std::wstring>());
        Edit(dlg.m_browse).SetFocus();
        skintest::PressKey(VK_RETURN);
        ASSERT_TRUE(skintest::PumpUntil([&] { return dlg.m_notified.size() == 2; }));
        EXPECT_EQ(cancel.DialogsSeen(), 1);
    });
    host.DoModal();

    ASSERT_EQ(host.m_notified.size(), 2u);
    EXPECT_EQ(host.m_notified[0].first, static_cast<WPARAM>(IDOK));
    EXPECT_EQ(host.m_notified[0].second, reinterpret_cast<LPARAM>(&host.m_browse));
    EXPECT_EQ(_wcsicmp(shownAfterClick, path.c_str()), 0);
    // The cancelled browse changed nothing and still told the parent both ways.
    EXPECT_EQ(host.m_notified[1].first, static_cast<WPARAM>(IDCANCEL));
    EXPECT_EQ(_wcsicmp(host.m_browse.GetPathName(), path.c_str()), 0);
    EXPECT_EQ(host.m_posted.size(), 2u);
    EXPECT_EQ(host.m_posted[0].first, MAKEWPARAM(IDC_BROWSE, BN_CLICKED));
    EXPECT_EQ(host.m_nOK, 0);
}

TEST(BrowseButtonDialog, MultipleSelectionKeepsEveryPathButShowsOnlyTheFirst) {
    TempFolder folder;
    const CString first = folder.MakeFile(L"a.txt");
    folder.MakeFile(L"b.txt");
    CString shown;
    CBrowseHost host([&](CBrowseHost& dlg) {
        skintest::CDialogAnswerer answer(dlg.m_hWnd, {folder.Path().str(), L"\"a.txt\" \"b.txt\""});
        skintest::MoveMouseTo(dlg.m_hWnd, dlg.ButtonCenter());
        skintest::MouseButton(true);
        skintest::MouseButton(false);
        ASSERT_TRUE(skintest::PumpUntil([&] { return dlg.Notified(); }, 10000));
        Edit(dlg.m_browse).GetWindowText(shown);
    });
    host.DoModal();

    ASSERT_EQ(host.m_notified.size(), 1u);
    EXPECT_EQ(host.m_notified[0].first, static_cast<WPARAM>(IDOK));
    EXPECT_EQ(_wcsicmp(shown, first), 0);
    EXPECT_EQ(_wcsicmp(host.m_browse.GetPathName(), first), 0);
}

// The host starts its programs in its own current folder, which a browse must not move: the
// Open dialog would leave the process in the folder last browsed, and that folder in use.
TEST(BrowseButtonDialog, BrowsingAnotherFolderLeavesTheCurrentFolderWhereItWas) {
    TempFolder folder;
    folder.MakeFile(L"Tool.exe");
    wchar_t before[MAX_PATH] = {}, after[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, before);
    CBrowseHost host([&](CBrowseHost& dlg) {
        skintest::CDialogAnswerer answer(dlg.m_hWnd, {folder.Path().str(), L"Tool.exe"});
        skintest::MoveMouseTo(dlg.m_hWnd, dlg.ButtonCenter());
        skintest::MouseButton(true);
        skintest::MouseButton(false);
        ASSERT_TRUE(skintest::PumpUntil([&] { return dlg.Notified(); }, 10000));
    });
    host.DoModal();
    ::GetCurrentDirectoryW(MAX_PATH, after);
    ASSERT_EQ(host.m_notified.size(), 1u);
    EXPECT_EQ(host.m_notified[0].first, static_cast<WPARAM>(IDOK));
    EXPECT_STREQ(after, before);
}

TEST(BrowseButtonDialog, PressDraggedOffTheButtonAndReleasedOpensNothing) {
    int seen = -1;
    bool pressedOnButton = false;
    CBrowseHost host([&](CBrowseHost& dlg) {
        skintest::CDialogAnswerer answer(dlg.m_hWnd, std::vector<std::wstring>());
        skintest::MoveMouseTo(dlg.m_hWnd, dlg.ButtonCenter());
        skintest::PumpUntil([&] { return HasState(dlg.m_browse, BST_HOT); }, 1000);
        skintest::MouseButton(true);
        skintest::PumpUntil([&] { return HasState(dlg.m_browse, BST_PUSHED); }, 1000);
        pressedOnButton = HasState(dlg.m_browse, BST_PUSHED);
        skintest::MoveMouseTo(dlg.m_hWnd, CPoint(150, 62)); // between the control and the buttons
        skintest::PumpUntil([&] { return !HasState(dlg.m_browse, BST_PUSHED); }, 1000);
        skintest::MouseButton(false);
        skintest::PumpUntil([&] { return dlg.Notified(); }, 500);
        seen = answer.DialogsSeen();
    });
    host.DoModal();

    EXPECT_TRUE(pressedOnButton);
    EXPECT_EQ(seen, 0);
    EXPECT_TRUE(host.m_notified.empty());
    EXPECT_TRUE(host.m_posted.empty());
    EXPECT_FALSE(HasState(host.m_browse, BST_PUSHED));
}

TEST(BrowseButtonDialog, FolderWithoutAPathIsNoChoiceAndTheHeldPathStays) {
    TempFolder folder;
    bool bComInside = false;
    CBrowseHost host([&](CBrowseHost& dlg) {
        dlg.m_browse.SetOptions(BBS_ICON | BBS_OPENFOLDER | BBS_EDITABLE | BBS_BROWSEFOLDER);
        dlg.m_browse.SetFolderFlags(0); // the computer itself may be chosen
        dlg.m_browse.SetPathName(folder.Path());
        skintest::CDialogAnswerer answer(dlg.m_hWnd, [&](HWND hFolderDialog) {
            HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            bComInside = hr == S_FALSE;
            if (SUCCEEDED(hr))
                ::CoUninitialize();
            LPITEMIDLIST pidlComputer = nullptr;
            ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &pidlComputer);
            ::SendMessageW(hFolderDialog, BFFM_SETSELECTIONW, FALSE,
                           reinterpret_cast<LPARAM>(pidlComputer));
            ::CoTaskMemFree(pidlComputer);
            ::PostMessageW(hFolderDialog, WM_COMMAND, IDOK, 0);
        });
        Edit(dlg.m_browse).SetFocus();
        skintest::PressKey(VK_RETURN);
        ASSERT_TRUE(skintest::PumpUntil([&] { return dlg.Notified(); }, 10000));
        EXPECT_EQ(answer.DialogsSeen(), 1);
    });
    host.DoModal();

    ASSERT_EQ(host.m_notified.size(), 1u);
    EXPECT_EQ(host.m_notified[0].first, static_cast<WPARAM>(IDCANCEL));
    EXPECT_EQ(_wcsicmp(host.m_browse.GetPathName(), folder.Path()), 0);
    EXPECT_TRUE(bComInside);
}

} // namespace
