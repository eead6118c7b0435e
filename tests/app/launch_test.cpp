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
#include "tests/temp_folder.h"

namespace {

bool MakeFile(const CString& path) {
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

TEST(CommandLineForPath, QuotesTheLongestProgramPrefixSoAPlantedShorterOneCannotWin) {
    TempFolder dir;
    CString tool = dir.MakeDir(L"Program Files\\Tool") + L"\\tool.exe";
    ASSERT_TRUE(MakeFile(tool));
    ASSERT_TRUE(MakeFile(dir.Path() + L"\\Program.exe"));
    CString toolNoExt = tool.Left(tool.GetLength() - 4);
    CString missing = dir.MakeDir(L"Other Dir") + L"\\missing.exe";
    // Programs uninstalled from beside planted ones: "Program.exe" and "My.exe".
    CString gone = dir.Path() + L"\\Program Files\\Gone\\gone.exe";
    CString goneNoExt = gone.Left(gone.GetLength() - 4);
    CString myTool = dir.Path() + L"\\My Tool.exe";
    ASSERT_TRUE(MakeFile(dir.Path() + L"\\My.exe"));
    auto quoted = [](const CString& s) { return L"\"" + s + L"\""; };

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
        {"argument ending in .exe", tool + L" /c start x.exe", quoted(tool) + L" /c start x.exe"},
        {"names no file", missing + L" -x", quoted(missing) + L" -x"},
        {"missing, planted prefix", gone, quoted(gone)},
        {"missing, arguments, planted prefix", gone + L" -x", quoted(gone) + L" -x"},
        {"missing, planted shorter name beside it", myTool + L" /q", quoted(myTool) + L" /q"},
        {"missing, no extension, planted prefix", goneNoExt + L" -x", quoted(goneNoExt + L" -x")},
        {"bare name on the search path, arguments", L"cmd.exe /c exit", L"\"cmd.exe\" /c exit"},
        {"already quoted", L"\"" + tool + L"\" -x", L"\"" + tool + L"\" -x"},
        {"no blank", L"tool.exe", L"tool.exe"},
        {"empty", L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::wstring(CommandLineForPath(c.stored).GetString()),
                  std::wstring(c.expected.GetString()))
            << c.what;
    }
    EXPECT_TRUE(StartProcess(CommandLineForPath(L"cmd.exe /c exit")));
}

// CreateProcessW failing with a chosen error, and the shell recording what it was asked and on
// which thread; it then waits, as a consent prompt waits for the user, until it is let go.
DWORD g_createError = 0;
std::wstring g_shellStart;
DWORD g_shellThread = 0;
HRESULT g_shellCom = E_FAIL;
const HWND kOwner = reinterpret_cast<HWND>(0x1234); // the form; the stand-in only compares it
CKernelObject g_asked(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
CKernelObject g_release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));

BOOL WINAPI FailingCreateProcess(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                                 BOOL, DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW,
                                 LPPROCESS_INFORMATION) {
    ::SetLastError(g_createError);
    return FALSE;
}

BOOL WINAPI RecordingShellExecute(SHELLEXECUTEINFOW* info) {
    g_shellStart = std::wstring(info->lpVerb) + L"|" + info->lpFile + L"|" +
                   (info->lpParameters ? info->lpParameters : L"(none)") +
                   (info->hwnd == kOwner ? L"" : L"|not in front of the form");
    g_shellThread = ::GetCurrentThreadId();
    // S_FALSE: the thread has its apartment already, which the shell's extensions need.
    g_shellCom = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(g_shellCom))
        ::CoUninitialize();
    ::SetEvent(g_asked);
    ::WaitForSingleObject(g_release, 10000);
    return TRUE;
}

TEST(LaunchSlot, ProgramThatNeedsElevationStartsThroughTheShellOnAThreadOfItsOwn) {
    TempFolder dir;
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
    g_pfnCreateProcess = &FailingCreateProcess;
    g_pfnShellExecuteEx = &RecordingShellExecute;
    for (const Case& c : cases) {
        g_createError = c.error;
        g_shellStart.clear();
        CHotkeyFormDlg::LaunchSlot(KEYSLOT{L"Key", c.stored}, kOwner);
        // Back here while the first shell call still waits: the form's messages keep flowing.
        if (!c.shell.empty()) {
            ASSERT_EQ(::WaitForSingleObject(g_asked, 10000), WAIT_OBJECT_0) << c.what;
        }
        EXPECT_EQ(g_shellStart, c.shell) << c.what;
        ::SetEvent(g_release);
    }
    EXPECT_NE(g_shellThread, ::GetCurrentThreadId());
    EXPECT_EQ(g_shellCom, S_FALSE);
    g_pfnCreateProcess = &::CreateProcessW;
    g_pfnShellExecuteEx = &::ShellExecuteExW;
}

} // namespace
