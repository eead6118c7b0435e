// The command line handed over for a stored path, on real folders with a planted program, and
// the shell's start of a program that the platform refuses without elevation.
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>

#include <string>
#include <vector>

#include "app/hotkey_form.h"
#include "app/launch.h"
#include "framework/kernel_object.h"
#include "temp_dir.h"

namespace {

// The form whose window a consent prompt comes up in front of; the stand-ins only compare it.
const HWND kOwner = reinterpret_cast<HWND>(0x1234);

bool MakeFile(const CString& path) {
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

TEST(CommandLineForPath, QuotesTheLongestProgramPrefixSoAPlantedShorterOneCannotWin) {
    TempDir dir;
    CString tool = dir.MakeDir(L"Program Files\\Tool") + L"\\tool.exe";
    ASSERT_TRUE(MakeFile(tool));
    ASSERT_TRUE(MakeFile(dir.Path() + L"\\Program.exe"));
    CString toolNoExt = tool.Left(tool.GetLength() - 4);
    CString missing = dir.MakeDir(L"Other Dir") + L"\\missing.exe -x";

    struct Case {
        const char* what;
        CString stored;
        CString expected;
    };
    const Case cases[] = {
        {"program alone", tool, L"\"" + tool + L"\""},
        {"program alone, no extension", toolNoExt, L"\"" + toolNoExt + L"\""},
        {"program and arguments", tool + L" -x \"a b\"", L"\"" + tool + L"\" -x \"a b\""},
        {"no extension, arguments", toolNoExt + L" -x", L"\"" + toolNoExt + L"\" -x"},
        {"two blanks before the arguments", tool + L"  -x", L"\"" + tool + L"\"  -x"},
        {"names no file", missing, missing},
        {"already quoted", L"\"" + tool + L"\" -x", L"\"" + tool + L"\" -x"},
        {"no blank", L"tool.exe", L"tool.exe"},
        {"empty", L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::wstring(CommandLineForPath(c.stored).GetString()),
                  std::wstring(c.expected.GetString()))
            << c.what;
    }
}

// CreateProcessW failing with a chosen error, and the shell recording what it was asked, on
// whatever thread asks it.
DWORD g_createError = 0;
CRITICAL_SECTION g_shellLock = [] {
    CRITICAL_SECTION cs;
    ::InitializeCriticalSection(&cs);
    return cs;
}();
std::vector<std::wstring> g_shellStarts;

BOOL WINAPI FailingCreateProcess(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                                 BOOL, DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW,
                                 LPPROCESS_INFORMATION) {
    ::SetLastError(g_createError);
    return FALSE;
}

BOOL WINAPI RecordingShellExecute(SHELLEXECUTEINFOW* info) {
    ::EnterCriticalSection(&g_shellLock);
    g_shellStarts.push_back(std::wstring(info->lpVerb) + L"|" + info->lpFile + L"|" +
                            (info->lpParameters ? info->lpParameters : L"(none)") +
                            (info->hwnd == kOwner ? L"" : L"|not in front of the form"));
    ::LeaveCriticalSection(&g_shellLock);
    return TRUE;
}

std::vector<std::wstring> ShellStartsAfter(size_t expected) {
    for (int waited = 0;; waited += 10) {
        ::EnterCriticalSection(&g_shellLock);
        std::vector<std::wstring> starts = g_shellStarts;
        ::LeaveCriticalSection(&g_shellLock);
        if (starts.size() >= expected || waited >= 10000)
            return starts;
        ::Sleep(10);
    }
}

class ElevatedStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_pfnCreateProcess = &FailingCreateProcess;
        g_createError = kErrorElevationRequired;
    }
    void TearDown() override {
        g_pfnCreateProcess = &::CreateProcessW;
        g_pfnShellExecuteEx = &::ShellExecuteExW;
    }
};

TEST_F(ElevatedStartTest, ProgramThatNeedsElevationStartsThroughTheShellWithTheSameArguments) {
    TempDir dir;
    CString tool = dir.MakeDir(L"Reg Tools") + L"\\reg edit.exe";
    ASSERT_TRUE(MakeFile(tool));
    struct Case {
        const char* what;
        CString stored;
        DWORD error;
        std::wstring shell; // verb|program|arguments, or nothing when the shell is not asked
    };
    const Case cases[] = {
        {"quoted, arguments", L"\"" + tool + L"\" /m \"a b\"", kErrorElevationRequired,
         L"runas|" + std::wstring(tool) + L"|/m \"a b\""},
        {"unquoted with a blank, arguments", tool + L" /m", kErrorElevationRequired,
         L"runas|" + std::wstring(tool) + L"|/m"},
        {"plain path", L"C:\\Windows\\regedit.exe", kErrorElevationRequired,
         L"runas|C:\\Windows\\regedit.exe|(none)"},
        {"missing program", tool + L" /m", ERROR_FILE_NOT_FOUND, L""},
        {"document", L"C:\\notes.txt", ERROR_BAD_EXE_FORMAT, L""},
    };
    g_pfnShellExecuteEx = &RecordingShellExecute;
    for (const Case& c : cases) {
        g_createError = c.error;
        g_shellStarts.clear();
        CHotkeyFormDlg::LaunchSlot(KEYSLOT{L"Key", c.stored}, kOwner);
        EXPECT_EQ(ShellStartsAfter(c.shell.empty() ? 0 : 1),
                  c.shell.empty() ? std::vector<std::wstring>{}
                                  : std::vector<std::wstring>{c.shell})
            << c.what;
    }
}

// A shell call that waits, as the consent prompt waits for the user, until it is let go.
struct BlockedShell {
    CKernelObject entered{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    CKernelObject release{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    CKernelObject left{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    DWORD thread = 0;
    HRESULT com = E_FAIL;
    HWND owner = nullptr;
} g_blocked;

BOOL WINAPI BlockingShellExecute(SHELLEXECUTEINFOW* info) {
    g_blocked.thread = ::GetCurrentThreadId();
    g_blocked.owner = info->hwnd;
    // S_FALSE: the thread's apartment was already there, as the shell's extensions need it.
    g_blocked.com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(g_blocked.com))
        ::CoUninitialize();
    ::SetEvent(g_blocked.entered);
    ::WaitForSingleObject(g_blocked.release, 10000);
    ::SetEvent(g_blocked.left);
    ::SetLastError(ERROR_CANCELLED); // declined
    return FALSE;
}

TEST_F(ElevatedStartTest, ConsentPromptWaitsOnAThreadOfItsOwnWithTheFormAsItsOwner) {
    g_pfnShellExecuteEx = &BlockingShellExecute;
    CHotkeyFormDlg::LaunchSlot(KEYSLOT{L"Key", L"C:\\Windows\\regedit.exe"}, kOwner);
    // Back here while the prompt still waits: the form's messages keep flowing.
    ASSERT_EQ(::WaitForSingleObject(g_blocked.entered, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(g_blocked.left, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_NE(g_blocked.thread, ::GetCurrentThreadId());
    EXPECT_EQ(g_blocked.owner, kOwner);
    EXPECT_EQ(g_blocked.com, S_FALSE);
    ::SetEvent(g_blocked.release);
    ASSERT_EQ(::WaitForSingleObject(g_blocked.left, 10000), WAIT_OBJECT_0);
}

} // namespace
