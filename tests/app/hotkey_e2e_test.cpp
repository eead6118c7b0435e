// A key combination of the user's own, end to end with real key presses: SendInput reaches the
// running program's registered combinations as a keyboard would, the program path dialog
// captures one, and a combination another program holds is refused and shown as unavailable;
// the tray menu's item of the key starts the same program, and "Pause keys" holds every press
// and lets the combination go until it is chosen again.
#include <gtest/gtest.h>

#include <windows.h>

#include "res/resource.h"
#include "tests/support/desktop.h"
#include "tests/support/form_driver.h"
#include "tests/support/form_process.h"
#include "tests/support/temp_folder.h"

namespace {

// Presses the combination into the field and waits until the field shows it.
bool Capture(HWND hField, std::initializer_list<WORD> keys, const wchar_t* shown) {
    PressKeys(keys);
    return WaitFor([&] { return TextOf(hField) == shown; });
}

// Whether another program could take the combination now.
bool IsFree(UINT modifiers, UINT key) {
    if (!::RegisterHotKey(nullptr, 3, modifiers, key))
        return false;
    ::UnregisterHotKey(nullptr, 3);
    return true;
}

TEST(OwnKeyCombination, StartsItsProgramLikeItsTrayItemUntilPausedAndOneHeldElsewhereIsRefused) {
    ASSERT_TRUE(WaitForNoForm(5000)) << "a form from an earlier test still runs";
    TempFolder dir;
    ProbeLog log(dir.Path() + L"\\probe.log");
    FormProcess form(dir.Path());
    // Held by this test process, as another program would hold it, until the process ends.
    ASSERT_TRUE(::RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_F8));
    form.WriteSetting(L"S2", L"DisplayName", L"Two");
    form.WriteSetting(L"S2", L"DefaultPath", L"\"" + ProbePath() + L"\" own-key");
    form.WriteSetting(L"S3", L"DisplayName", L"Three");
    form.WriteSetting(L"S3", L"Hotkey", L"Ctrl+Alt+F8");
    ASSERT_TRUE(form.Start());
    const DWORD pid = form.ProcessId();
    HWND hForm = form.FindForm();
    HWND hList = ::GetDlgItem(hForm, IDC_KEYLIST);

    // At start-up a combination another program holds is marked in its row, and nothing
    // interrupts with a message box.
    EXPECT_EQ(FindDialog(pid, hForm), nullptr);
    ASSERT_TRUE(ShowForm(hForm));
    EXPECT_EQ(RemoteListItemText(hList, 1, 2), CString(L"Ctrl+Alt+F8 (unavailable)"));
    HWND hDialog = OpenRow(pid, hForm, 0);
    ASSERT_NE(hDialog, nullptr);
    HWND hField = ::GetDlgItem(hDialog, IDC_PATH_HOTKEY);
    EXPECT_EQ(TextOf(hField), CString(L"None"));
    Click(ScreenRect(hField).CenterPoint());
    ASSERT_TRUE(WaitFor([&] { return FocusOf(hDialog) == hField; }));
    ASSERT_TRUE(Capture(hField, {VK_CONTROL, VK_MENU, VK_F9}, L"Ctrl+Alt+F9"));
    // Another program takes it before Apply: the dialog says so and stays open.
    ASSERT_TRUE(::RegisterHotKey(nullptr, 2, MOD_CONTROL | MOD_ALT, VK_F9));
    Click(ScreenRect(::GetDlgItem(hDialog, IDOK)).CenterPoint());
    CString text;
    ASSERT_TRUE(CloseMessageBox(pid, hDialog, &text));
    EXPECT_NE(text.Find(L"Ctrl+Alt+F9"), -1) << Utf8(text);
    EXPECT_NE(text.Find(L"another program may be using it"), -1) << Utf8(text);
    EXPECT_TRUE(::IsWindow(hDialog));
    ASSERT_TRUE(WaitFor([&] { return FocusOf(hDialog) == hField; }));
    ASSERT_TRUE(Capture(hField, {VK_CONTROL, VK_MENU, VK_F7}, L"Ctrl+Alt+F7"));
    ASSERT_TRUE(ApplyAndWait(hDialog));
    wchar_t saved[64] = {};
    ::GetPrivateProfileStringW(L"S2", L"Hotkey", L"", saved, 64, form.IniPath());
    EXPECT_STREQ(saved, L"Ctrl+Alt+F7");
    EXPECT_EQ(RemoteListItemText(hList, 0, 2), CString(L"Ctrl+Alt+F7"));

    ::PostMessageW(hForm, WM_COMMAND, MAKEWPARAM(IDC_MINIMIZE, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hForm, IDC_MINIMIZE)));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(hForm); }));
    PressKeys({VK_CONTROL, VK_MENU, VK_F7});
    log.WaitForLines(1);
    ::Sleep(300); // a second start would show up meanwhile
    auto lines = log.Read();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].commandLine, Utf8(L"\"" + ProbePath() + L"\" own-key"));
    EXPECT_FALSE(::IsWindowVisible(hForm));

    // The tray menu lists the entries that have a program just above "Exit"; S3 has none.
    auto chooseInTrayMenu = [&](std::initializer_list<WORD> keys) {
        ASSERT_TRUE(OpenTrayMenu(pid));
        for (WORD key : keys)
            PressKey(key);
        ASSERT_TRUE(WaitForNoPopupMenu());
    };
    const std::initializer_list<WORD> twoInTheTray = {VK_UP, VK_UP, VK_RETURN};
    const std::initializer_list<WORD> pauseKeys = {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};
    chooseInTrayMenu(twoInTheTray);
    EXPECT_EQ(log.WaitForLines(2).size(), 2u);
    EXPECT_EQ(log.Read().back().commandLine, lines[0].commandLine);

    // Paused, no press starts anything and the combination is free for other programs.
    chooseInTrayMenu(pauseKeys);
    EXPECT_TRUE(WaitFor([] { return IsFree(MOD_CONTROL | MOD_ALT, VK_F7); }));
    ASSERT_EQ(Fnkey(L"S2"), 0);
    chooseInTrayMenu(twoInTheTray);
    ::Sleep(300);
    EXPECT_EQ(log.Read().size(), 2u);
    chooseInTrayMenu(pauseKeys);
    EXPECT_TRUE(WaitFor([] { return !IsFree(MOD_CONTROL | MOD_ALT, VK_F7); }));
    ASSERT_EQ(Fnkey(L"S2"), 0);
    EXPECT_EQ(log.WaitForLines(3).size(), 3u);
}

} // namespace
