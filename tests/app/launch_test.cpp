// The command line handed over for a stored path, on real folders with a planted program, and
// the shell's start of a program that the platform refuses without elevation and of whatever
// else a key may name.
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>

#include <mutex>
#include <string>
#include <vector>

#include "app/form/hotkey_form.h"
#include "app/launch/launch.h"
#include "app/launch/launch_queue.h"
#include "app/launch/running_window.h"
#include "app/settings/settings_file_replace.h"
#include "framework/kernel_object.h"
#include "framework/registry_key.h"
#include "tests/support/message_pump.h"
#include "tests/support/shown_window.h"
#include "tests/support/temp_folder.h"
#include "tests/support/desktop.h"

namespace {

using test::ShownWindow;

TEST(CommandLineForPath, QuotesTheLongestProgramPrefixSoAPlantedShorterOneCannotWin) {
    TempFolder dir;
    CString tool = dir.MakeDir(L"Program Files\\Tool") + L"\\tool.exe";
    ASSERT_TRUE(WriteBytes(tool, ""));
    ASSERT_TRUE(WriteBytes(dir.Path() + L"\\Program.exe", ""));
    CString toolNoExt = tool.Left(tool.GetLength() - 4);
    CString missing = dir.MakeDir(L"Other Dir") + L"\\missing.exe";
    // Programs uninstalled from beside planted ones: "Program.exe" and "My.exe".
    CString gone = dir.Path() + L"\\Program Files\\Gone\\gone.exe";
    CString goneNoExt = gone.Left(gone.GetLength() - 4);
    CString myTool = dir.Path() + L"\\My Tool.exe";
    ASSERT_TRUE(WriteBytes(dir.Path() + L"\\My.exe", ""));
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
    EXPECT_TRUE(StartProcess(PrepareStart(L"cmd.exe /c exit", {})));
}

// What the platform was asked to start: the file, its command line, its folder and its
// first window state. Nothing starts.
std::wstring g_created;

BOOL WINAPI RecordingCreateProcess(LPCWSTR application, LPWSTR commandLine, LPSECURITY_ATTRIBUTES,
                                   LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCWSTR folder,
                                   LPSTARTUPINFOW startup, LPPROCESS_INFORMATION) {
    g_created = std::wstring(application ? application : L"(none)") + L"|" + commandLine + L"|" +
                (folder ? folder : L"(inherited)") + L"|" +
                ((startup->dwFlags & STARTF_USESHOWWINDOW) ? std::to_wstring(startup->wShowWindow)
                                                           : L"program decides");
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
}

// The same for what the shell was asked to open: its verb, the target, the folder and the show
// state. Nothing opens.
BOOL WINAPI RecordingShellOpen(SHELLEXECUTEINFOW* info) {
    g_created = std::wstring(L"shell|") + (info->lpVerb ? info->lpVerb : L"(default)") + L"|" +
                info->lpFile + L"|" + (info->lpDirectory ? info->lpDirectory : L"(inherited)") +
                L"|" + std::to_wstring(info->nShow);
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
}

TEST(PrepareStart, FolderWindowStateAndProgramAsTheOptionsAndTheSearchPathGiveThem) {
    TempFolder dir;
    CString tools = dir.MakeDir(L"Tools");
    CString tool = tools + L"\\tool.exe";
    ASSERT_TRUE(WriteBytes(tool, ""));
    CString work = dir.MakeDir(L"Work");
    CString toolsSub = dir.MakeDir(L"Tools\\Sub");
    CString script = dir.MakeDir(L"R&D") + L"\\go.bat";
    ASSERT_TRUE(WriteBytes(script, "@echo %1> ran.txt\r\n"));
    // Planted in the current folder, where a bare name must never be taken from.
    ASSERT_TRUE(WriteBytes(dir.Path() + L"\\cmd.exe", ""));
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring cmd = std::wstring(system) + L"\\cmd.exe";
    ::SetEnvironmentVariableW(L"HOTKEY_TEST_DIR", dir.Path());
    CString notes = dir.MakeDir(L"Docs") + L"\\notes.txt";
    ASSERT_TRUE(WriteBytes(notes, ""));
    ASSERT_TRUE(WriteBytes(dir.Path() + L"\\planted.txt", ""));
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring winIni = std::wstring(windows) + L"\\win.ini";
    ASSERT_NE(::GetFileAttributesW(winIni.c_str()), INVALID_FILE_ATTRIBUTES);
    // Among the machine's classes: Wine's HKEY_CLASSES_ROOT leaves out the user's own.
    CRegKey scheme;
    ASSERT_EQ(scheme.Create(HKEY_LOCAL_MACHINE, L"Software\\Classes\\hotkey-test", KEY_SET_VALUE),
              ERROR_SUCCESS);
    ::RegSetValueExW(scheme, L"URL Protocol", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), 2);
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ::SetCurrentDirectoryW(dir.Path());

    auto options = [](const wchar_t* startIn, LaunchWindow window) {
        LAUNCHOPTIONS o;
        o.strStartIn = startIn;
        o.eWindow = window;
        return o;
    };
    const std::wstring t(tool), ts(tools);
    struct Case {
        const char* what;
        CString stored;
        LAUNCHOPTIONS options;
        std::wstring created; // file|command line|folder|show state, shell|..., or nothing
    };
    const LAUNCHOPTIONS none = options(L"", LaunchWindow::Normal);
    LAUNCHOPTIONS adminMaximized = options(L"", LaunchWindow::Maximized);
    adminMaximized.bRunAsAdmin = true;
    const std::wstring docs(FolderOf(notes));
    const Case cases[] = {
        {"the program's own folder", tool + L" -x", none,
         t + L"|\"" + t + L"\" -x|" + ts + L"|program decides"},
        {"a folder with a variable, maximized", tool,
         options(L"%HOTKEY_TEST_DIR%\\Work", LaunchWindow::Maximized),
         t + L"|" + t + L"|" + std::wstring(work) + L"|" + std::to_wstring(SW_SHOWMAXIMIZED)},
        {"a folder that is none: the program's own", tool,
         options(L"%HOTKEY_TEST_DIR%\\Gone", LaunchWindow::Minimized),
         t + L"|" + t + L"|" + ts + L"|" + std::to_wstring(SW_SHOWMINNOACTIVE)},
        {"a bare name from the system, not the current folder", L"cmd.exe /c exit", none,
         cmd + L"|\"cmd.exe\" /c exit|" + system + L"|program decides"},
        {"a bare name found nowhere", L"no-such-program.exe", none, L""},
        // Relative folders start from the program's folder, never the launcher's current one.
        {"..", tool, options(L"..", LaunchWindow::Normal),
         t + L"|" + t + L"|" + std::wstring(dir.Path()) + L"|program decides"},
        {"a sub-folder", tool, options(L"Sub", LaunchWindow::Normal),
         t + L"|" + t + L"|" + std::wstring(toolsSub) + L"|program decides"},
        {"a sub-folder on the program's drive", tool,
         options(tool.Left(2) + L"Sub", LaunchWindow::Normal),
         t + L"|" + t + L"|" + std::wstring(toolsSub) + L"|program decides"},
        {"a script: the command processor, no AutoRun", script + L" x", none,
         cmd + L"|\"" + cmd + L"\" /d /s /c \"\"" + std::wstring(script) + L"\" x\"|" +
             std::wstring(FolderOf(script)) + L"|program decides"},
        // Everything else is opened by the shell, once and never elevated.
        {"a document named with a variable, as administrator",
         L"%HOTKEY_TEST_DIR%\\Docs\\notes.txt", adminMaximized,
         L"shell|(default)|" + std::wstring(notes) + L"|" + docs + L"|3"},
        {"a folder", tools, none,
         L"shell|(default)|" + ts + L"|" + std::wstring(dir.Path()) + L"|1"},
        {"a registered URI", L"hotkey-test:go?a=b", none,
         L"shell|(default)|hotkey-test:go?a=b|(inherited)|1"},
        {"a shell folder", L"shell:Downloads", none,
         L"shell|(default)|shell:Downloads|(inherited)|1"},
        {"a bare document name from the system's folders", L"win.ini", none,
         L"shell|(default)|" + winIni + L"|" + windows + L"|1"},
        {"a bare document name, not from the current folder", L"planted.txt", none, L""},
        {"a missing document", dir.Path() + L"\\gone.txt", none, L""},
        {"an unregistered scheme", L"hotkey-none:go", none, L""},
    };
    g_pfnCreateProcess = &RecordingCreateProcess;
    g_pfnShellExecuteEx = &RecordingShellOpen;
    for (const Case& c : cases) {
        g_created.clear();
        StartProcess(PrepareStart(c.stored, c.options));
        EXPECT_EQ(g_created, c.created) << c.what;
    }
    g_pfnCreateProcess = &::CreateProcessW;
    g_pfnShellExecuteEx = &::ShellExecuteExW;
    ::SetCurrentDirectoryW(previous);
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\hotkey-test");

    // A script whose path the command processor would split at the & runs whole, with its
    // argument, in its own folder.
    CKernelObject process;
    ASSERT_TRUE(StartProcess(PrepareStart(script + L" yes", {}), {}, &process));
    ::WaitForSingleObject(process, 10000);
    EXPECT_EQ(FileBytes(dir.Path() + L"\\R&D\\ran.txt").substr(0, 3), "yes");
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

HWND g_shellOwner = nullptr;

BOOL WINAPI RecordingShellExecute(SHELLEXECUTEINFOW* info) {
    g_shellStart = std::wstring(info->lpVerb ? info->lpVerb : L"(default)") + L"|" + info->lpFile +
                   L"|" + (info->lpParameters ? info->lpParameters : L"(none)") + L"|" +
                   (info->lpDirectory ? info->lpDirectory : L"(inherited)") + L"|" +
                   std::to_wstring(info->nShow);
    g_shellOwner = info->hwnd;
    g_shellThread = ::GetCurrentThreadId();
    // S_FALSE: the thread has its apartment already, which the shell's extensions need.
    g_shellCom = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(g_shellCom))
        ::CoUninitialize();
    ::SetEvent(g_asked);
    ::WaitForSingleObject(g_release, 10000);
    return TRUE;
}

TEST(StartProcess, ElevationNeededOrAskedForStartsThroughTheShellOnAThreadOfItsOwn) {
    TempFolder dir;
    CString tools = dir.MakeDir(L"Reg Tools");
    CString tool = tools + L"\\reg edit.exe";
    CString script = tools + L"\\R&D go.bat";
    const std::wstring folder(tools);
    ASSERT_TRUE(WriteBytes(tool, ""));
    ASSERT_TRUE(WriteBytes(script, ""));
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring cmd = std::wstring(system) + L"\\cmd.exe";
    struct Case {
        const char* what;
        CString stored;
        DWORD error;
        std::wstring shell; // verb|program|arguments|folder|show, or nothing when not asked
        bool asAdmin = false;
    };
    const Case cases[] = {
        {"quoted, arguments", L"\"" + tool + L"\" /m \"a b\"", kErrorElevationRequired,
         L"runas|" + std::wstring(tool) + L"|/m \"a b\"|" + folder + L"|1"},
        {"unquoted with a blank, arguments", tool + L" /m", kErrorElevationRequired,
         L"runas|" + std::wstring(tool) + L"|/m|" + folder + L"|1"},
        {"plain path", L"C:\\Windows\\regedit.exe", kErrorElevationRequired,
         L"runas|C:\\Windows\\regedit.exe|(none)|C:\\Windows|1"},
        {"asked for: no plain start first", L"C:\\Windows\\regedit.exe", ERROR_FILE_NOT_FOUND,
         L"runas|C:\\Windows\\regedit.exe|(none)|C:\\Windows|1", true},
        {"a script: the command processor, as the plain start runs it", script + L" x",
         ERROR_FILE_NOT_FOUND,
         L"runas|" + cmd + L"|/d /s /c \"\"" + std::wstring(script) + L"\" x\"|" + folder + L"|1",
         true},
        {"missing program", tool + L" /m", ERROR_FILE_NOT_FOUND, L""},
        {"document", L"C:\\notes.txt", ERROR_BAD_EXE_FORMAT, L""},
    };
    g_pfnCreateProcess = &FailingCreateProcess;
    g_pfnShellExecuteEx = &RecordingShellExecute;
    for (const Case& c : cases) {
        g_createError = c.error;
        g_shellStart.clear();
        LAUNCHOPTIONS options;
        options.bRunAsAdmin = c.asAdmin;
        StartProcess(PrepareStart(c.stored, options), {kOwner, nullptr});
        // Back here while the first shell call still waits: the form's messages keep flowing.
        if (!c.shell.empty()) {
            ASSERT_EQ(::WaitForSingleObject(g_asked, 10000), WAIT_OBJECT_0) << c.what;
        }
        EXPECT_EQ(g_shellStart, c.shell) << c.what;
        if (!c.shell.empty()) {
            EXPECT_EQ(g_shellOwner, kOwner) << c.what << ": in front of the form";
        }
        ::SetEvent(g_release);
    }
    EXPECT_NE(g_shellThread, ::GetCurrentThreadId());
    EXPECT_EQ(g_shellCom, S_FALSE);

    // The window in front at the press has the keyboard back while the prompt is open, and
    // the prompt comes up in front of it, not of the hidden form that took the press.
    ShownWindow front, form;
    ::SetForegroundWindow(form.hWnd);
    ::ResetEvent(g_release);
    LAUNCHOPTIONS admin;
    admin.bRunAsAdmin = true;
    StartProcess(PrepareStart(tool, admin), {form.hWnd, front.hWnd});
    ASSERT_TRUE(test::WaitPumping(g_asked, 10000));
    EXPECT_TRUE(test::PumpUntil([&] { return ::GetForegroundWindow() == front.hWnd; }));
    EXPECT_EQ(g_shellOwner, front.hWnd);
    ::SetEvent(g_release);
    g_pfnCreateProcess = &::CreateProcessW;
    g_pfnShellExecuteEx = &::ShellExecuteExW;
}

// Windows a press must never choose, each in front of the one it may: not activatable, of
// no size, the desktop's own, cloaked.
HWND g_cloaked = nullptr;

TEST(RunningWindow, OnlyAWindowTheUserCouldSwitchToIsChosen) {
    WNDCLASSW desktopClass{};
    desktopClass.lpfnWndProc = &::DefWindowProcW;
    desktopClass.lpszClassName = L"WorkerW";
    ::RegisterClassW(&desktopClass);
    ShownWindow ordinary, noActivate(WS_EX_NOACTIVATE), noSize(0, L"STATIC", 0),
        desktop(0, L"WorkerW"), cloaked;
    g_cloaked = cloaked.hWnd;
    auto pfnIsCloaked = g_pfnIsCloaked;
    g_pfnIsCloaked = [](HWND hWnd) { return hWnd == g_cloaked; };
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_EQ(ChooseProgramWindow(ListTopWindows(self)), ordinary.hWnd);
    g_pfnIsCloaked = pfnIsCloaked;
    ::UnregisterClassW(L"WorkerW", nullptr);
}

// A program that stopped answering: its window's thread waits and runs no messages.
TEST(RunningWindow, AProgramThatStoppedAnsweringHoldsNoPress) {
    struct Hung {
        HWND hWnd = nullptr;
        CKernelObject created{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        CKernelObject release{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    } hung;
    CKernelObject thread(::CreateThread(
        nullptr, 0,
        [](void* p) -> DWORD {
            auto& h = *static_cast<Hung*>(p);
            ShownWindow window;
            h.hWnd = window.hWnd;
            ::SetEvent(h.created);
            ::WaitForSingleObject(h.release, 20000);
            return 0;
        },
        &hung, 0, nullptr));
    ASSERT_EQ(::WaitForSingleObject(hung.created, 5000), WAIT_OBJECT_0);
    for (RunningAction action : {RunningAction::Minimize, RunningAction::BringToFront}) {
        struct Press {
            HWND hWnd;
            RunningAction action;
        } press{hung.hWnd, action};
        CKernelObject pressing(::CreateThread(
            nullptr, 0,
            [](void* p) -> DWORD {
                auto& press = *static_cast<Press*>(p);
                ApplyToRunningWindow(press.hWnd, press.action, nullptr);
                return 0;
            },
            &press, 0, nullptr));
        EXPECT_EQ(::WaitForSingleObject(pressing, 3000), WAIT_OBJECT_0) << static_cast<int>(action);
        if (::WaitForSingleObject(pressing, 0) != WAIT_OBJECT_0) {
            ::SetEvent(hung.release); // let the press end before its stack goes
            ::WaitForSingleObject(pressing, 10000);
        }
    }
    ::SetEvent(hung.release);
    ::WaitForSingleObject(thread, 10000);
}

// Starts that only record their program, in order; the slow program's first start hangs, as
// one on an unreachable share does, until it is let go.
std::mutex g_orderLock;
std::vector<std::wstring> g_order;
CKernelObject g_releaseSlow(::CreateEventW(nullptr, TRUE, FALSE, nullptr));

BOOL WINAPI HangingCreateProcess(LPCWSTR application, LPWSTR, LPSECURITY_ATTRIBUTES,
                                 LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCWSTR,
                                 LPSTARTUPINFOW, LPPROCESS_INFORMATION) {
    size_t starts = 0;
    {
        std::lock_guard<std::mutex> lock(g_orderLock);
        g_order.push_back(application);
        starts = g_order.size();
    }
    if (starts == 1)
        ::WaitForSingleObject(g_releaseSlow, 10000);
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
}

std::vector<std::wstring> Order() {
    std::lock_guard<std::mutex> lock(g_orderLock);
    return g_order;
}

TEST(QueueLaunch, AHangingStartOnAShareHoldsNeitherThePressNorOtherProgramsAndItsOwnNextWaits) {
    g_pfnCreateProcess = &HangingCreateProcess;
    auto press = [](const wchar_t* path) { QueueLaunch({path, {}, {}}); };
    press(L"\\\\server\\share\\slow.exe");
    ASSERT_TRUE(WaitFor([] { return Order().size() == 1; }));
    press(L"\\\\server\\share\\slow.exe");
    press(L"\\\\server\\share\\fast.exe"); // back at once, as the presses before
    EXPECT_TRUE(WaitFor([] { return Order().size() == 2; }));
    ::Sleep(200);
    EXPECT_EQ(Order(), (std::vector<std::wstring>{L"\\\\server\\share\\slow.exe",
                                                  L"\\\\server\\share\\fast.exe"}));
    ::SetEvent(g_releaseSlow);
    EXPECT_TRUE(WaitFor([] { return Order().size() == 3; }));
    EXPECT_EQ(Order().back(), L"\\\\server\\share\\slow.exe");
    ::Sleep(100); // the queues' threads are done with the stand-in
    g_pfnCreateProcess = &::CreateProcessW;
}

// A plain press on a local drive starts inline, but what the shell opens never does: its
// handler may hold the thread as long as it likes.
TEST(QueueLaunch, WhatTheShellOpensIsOpenedOffThePressingThreadWithCom) {
    TempFolder dir;
    CString notes = dir.Path() + L"\\notes.txt";
    ASSERT_TRUE(WriteBytes(notes, ""));
    ASSERT_TRUE(OnFixedDrive(notes));
    ::SetEvent(g_release);
    g_pfnShellExecuteEx = &RecordingShellExecute;
    QueueLaunch({notes, {}, {}});
    ASSERT_EQ(::WaitForSingleObject(g_asked, 10000), WAIT_OBJECT_0);
    g_pfnShellExecuteEx = &::ShellExecuteExW;
    EXPECT_NE(g_shellThread, ::GetCurrentThreadId());
    EXPECT_EQ(g_shellCom, S_FALSE);
}

} // namespace
