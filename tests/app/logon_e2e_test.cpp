// A session from logon on: "Start with Windows" in the tray menu writes the user's Run value,
// Wine's wineboot runs it as Windows does at logon, and the program it starts is found again
// by later starts, quietly by the system's, in front by the user's.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/session/autostart.h"
#include "tests/support/desktop.h"
#include "tests/support/form_process.h"
#include "tests/support/temp_folder.h"

namespace {

CString UserRunValue() {
    wchar_t value[MAX_PATH * 2] = {};
    DWORD size = sizeof(value);
    ::RegGetValueW(HKEY_CURRENT_USER, CAutostart::kRunSubKey, CAutostart::kValueName, RRF_RT_REG_SZ,
                   nullptr, value, &size);
    return value;
}

// wineboot would start whatever a Run value names at every later logon of the suite, so a
// value a test wrote never outlives it, whatever the test's outcome.
class UserRunValueGuard {
public:
    UserRunValueGuard() { Remove(); }
    ~UserRunValueGuard() { Remove(); }

private:
    static void Remove() {
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, CAutostart::kRunSubKey, CAutostart::kValueName);
    }
};

class LogonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForNoForm(5000)) << "a form from an earlier test still runs";
        ASSERT_TRUE(WaitForTrayIcons(0)) << "an icon from an earlier test is still shown";
        wchar_t machine[MAX_PATH] = {};
        DWORD size = sizeof(machine);
        ASSERT_NE(::RegGetValueW(HKEY_LOCAL_MACHINE, CAutostart::kRunSubKey, CAutostart::kValueName,
                                 RRF_RT_ANY, nullptr, machine, &size),
                  ERROR_SUCCESS)
            << "a machine Run value outlived its test";
    }

    // "Start with Windows", the third item of the tray menu of the process.
    static void ChooseStartWithWindows(DWORD pid) {
        ASSERT_TRUE(OpenTrayMenu(pid));
        for (WORD key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})
            PressKey(key);
        ASSERT_TRUE(WaitForNoPopupMenu());
    }

    UserRunValueGuard m_runValue;
    TempFolder m_dir;
    FormProcess m_form{m_dir.Path()};
};

TEST_F(LogonTest, StartWithWindowsRunsAtLogonHiddenWithItsIconAndALaterStartFindsIt) {
    const CString command = L"\"" + m_form.ExePath() + L"\" /autostart";
    ASSERT_TRUE(m_form.Start());
    ASSERT_TRUE(WaitForTrayIcons(1));
    ChooseStartWithWindows(m_form.ProcessId());
    ASSERT_TRUE(WaitFor([&] { return UserRunValue() == command; })) << Utf8(UserRunValue());
    m_form.Close();
    ASSERT_TRUE(m_form.WaitForExit(5000));
    ASSERT_TRUE(WaitForTrayIcons(0));

    // Without arguments wineboot runs the Run values, as a logon does.
    ASSERT_EQ(RunAndWait(L"wineboot.exe", nullptr, 60000), 0);
    HWND hForm = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hForm = FindAnyForm()) != nullptr; }, 30000));
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hForm, &pid);
    FormProcess logon(m_dir.Path());
    ASSERT_TRUE(logon.Attach(pid));
    EXPECT_TRUE(WaitForTrayIcons(1));
    EXPECT_FALSE(::IsWindowVisible(hForm));

    // Another start by the system ends quietly and leaves the form hidden.
    FormProcess again(m_dir.Path());
    ASSERT_TRUE(again.Launch(L"/autostart"));
    ASSERT_TRUE(again.WaitForExit(10000));
    EXPECT_EQ(again.ExitCode(), 0u);
    EXPECT_FALSE(WaitFor([&] { return ::IsWindowVisible(hForm) != FALSE; }, 1000));
    EXPECT_EQ(TrayIcons().size(), 1u);

    // The user's start brings the form up in front, as "Show" does.
    FormProcess user(m_dir.Path());
    ASSERT_TRUE(user.Launch());
    ASSERT_TRUE(user.WaitForExit(10000));
    EXPECT_EQ(user.ExitCode(), 0u);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(hForm) != FALSE; }));
    EXPECT_TRUE(WaitForTrayIcons(0));
    EXPECT_EQ(::GetForegroundWindow(), hForm);
    EXPECT_EQ(logon.FindForm(), hForm);

    // Back in the tray, the same item removes the value again.
    ::PostMessageW(hForm, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitForTrayIcons(1));
    ChooseStartWithWindows(pid);
    EXPECT_TRUE(WaitFor([&] { return UserRunValue().IsEmpty(); }));
    EXPECT_TRUE(logon.IsRunning());
}

} // namespace
