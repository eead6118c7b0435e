// Saves terminated at random moments, from every kind of settings file, beside the executable
// and in the user's copy: the settings file is always whole, the old one or a new one.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <string>

#include "framework/kernel_object.h"
#include "tests/support/temp_folder.h"
#include "torture_support.h"

namespace {

const wchar_t kSettings[] = L"; keep this note\r\n[Other]\r\nKeep=this value\r\n"
                            L"[S2]\r\nDisplayName=Mail\r\nDefaultPath=old.exe\r\n";

CString Value(const CString& file, const wchar_t* section, const wchar_t* key) {
    wchar_t value[512] = {};
    ::GetPrivateProfileStringW(section, key, L"", value, 512, file);
    return value;
}

// Whole: the file as it was, or one with the note, the foreign section and S2's name, and S2's
// path as installed or as a save wrote it. Counts the files that a save reached.
bool IsWhole(const CString& file, const std::string& installed, int* pSaved) {
    std::string bytes = FileBytes(file);
    if (bytes == installed)
        return true;
    CString path = Value(file, L"S2", L"DefaultPath");
    *pSaved += path.Left(15) == L"C:\\Tools\\saved " ? 1 : 0;
    return bytes.find(Utf16WithMark(L"; keep this note").substr(2)) != std::string::npos &&
           Value(file, L"Other", L"Keep") == L"this value" &&
           Value(file, L"S2", L"DisplayName") == L"Mail" &&
           (path == L"old.exe" || path.Left(15) == L"C:\\Tools\\saved ");
}

TEST(SaveKill, SettingsFileIsWholeWhereverASaveIsCutShort) {
    std::string ansi(std::begin(kSettings), std::end(kSettings) - 1);
    struct Kind {
        const char* what;
        std::string bytes;
        bool refused; // the executable's folder refuses the user: the saves go to the copy
    };
    const Kind kinds[] = {
        {"ANSI", ansi, false},
        {"UTF-16", Utf16WithMark(kSettings), false},
        {"UTF-8 without a mark", "; B\xC3\xBCro\r\n" + ansi, false},
        {"the user's copy", ansi, true},
    };
    std::mt19937_64 random(Seed());
    const int trials = Count(16, 100);
    int kills = 0, damaged = 0, saved = 0;
    for (const Kind& kind : kinds) {
        for (int trial = 0; trial < trials; ++trial, ++kills) {
            SCOPED_TRACE(testing::Message() << kind.what << ", trial " << trial);
            TempFolder dir;
            CString install = dir.MakeDir(L"app"), installIni = install + L"\\Hotkey.ini";
            // The local application data folder exists; the program's folder in it may not.
            CString userIni = dir.MakeDir(L"user") + L"\\KESTO Hotkey\\Hotkey.ini";
            WriteBytes(installIni, kind.bytes);
            CString event;
            event.Format(L"HotkeySaveKill%lu-%d", ::GetCurrentProcessId(), kills);
            CKernelObject ready(::CreateEventW(nullptr, TRUE, FALSE, event));
            CString commandLine;
            commandLine.Format(L"\"%s\\store_saver.exe\" \"%s\" \"%s\" %s%s", BinDir().GetString(),
                               install.GetString(), userIni.GetString(), event.GetString(),
                               kind.refused ? L" refuse" : L"");
            STARTUPINFOW startup{};
            startup.cb = sizeof(startup);
            PROCESS_INFORMATION started{};
            ASSERT_TRUE(::CreateProcessW(nullptr, commandLine.GetBuffer(), nullptr, nullptr, FALSE,
                                         0, nullptr, nullptr, &startup, &started));
            CKernelObject process(started.hProcess), thread(started.hThread);
            ASSERT_EQ(::WaitForSingleObject(ready, 20000), WAIT_OBJECT_0);
            ::Sleep(std::uniform_int_distribution<DWORD>(0, 40)(random));
            // Still saving: a save that failed would have ended it.
            ASSERT_EQ(::WaitForSingleObject(process, 0), DWORD{WAIT_TIMEOUT});
            ::TerminateProcess(process, 9);
            ::WaitForSingleObject(process, 20000);
            bool copied = kind.refused && ::GetFileAttributesW(userIni) != INVALID_FILE_ATTRIBUTES;
            bool whole = IsWhole(copied ? userIni : installIni, kind.bytes, &saved) &&
                         (!copied || FileBytes(installIni) == kind.bytes);
            EXPECT_TRUE(whole);
            damaged += whole ? 0 : 1;
        }
    }
    Figure("save kill: %d saves terminated at random moments (ANSI, UTF-16, UTF-8 and the "
           "user's copy), %d after a save had reached the file, %d files damaged",
           kills, saved, damaged);
}

} // namespace
