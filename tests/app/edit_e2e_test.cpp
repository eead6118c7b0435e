// The road of an edit on the running program, with the user's real mouse and keyboard: a
// double click on a key's row, the program path dialog, the real Open dialog, Apply, the
// settings file, and the next press of that key.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <utility>

#include "app/messages.h"
#include "controls/skin/browse_button.h"
#include "res/resource.h"
#include "tests/support/desktop.h"
#include "tests/support/form_driver.h"
#include "tests/support/form_process.h"
#include "tests/support/temp_folder.h"

namespace {

CString ReadSetting(const CString& file, const wchar_t* section, const wchar_t* key) {
    wchar_t value[512] = {};
    ::GetPrivateProfileStringW(section, key, L"", value, 512, file);
    return value;
}

class EditRoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForNoForm(5000)) << "a form from an earlier test still runs";
        m_strOldPath = L"\"" + ProbePath() + L"\" old";
        m_strNewProgram = m_dir.Path() + L"\\web tool.exe";
        ASSERT_TRUE(CopyProgram(ProbePath(), m_strNewProgram));
        // Both rows named alike: each still edits its own slot.
        m_form.WriteSetting(L"S2", L"DisplayName", L"Web");
        m_form.WriteSetting(L"S2", L"DefaultPath", L"mail.exe");
        m_form.WriteSetting(L"S5", L"DisplayName", L"Web");
        m_form.WriteSetting(L"S5", L"DefaultPath", m_strOldPath);
        ASSERT_TRUE(m_form.Start());
        m_hForm = m_form.FindForm();
        ASSERT_TRUE(ShowForm(m_hForm));
        m_hList = ::GetDlgItem(m_hForm, IDC_KEYLIST);
    }

    HWND OpenRow(int nRow) { return ::OpenRow(m_form.ProcessId(), m_hForm, nRow); }
    // Presses keys on the list; the path dialog that opened, or null.
    HWND OpenWithKeys(const std::function<void()>& press) {
        press();
        HWND hDialog = nullptr;
        WaitFor([&] { return (hDialog = FindDialog(m_form.ProcessId(), m_hForm)) != nullptr; });
        return hDialog;
    }
    bool FocusIsOnRow(int nRow) {
        return WaitFor([&] {
            return FocusOf(m_hForm) == m_hList &&
                   ::SendMessageW(m_hList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                  LVNI_FOCUSED | LVNI_SELECTED) == nRow;
        });
    }
    bool BrowseTo(HWND hDialog, const CString& path) {
        return ::BrowseTo(m_form.ProcessId(), hDialog, path);
    }

    CString PathShown(HWND hDialog) const {
        return TextOf(::GetDlgItem(::GetDlgItem(hDialog, IDC_PATH_BROWSE), CBrowseButton::kEditId));
    }

    TempFolder m_dir;
    ProbeLog m_log{m_dir.Path() + L"\\probe.log"};
    FormProcess m_form{m_dir.Path()};
    HWND m_hForm = nullptr;
    HWND m_hList = nullptr;
    CString m_strOldPath;
    CString m_strNewProgram;
};

TEST_F(EditRoadTest, ChosenProgramReachesTheRowTheFileAndTheNextKeyPress) {
    HWND hDialog = OpenRow(1);
    ASSERT_NE(hDialog, nullptr);
    EXPECT_EQ(TextOf(::GetDlgItem(hDialog, IDC_PATH_KEY)), CString(L" Web"));
    EXPECT_EQ(PathShown(hDialog), m_strOldPath);

    // The dialog is dragged by its background.
    CRect before = ScreenRect(hDialog);
    Drag(CPoint(before.left + 8, before.bottom - 8), CPoint(before.left + 48, before.bottom + 22));
    EXPECT_TRUE(WaitFor([&] {
        return ScreenRect(hDialog).TopLeft() == CPoint(before.left + 40, before.top + 30);
    }));

    ASSERT_TRUE(BrowseTo(hDialog, m_strNewProgram));
    EXPECT_EQ(PathShown(hDialog), m_strNewProgram);
    ASSERT_TRUE(ApplyAndWait(hDialog));

    EXPECT_EQ(RemoteListItemText(m_hList, 1, 1), m_strNewProgram);
    EXPECT_EQ(ReadSetting(m_form.IniPath(), L"S5", L"DefaultPath"), m_strNewProgram);
    EXPECT_EQ(ReadSetting(m_form.IniPath(), L"S2", L"DefaultPath"), CString(L"mail.exe"));
    ASSERT_EQ(Fnkey(L"S5"), 0);
    auto lines = m_log.WaitForLines(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].commandLine.find("web tool.exe"), std::string::npos) << lines[0].commandLine;
}

TEST_F(EditRoadTest, CancelEscapeAndSystemCloseChangeNothing) {
    struct Case {
        const char* name;
        void (*close)(HWND hDialog);
    };
    const Case cases[] = {
        {"Cancel", [](HWND h) { Click(ScreenRect(::GetDlgItem(h, IDCANCEL)).CenterPoint()); }},
        {"Esc", [](HWND) { PressKey(VK_ESCAPE); }},
        {"system Close", [](HWND h) { ::PostMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Case& c : cases) {
        HWND hDialog = OpenRow(1);
        ASSERT_NE(hDialog, nullptr) << c.name;
        ASSERT_TRUE(BrowseTo(hDialog, m_strNewProgram)) << c.name;
        c.close(hDialog);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(hDialog); })) << c.name;
        EXPECT_EQ(RemoteListItemText(m_hList, 1, 1), m_strOldPath) << c.name;
        EXPECT_EQ(ReadSetting(m_form.IniPath(), L"S5", L"DefaultPath"), m_strOldPath) << c.name;
    }
}

TEST_F(EditRoadTest, FailedSaveKeepsTheRowAndTheSlotAndSaysWhy) {
    // Another program holds the settings file open and shares nothing.
    HANDLE hHeld = ::CreateFileW(m_form.IniPath(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    HWND hDialog = OpenRow(1);
    ASSERT_NE(hDialog, nullptr);
    ASSERT_TRUE(BrowseTo(hDialog, m_strNewProgram));
    CString message;
    ASSERT_TRUE(ApplyRefusedAndWait(m_form.ProcessId(), hDialog, &message));
    ::CloseHandle(hHeld);
    EXPECT_GE(message.Find(m_form.IniPath()), 0) << Utf8(message);

    EXPECT_EQ(RemoteListItemText(m_hList, 1, 1), m_strOldPath);
    EXPECT_EQ(ReadSetting(m_form.IniPath(), L"S5", L"DefaultPath"), m_strOldPath);
    ASSERT_EQ(Fnkey(L"S5"), 0);
    auto lines = m_log.WaitForLines(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].commandLine.find(" old"), std::string::npos) << lines[0].commandLine;
}

TEST_F(EditRoadTest, KeysAloneEditARowAndLeaveTheFocusOnIt) {
    // The form shows with its list focused; Down picks the first row, Down again the second.
    ASSERT_TRUE(WaitFor([&] { return FocusOf(m_hForm) == m_hList; }));
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    ASSERT_TRUE(FocusIsOnRow(1));
    // The menu keys open the list's menu, whose Edit item opens the dialog.
    auto edit = [this] {
        if (WaitForPopupMenu(m_form.ProcessId()))
            PressKey('E');
    };
    const std::pair<const char*, std::function<void()>> openers[] = {
        {"Applications key, Edit",
         [&] {
             PressKey(VK_APPS);
             edit();
         }},
        {"Shift+F10, Edit",
         [&] {
             PressKeys({VK_SHIFT, VK_F10});
             edit();
         }},
        {"F2", [] { PressKey(VK_F2); }},
    };
    for (const auto& [name, press] : openers) {
        HWND hDialog = OpenWithKeys(press);
        ASSERT_NE(hDialog, nullptr) << name;
        EXPECT_EQ(TextOf(::GetDlgItem(hDialog, IDC_PATH_KEY)), CString(L" Web")) << name;
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(hDialog); })) << name;
        EXPECT_TRUE(FocusIsOnRow(1)) << name;
    }

    // In reading order the browse field comes first: Enter browses; Tab goes on through the
    // key combination field, which takes every other key but Tab, and Clear, then reaches each
    // of the launch options in turn, which keys set, and Apply saves them all.
    HWND hDialog = OpenWithKeys([] { PressKey(VK_F2); });
    ASSERT_NE(hDialog, nullptr);
    HWND hField = ::GetDlgItem(::GetDlgItem(hDialog, IDC_PATH_BROWSE), CBrowseButton::kEditId);
    ASSERT_TRUE(WaitFor([&] { return FocusOf(hDialog) == hField; }));
    PressKey(VK_RETURN);
    ASSERT_TRUE(ChooseInOpenDialog(m_form.ProcessId(), hDialog, m_strNewProgram));
    ASSERT_TRUE(WaitFor([&] { return FocusOf(hDialog) == hField; }));
    const std::pair<HWND, std::function<void()>> stops[] = {
        {::GetDlgItem(hDialog, IDC_PATH_HOTKEY), [] {}},
        {::GetDlgItem(hDialog, IDC_PATH_HOTKEY_CLEAR), [] {}},
        {::GetDlgItem(::GetDlgItem(hDialog, IDC_PATH_STARTIN), CBrowseButton::kEditId),
         [] { TypeText(L"%TEMP%"); }},
        {::GetDlgItem(hDialog, IDC_PATH_WINDOW), [] { PressKey(VK_DOWN); }},
        {::GetDlgItem(hDialog, IDC_PATH_IFRUNNING), [] { PressKey(VK_DOWN); }},
        {::GetDlgItem(hDialog, IDC_PATH_ADMIN), [] { PressKey(VK_SPACE); }},
        {::GetDlgItem(hDialog, IDOK), [] { PressKey(VK_RETURN); }},
    };
    for (const auto& [hStop, set] : stops) {
        PressKey(VK_TAB);
        ASSERT_TRUE(WaitFor([&] { return FocusOf(hDialog) == hStop; })) << ::GetDlgCtrlID(hStop);
        set();
    }
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(hDialog); }));
    EXPECT_EQ(RemoteListItemText(m_hList, 1, 1), m_strNewProgram);
    EXPECT_EQ(ReadSetting(m_form.IniPath(), L"S5", L"DefaultPath"), m_strNewProgram);
    const std::pair<const wchar_t*, const wchar_t*> options[] = {
        {L"StartIn", L"%TEMP%"},
        {L"Window", L"Minimized"},
        {L"IfRunning", L"BringToFront"},
        {L"RunAs", L"Admin"},
    };
    for (const auto& [key, value] : options)
        EXPECT_EQ(ReadSetting(m_form.IniPath(), L"S5", key), CString(value)) << Utf8(key);
    EXPECT_TRUE(FocusIsOnRow(1));

    // The hidden form edits nothing, whoever asks.
    ::PostMessageW(m_hForm, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(m_hForm); }));
    ::PostMessageW(m_hForm, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hList), -1);
    ::Sleep(500);
    EXPECT_EQ(FindDialog(m_form.ProcessId(), m_hForm), nullptr);
}

// A key of the user's own: Insert opens the dialog for it, which wants a name; Apply adds it
// after the driver's keys, in S6. Delete asks first, with No as the default, and leaves the
// driver's keys alone.
TEST_F(EditRoadTest, InsertAddsANamedKeyAndDeleteRemovesItOnceConfirmed) {
    ASSERT_TRUE(WaitFor([&] { return FocusOf(m_hForm) == m_hList; }));
    HWND hDialog = OpenWithKeys([] { PressKey(VK_INSERT); });
    ASSERT_NE(hDialog, nullptr);
    HWND hName = ::GetDlgItem(hDialog, IDC_PATH_NAME);
    EXPECT_TRUE(WaitFor([&] { return FocusOf(hDialog) == hName; }));
    ASSERT_TRUE(BrowseTo(hDialog, m_strNewProgram));
    Click(ScreenRect(::GetDlgItem(hDialog, IDOK)).CenterPoint());
    CString message;
    ASSERT_TRUE(CloseMessageBox(m_form.ProcessId(), hDialog, &message));
    ASSERT_TRUE(WaitFor([&] { return FocusOf(hDialog) == hName; })) << Utf8(message);
    TypeText(L"Tool");
    ASSERT_TRUE(ApplyAndWait(hDialog));
    ASSERT_TRUE(FocusIsOnRow(2));
    EXPECT_EQ(RemoteListItemText(m_hList, 2, 0), CString(L" Tool"));
    EXPECT_EQ(RemoteListItemText(m_hList, 2, 1), m_strNewProgram);
    EXPECT_EQ(ReadSetting(m_form.IniPath(), L"S6", L"DefaultPath"), m_strNewProgram);

    // Delete on a driver's key opens nothing: the F2 after it opens the dialog.
    PressKey(VK_UP);
    PressKey(VK_DELETE);
    hDialog = OpenWithKeys([] { PressKey(VK_F2); });
    ASSERT_NE(hDialog, nullptr);
    EXPECT_NE(::GetDlgItem(hDialog, IDC_PATH_BROWSE), nullptr);
    ASSERT_TRUE(CancelAndWait(hDialog));
    PressKey(VK_DOWN);
    for (WORD answer : {WORD{VK_RETURN}, WORD{'Y'}}) {
        PressKey(VK_DELETE);
        HWND hAsk = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            return (hAsk = FindDialog(m_form.ProcessId(), m_hForm, L"KESTO Hotkey")) != nullptr;
        }));
        PressKey(answer);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(hAsk); }));
        EXPECT_EQ(::SendMessageW(m_hList, LVM_GETITEMCOUNT, 0, 0), answer == 'Y' ? 2 : 3);
    }
    EXPECT_EQ(ReadSetting(m_form.IniPath(), L"S6", L"DisplayName"), CString());
}

} // namespace
