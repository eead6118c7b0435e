// The Run values without a running program: which values start this executable, and what the
// tray menu's item shows and does with them.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/session/autostart.h"

namespace {

constexpr wchar_t kProgram[] = L"C:\\Program Files\\KESTO Hotkey\\HotkeyForm.exe";
constexpr wchar_t kTestKey[] = L"Software\\KESTO Hotkey Tests";
constexpr wchar_t kUserKey[] = L"Software\\KESTO Hotkey Tests\\User";
constexpr wchar_t kMachineKey[] = L"Software\\KESTO Hotkey Tests\\Machine";

class RunValuesTest : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }
    static void Put(const wchar_t* key, DWORD type, const wchar_t* command) {
        if (!command)
            return;
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, key, CAutostart::kValueName, type, command,
                                    (lstrlenW(command) + 1) * sizeof(wchar_t)),
                  ERROR_SUCCESS);
    }
    static CString UserValue() {
        wchar_t value[MAX_PATH * 2] = {};
        DWORD size = sizeof(value);
        ::RegGetValueW(HKEY_CURRENT_USER, kUserKey, CAutostart::kValueName, RRF_RT_REG_SZ, nullptr,
                       value, &size);
        return value;
    }
    CAutostart m_autostart{
        {HKEY_CURRENT_USER, kUserKey}, {HKEY_CURRENT_USER, kMachineKey}, kProgram};
};

TEST_F(RunValuesTest, StateAndToggleFollowTheUsersAndTheMachinesValues) {
    using State = CAutostart::State;
    const CString ours = m_autostart.GetCommand();
    ::SetEnvironmentVariableW(L"KESTO_TEST_FOLDER", L"C:\\Program Files\\KESTO Hotkey");
    struct Case {
        const char* name;
        const wchar_t* user;
        const wchar_t* machine;
        DWORD machineType;
        State before;
        CString userAfterToggle;
        State after;
        // The first byte of Task Manager's record beside both Run keys, which turns a value off
        // when odd; 0 for no record.
        BYTE approval = 0;
    } cases[] = {
        {"none", nullptr, nullptr, REG_SZ, State::Off, ours, State::User},
        {"ours", ours, nullptr, REG_SZ, State::User, L"", State::Off},
        {"ours unquoted, in another case", L"  c:\\program files\\kesto hotkey\\HOTKEYFORM.EXE",
         nullptr, REG_SZ, State::User, L"", State::Off},
        {"another copy's", L"\"C:\\Old\\HotkeyForm.exe\" /autostart", nullptr, REG_SZ, State::Off,
         ours, State::User},
        {"a longer name's", L"C:\\Program Files\\KESTO Hotkey\\HotkeyForm.exe2 /autostart", nullptr,
         REG_SZ, State::Off, ours, State::User},
        {"machine's", nullptr, ours, REG_SZ, State::Machine, L"", State::Machine},
        {"machine's with a folder variable", ours,
         L"\"%KESTO_TEST_FOLDER%\\HotkeyForm.exe\" /autostart", REG_EXPAND_SZ, State::Machine, ours,
         State::Machine},
        {"machine's for another copy", nullptr, L"C:\\Old\\HotkeyForm.exe", REG_SZ, State::Off,
         ours, State::User},
        {"ours turned on in Task Manager", ours, nullptr, REG_SZ, State::User, L"", State::Off,
         0x02},
        {"ours turned off, then on by the item", ours, nullptr, REG_SZ, State::Off, ours,
         State::User, 0x03},
        {"machine's turned on", nullptr, ours, REG_SZ, State::Machine, L"", State::Machine, 0x06},
        {"machine's turned off", nullptr, ours, REG_SZ, State::Off, ours, State::User, 0x03},
    };
    // The machine's values are read in both registry views, which the test's key shares; the
    // 32-bit view's records carry a 32 on the Run key's name.
    const CString approved = CString(kTestKey) + L"\\Explorer\\StartupApproved\\";
    for (const Case& c : cases) {
        SetUp();
        Put(kUserKey, REG_SZ, c.user);
        Put(kMachineKey, c.machineType, c.machine);
        const BYTE record[12] = {c.approval};
        for (const wchar_t* name : {L"User", L"Machine", L"Machine32"}) {
            LONG result = c.approval ? ::RegSetKeyValueW(HKEY_CURRENT_USER, approved + name,
                                                         CAutostart::kValueName, REG_BINARY, record,
                                                         sizeof(record))
                                     : ERROR_SUCCESS;
            ASSERT_EQ(result, ERROR_SUCCESS) << c.name;
        }
        EXPECT_EQ(m_autostart.GetState(), c.before) << c.name;
        EXPECT_EQ(m_autostart.Toggle(), ERROR_SUCCESS) << c.name;
        EXPECT_EQ(UserValue(), c.userAfterToggle) << c.name;
        EXPECT_EQ(m_autostart.GetState(), c.after) << c.name;
    }
    ::SetEnvironmentVariableW(L"KESTO_TEST_FOLDER", nullptr);
    EXPECT_EQ(ours, L"\"" + CString(kProgram) + L"\" /autostart");
}

TEST_F(RunValuesTest, ARefusedWriteGivesThePlatformsReasonAndChangesNothing) {
    // A root the platform refuses stands for a Run key the user may not write.
    CAutostart refused({reinterpret_cast<HKEY>(0x1234), kUserKey}, {HKEY_CURRENT_USER, kMachineKey},
                       kProgram);
    EXPECT_NE(refused.Toggle(), ERROR_SUCCESS);
    EXPECT_EQ(refused.GetState(), CAutostart::State::Off);
}

TEST(AutostartTest, TheMenuItemIsCheckedForAnyValueAndGreyedForTheMachines) {
    using State = CAutostart::State;
    struct Case {
        State state;
        UINT flags;
    } cases[] = {
        {State::Machine, MF_CHECKED | MF_GRAYED}, {State::User, MF_CHECKED}, {State::Off, 0}};
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 7, L"Start with Windows");
    for (const Case& c : cases) {
        ShowAutostartState(menu, 7, c.state);
        EXPECT_EQ(menu.GetMenuState(7) & (MF_CHECKED | MF_GRAYED), c.flags)
            << static_cast<int>(c.state);
    }
}

} // namespace
