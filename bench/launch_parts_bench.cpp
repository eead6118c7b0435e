// Where the launch's milliseconds go: the pieces of the way from a posted WM_FN_HOTKEY to a
// started program, each timed on its own in this process with the form's own code where it can
// be called alone. Message delivery is timed between two threads of this process, which the
// platform routes through its server as it does between processes.
#include <windows.h>

#include "app/hotkey_form.h"
#include "app/launch.h"
#include "app/messages.h"
#include "bench/bench_files.h"
#include "bench/bench_table.h"
#include "framework/winapp.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using bench::BinDir;
using bench::WaitForLine;

constexpr int kRounds = 100;

double Elapsed(long long from, long long to) {
    static const double perMs = bench::TicksPerMillisecond();
    return (to - from) / perMs;
}

void Report(const char* piece, const std::vector<double>& ms) {
    bench::Stats s = bench::Summarise(ms);
    std::printf("  %-58s median %8.3f   p95 %8.3f\n", piece, s.median, s.p95);
}

std::vector<double> Time(const std::function<void()>& piece) {
    std::vector<double> ms;
    for (int i = 0; i < kRounds; ++i) {
        long long start = bench::Now();
        piece();
        ms.push_back(Elapsed(start, bench::Now()));
    }
    return ms;
}

// A thread with a message loop that notes when it retrieved each posted message.
struct Receiver {
    HANDLE ready = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    DWORD threadId = 0;
    volatile long long retrieved = 0;

    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<Receiver*>(param);
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // the queue exists from here on
        ::SetEvent(self->ready);
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            self->retrieved = bench::Now();
            ::SetEvent(self->ready);
        }
        return 0;
    }
};

} // namespace

int wmain() {
    std::printf("the pieces of a launch, %d rounds each (ms):\n", kRounds);

    // Message delivery.
    Receiver receiver;
    HANDLE thread = ::CreateThread(nullptr, 0, Receiver::Run, &receiver, 0, &receiver.threadId);
    ::WaitForSingleObject(receiver.ready, INFINITE);
    std::vector<double> delivery;
    for (int i = 0; i < kRounds; ++i) {
        long long posted = bench::Now();
        ::PostThreadMessageW(receiver.threadId, WM_FN_HOTKEY, 0x60, 0);
        ::WaitForSingleObject(receiver.ready, INFINITE);
        delivery.push_back(Elapsed(posted, receiver.retrieved));
        ::Sleep(2);
    }
    ::PostThreadMessageW(receiver.threadId, WM_QUIT, 0, 0);
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    ::CloseHandle(receiver.ready);
    Report("PostMessage until GetMessage returns it (another thread)", delivery);

    // The foreground step: the form's own BringToForeground on a hidden window of this thread,
    // then each of its calls alone.
    CWnd window;
    window.CreateEx(0, AfxRegisterWndClass(0), L"launch parts bench", WS_POPUP,
                    CRect(0, 0, 100, 100), nullptr, 0);
    {
        CHotkeyFormDlg form;
        form.Attach(window.Detach());
        Report("BringToForeground, whole", Time([&] { form.BringToForeground(); }));
        window.Attach(form.Detach());
    }
    HWND hWnd = window.GetSafeHwnd();
    DWORD thisThread = ::GetCurrentThreadId();
    DWORD foregroundThread = 0;
    Report("  GetForegroundWindow + GetWindowThreadProcessId", Time([&] {
               foregroundThread = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
           }));
    std::printf("    (the foreground thread is %s)\n", foregroundThread == thisThread
                                                           ? "this thread"
                                                       : foregroundThread == 0 ? "none"
                                                                               : "another thread");
    Report("  AttachThreadInput, join and part", Time([&] {
               ::AttachThreadInput(foregroundThread, thisThread, TRUE);
               ::AttachThreadInput(foregroundThread, thisThread, FALSE);
           }));
    Report("  SetForegroundWindow", Time([&] { ::SetForegroundWindow(hWnd); }));
    Report("  SetFocus", Time([&] { ::SetFocus(hWnd); }));

    // The command line for the stored path.
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"hotkey-launch-parts-" +
                       std::to_wstring(::GetCurrentProcessId()) + L" with blanks";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring probe = BinDir() + L"\\probe.exe";
    const std::wstring blankProbe = dir + L"\\probe.exe";
    ::CopyFileW(probe.c_str(), blankProbe.c_str(), FALSE);
    struct Path {
        const char* what;
        CString stored;
    };
    const Path paths[] = {
        {"CommandLineForPath, quoted (as the benchmark stores it)",
         CString((L"\"" + probe + L"\"").c_str())},
        {"CommandLineForPath, no blank", CString(probe.c_str())},
        {"CommandLineForPath, blank, names a file (1 file lookup)", CString(blankProbe.c_str())},
        {"CommandLineForPath, blank and arguments (prefix search)",
         CString((blankProbe + L" -x").c_str())},
    };
    for (const Path& path : paths)
        Report(path.what, Time([&] { (void)CommandLineForPath(path.stored); }));

    // Starting the program: the form's StartProcess against CreateProcessW itself, interleaved.
    const std::wstring log = dir + L"\\probe.log";
    ::SetEnvironmentVariableW(L"PROBE_LOG", log.c_str());
    std::vector<double> started, created;
    size_t lines = 0;
    for (int i = 0; i < kRounds; ++i) {
        long long ticks = 0;
        long long start = bench::Now();
        StartProcess(CString((L"\"" + probe + L"\"").c_str()));
        if (!WaitForLine(log, ++lines, &ticks))
            break;
        started.push_back(Elapsed(start, ticks));
        ::Sleep(20);

        std::wstring line = L"\"" + probe + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        start = bench::Now();
        if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &si, &pi))
            break;
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        if (!WaitForLine(log, ++lines, &ticks))
            break;
        created.push_back(Elapsed(start, ticks));
        ::Sleep(20);
    }
    Report("StartProcess until the probe's first instruction", started);
    Report("CreateProcessW until the probe's first instruction", created);

    window.DestroyWindow();
    ::DeleteFileW(log.c_str());
    ::DeleteFileW(blankProbe.c_str());
    ::RemoveDirectoryW(dir.c_str());
    return 0;
}
