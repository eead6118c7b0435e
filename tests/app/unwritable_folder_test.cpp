// The settings file in a folder the user may not write, as an administrator leaves it under
// Program Files; run by unwritable_folder.sh as a user the folder really refuses.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/settings/settings_file_replace.h"
#include "app/settings/settings_store.h"

namespace {

TEST(UnwritableFolder, MarklessUtf8FileIsReadAsUtf8AndLeftAsItIs) {
    wchar_t folder[MAX_PATH] = {};
    ASSERT_TRUE(::GetEnvironmentVariableW(L"HOTKEY_UNWRITABLE_FOLDER", folder, MAX_PATH))
        << "run by unwritable_folder.sh";
    ASSERT_TRUE(CSettingsFileReplace::FolderRefusesNewFile(folder));
    CHotkeySettingsStore store;
    store.BuildIniPathFrom(CString(folder) + L"\\HotkeyForm.exe");
    std::string before, after;
    ASSERT_EQ(ReadWholeFile(store.m_strIniPath, before), DWORD{ERROR_SUCCESS});
    ASSERT_EQ(store.LoadSettings().size(), 1u);
    EXPECT_EQ(std::wstring(store.m_slots[1].strDisplayName.GetString()), L"B\xFCro");
    ASSERT_EQ(ReadWholeFile(store.m_strIniPath, after), DWORD{ERROR_SUCCESS});
    EXPECT_EQ(after, before);
}

} // namespace
