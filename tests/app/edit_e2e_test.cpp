// The road of an edit on the running program, with the user's real mouse and keyboard: a
// double click on a key's row, the program path dialog, the real Open dialog, Apply, the
// settings file, and the next press of that key.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "app/messages.h"
#include "desktop.h"
#include "form_process.h"
#include "temp_dir.h"

namespace {

constexpr int kListId = 1000;
constexpr int kKeyLabelId = 1003;
constexpr int kBrowseId = 1007;
constexpr int kBrowseEditId = 12345;

struct DialogSearch {
    DWORD pid;
    HWND hExcept;
    const wchar_t* title; // null: any
    HWND hFound;
};

// A visible top-level dialog of the process, other than the form, by its title.
HWND FindDialog(DWORD pid, HWND hExcept, const wchar_t* title = nullptr) {
    DialogSearch search{pid, hExcept, title, nullptr};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<DialogSearch*>(lParam);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hWnd, &pid);
            wchar_t cls[16] = {}, text[64] = {};
            ::GetClassNameW(hWnd, cls, 16);
            ::GetWindowTextW(hWnd, text, 64);
            if (pid != s->pid || hWnd == s->hExcept || !::IsWindowVisible(hWnd) ||
                wcscmp(cls, L"#32770") != 0 || (s->title && wcscmp(text, s->title) != 0))
                return TRUE;
            s->hFound = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

// Asked of the window itself: another process's edit keeps its text to itself.
CString TextOf(HWND hWnd) {
    wchar_t text[512] = {};
    ::SendMessageW(hWnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

CRect ScreenRect(HWND hWnd) {
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

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
        m_form.WriteSetting(L"S2", L"DisplayName", L"Mail");
        m_form.WriteSetting(L"S2", L"DefaultPath", L"mail.exe");
        m_form.WriteSetting(L"S5", L"DisplayName", L"Web");
        m_form.WriteSetting(L"S5", L"DefaultPath", m_strOldPath);
        ASSERT_TRUE(m_form.Start());
        m_hForm = m_form.FindForm();
        ::PostMessageW(m_hForm, WM_SHOW_FORM, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(m_hForm) != FALSE; }));
        m_hList = ::GetDlgItem(m_hForm, kListId);
    }

    // Double-clicks the row with real input and waits for the path dialog.
    HWND OpenRow(int nRow) {
        Click(RemoteListItemRect(m_hList, nRow).CenterPoint(), false, 2);
        HWND hDialog = nullptr;
        WaitFor([&] { return (hDialog = FindDialog(m_form.ProcessId(), m_hForm)) != nullptr; });
        return hDialog;
    }

    // Opens the Open dialog from the browse button and chooses the path by typing it.
    bool BrowseTo(HWND hDialog, const CString& path) {
        CRect button = ScreenRect(::GetDlgItem(hDialog, kBrowseId));
        Click(CPoint(button.right - button.Height() / 2, button.CenterPoint().y));
        HWND hOpen = nullptr;
        if (!WaitFor([&] { return (hOpen = FindDialog(m_form.ProcessId(), hDialog, L"Open")); })) {
            return false;
        }
        ::Sleep(200); // the dialog puts the focus into its file name field once it is shown
        TypeText(path);
        PressKey(VK_RETURN);
        return WaitFor([&] { return !::IsWindow(hOpen) || !::IsWindowVisible(hOpen); });
    }

    CString PathShown(HWND hDialog) const {
        return TextOf(::GetDlgItem(::GetDlgItem(hDialog, kBrowseId), kBrowseEditId));
    }

    TempDir m_dir;
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
    EXPECT_EQ(TextOf(::GetDlgItem(hDialog, kKeyLabelId)), CString(L" Web"));
    EXPECT_EQ(PathShown(hDialog), m_strOldPath);

    // The dialog is dragged by its background.
    CRect before = ScreenRect(hDialog);
    Drag(CPoint(before.left + 8, before.bottom - 8), CPoint(before.left + 48, before.bottom + 22));
    EXPECT_TRUE(WaitFor([&] {
        return ScreenRect(hDialog).TopLeft() == CPoint(before.left + 40, before.top + 30);
    }));

    ASSERT_TRUE(BrowseTo(hDialog, m_strNewProgram));
    EXPECT_EQ(PathShown(hDialog), m_strNewProgram);
    Click(ScreenRect(::GetDlgItem(hDialog, IDOK)).CenterPoint());
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(hDialog); }));

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

TEST_F(EditRoadTest, FailedSaveKeepsTheRowAndTheSlot) {
    // Another program holds the settings file open and shares nothing.
    HANDLE hHeld = ::CreateFileW(m_form.IniPath(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    HWND hDialog = OpenRow(1);
    ASSERT_NE(hDialog, nullptr);
    ASSERT_TRUE(BrowseTo(hDialog, m_strNewProgram));
    Click(ScreenRect(::GetDlgItem(hDialog, IDOK)).CenterPoint());
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(hDialog); }));
    ::CloseHandle(hHeld);

    EXPECT_EQ(RemoteListItemText(m_hList, 1, 1), m_strOldPath);
    EXPECT_EQ(ReadSetting(m_form.IniPath(), L"S5", L"DefaultPath"), m_strOldPath);
    ASSERT_EQ(Fnkey(L"S5"), 0);
    auto lines = m_log.WaitForLines(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].commandLine.find(" old"), std::string::npos) << lines[0].commandLine;
}

} // namespace
