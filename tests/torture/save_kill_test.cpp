// Saves terminated at random moments, from every kind of settings file, beside the executable
// and in the user's copy: the settings file is always whole, the old one or a new one.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <string>

#include "framework/kernel_object.h"
#include "tests/app/temp_dir.h"
#include "torture_support.h"

namespace {

std::string Utf16(const std::wstring& text) {
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

std::string ReadBytes(const CString& path) {
    CKernelObject file(
        ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes(1 << 16, '\0');
    DWORD read = 0;
    if (file)
        ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

CString Value(const CString& file, const wchar_t* section, const wchar_t* key) {
    wchar_t value[512] = {};
    ::GetPrivateProfileStringW(section, key, L"", value, 512, file);
    return value;
}

// Whole: the file as it was, or one with the comment, the foreign section and S2's name, and
// S2's path as installed or as a save wrote it. Counts the files that a save reached.
bool IsWhole(const CString& file, const std::string& installed, const CString& name, int* pSaves) {
    std::string bytes = ReadBytes(file);
    if (bytes == installed)
        return true;
    bool comment = bytes.find(Utf16(L"; keep this note").substr(2)) != std::string::npos ||
                   bytes.find("; keep this note") != std::string::npos;
    CString path = Value(file, L"S2", L"DefaultPath");
    if (path.Left(15) == L"C:\\Tools\\saved ")
        ++*pSaves;
    else if (path != L"old.exe")
        return false;
    return comment && Value(file, L"Other", L"Keep") == L"this value" &&
           Value(file, L"S2", L"DisplayName") == name;
}

TEST(SaveKill, SettingsFileIsWholeWhereverASaveIsCutShort) {
    const std::string lines = "; keep this note\r\n[Other]\r\nKeep=this value\r\n"
                              "[S2]\r\nDisplayName=B\xC3\xBCro\r\nDefaultPath=old.exe\r\n";
    const CString name = L"B\u00FCro";
    struct Kind {
        const char* what;
        std::string bytes;
        bool refused; // the executable's folder refuses the user: the saves go to the copy
    };
    std::wstring wide(lines.size(), L'\0');
    wide.resize(::MultiByteToWideChar(CP_UTF8, 0, lines.data(), static_cast<int>(lines.size()),
                                      wide.data(), static_cast<int>(wide.size())));
    std::string ansi(lines.size(), '\0');
    ansi.resize(::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                      ansi.data(), static_cast<int>(ansi.size()), nullptr,
                                      nullptr));
    const Kind kinds[] = {
        {"ANSI", ansi, false},
        {"UTF-16", Utf16(wide), false},
        {"UTF-8 without a mark", lines, false},
        {"the user's copy", ansi, true},
    };
    std::mt19937_64 random(Seed());
    const int trials = Count(16, 100);
    const CString saver = BinDir() + L"\\store_saver.exe";
    int kills = 0, damaged = 0, afterASave = 0;
    for (const Kind& kind : kinds) {
        for (int trial = 0; trial < trials; ++trial) {
            SCOPED_TRACE(testing::Message() << kind.what << ", trial " << trial);
            TempDir dir;
            CString install = dir.MakeDir(L"app");
            // The local application data folder exists; the program's folder in it may not.
            CString userIni = dir.MakeDir(L"user") + L"\\KESTO Hotkey\\Hotkey.ini";
            CString installIni = install + L"\\Hotkey.ini";
            {
                CKernelObject file(::CreateFileW(installIni, GENERIC_WRITE, 0, nullptr,
                                                 CREATE_ALWAYS, 0, nullptr));
                DWORD written = 0;
                ::WriteFile(file, kind.bytes.data(), static_cast<DWORD>(kind.bytes.size()),
                            &written, nullptr);
            }
            CString eventName;
            eventName.Format(L"HotkeySaveKill%lu-%d", ::GetCurrentProcessId(), trial);
            CKernelObject ready(::CreateEventW(nullptr, TRUE, FALSE, eventName));
            CString commandLine;
            commandLine.Format(L"\"%s\" \"%s\" \"%s\" %s%s", saver.GetString(), install.GetString(),
                               userIni.GetString(), eventName.GetString(),
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
            ++kills;
            CString file = kind.refused && ::GetFileAttributesW(userIni) != INVALID_FILE_ATTRIBUTES
                               ? userIni
                               : installIni;
            int saves = 0;
            bool whole = IsWhole(file, kind.bytes, name, &saves);
            if (kind.refused)
                whole = whole && ReadBytes(installIni) == kind.bytes;
            EXPECT_TRUE(whole) << Utf8(file);
            damaged += whole ? 0 : 1;
            afterASave += saves;
        }
    }
    Figure("save kill: %d saves terminated at random moments (ANSI, UTF-16, UTF-8 and the "
           "user's copy), %d after at least one save had reached the file, %d files damaged",
           kills, afterASave, damaged);
}

} // namespace
