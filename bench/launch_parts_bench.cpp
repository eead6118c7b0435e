// Where the launch's milliseconds go: the pieces of the way from a posted WM_FN_HOTKEY to a
// started program, each timed on its own in this process with the form's own code where it can
// be called alone. Message delivery is timed between two threads of this process, which the
// platform routes through its server as it does between processes.
#include <windows.h>

#include "app/form/hotkey_form.h"
#include "app/launch/launch.h"
#include "app/messages.h"
#include "bench/bench_files.h"
#include "bench/bench_process.h"
#include "bench/bench_table.h"
#include "bench/probe_launches.h"
#include "tests/support/temp_folder.h"
#include "framework/winapp.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

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

// A thread with a message loop that notes when it retrieved each posted message; it ends with
// the object.
class Receiver {
public:
    Receiver() {
        m_thread.Attach(::CreateThread(nullptr, 0, Run, this, 0, &m_threadId));
        ::WaitForSingleObject(m_ready.GetSafeHandle(), INFINITE);
    }
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;
    ~Receiver() {
        ::PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
        ::WaitForSingleObject(m_thread.GetSafeHandle(), INFINITE);
    }

    // Milliseconds from posting a message to the thread until its loop retrieved it.
    double Deliver() {
        long long posted = bench::Now();
        ::PostThreadMessageW(m_threadId, WM_FN_HOTKEY, 0x60, 0);
        ::WaitForSingleObject(m_ready.GetSafeHandle(), INFINITE);
        return Elapsed(posted, m_retrieved);
    }

private:
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<Receiver*>(param);
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // the queue exists from here on
        ::SetEvent(self->m_ready.GetSafeHandle());
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            self->m_retrieved = bench::Now();
            ::SetEvent(self->m_ready.GetSafeHandle());
        }
        return 0;
    }

    CKernelObject m_ready{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    CKernelObject m_thread;
    DWORD m_threadId = 0;
    volatile long long m_retrieved = 0;
};

void MeasureDelivery() {
    Receiver receiver;
    std::vector<double> delivery;
    for (int i = 0; i < kRounds; ++i) {
        delivery.push_back(receiver.Deliver());
        ::Sleep(2);
    }
    Report("PostMessage until GetMessage returns it (another thread)", delivery);
}

// The form's own BringToForeground on a hidden window of this thread, then each of its calls
// alone.
void MeasureForeground() {
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
    window.DestroyWindow();
}

// The command line for each kind of stored path; a folder with a blank in its name makes the
// paths that need a file lookup or the prefix search.
void MeasureCommandLine() {
    TempFolder folder(L"hotkey-launch-parts with blanks");
    const std::wstring probe = bench::BinDir() + L"\\probe.exe";
    const std::wstring blankProbe = bench::CopyFromBin(folder, L"probe.exe");
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
}

// Starting the program: the form's StartProcess against CreateProcessW itself, interleaved.
void MeasureStart() {
    TempFolder folder(L"hotkey-launch-parts-start");
    const std::wstring probe = bench::BinDir() + L"\\probe.exe";
    const CString quoted((L"\"" + probe + L"\"").c_str());
    bench::ProbeLog log(folder.File(L"probe.log").str());
    bench::PairedLaunches launches = bench::LaunchAgainstFloor(
        kRounds, probe, log, [&] { return StartProcess(PrepareStart(quoted, {})); });
    Report("StartProcess until the probe's first instruction", launches.ours);
    Report("CreateProcessW until the probe's first instruction", launches.floor);
    std::printf("    (StartProcess over CreateProcessW: median of the %zu paired ratios %.2f)\n",
                launches.ours.size(), bench::MedianOfPairedRatios(launches.ours, launches.floor));
}

} // namespace

int wmain() {
    std::printf("the pieces of a launch, %d rounds each (ms):\n", kRounds);
    MeasureDelivery();
    MeasureForeground();
    MeasureCommandLine();
    MeasureStart();
    return 0;
}
