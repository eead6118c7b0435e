// Launch latency: from posting WM_FN_HOTKEY to the running form (as the driver and fnkey do)
// until the started probe's first instruction, against the floor measured in the same run: a
// minimal windowed program (launch_floor.exe) starting the same probe from a posted message,
// interleaved launch by launch. A console program calling CreateProcessW itself would start
// its children differently, and the ratio would compare unlike with unlike. Also prints the
// form's start-up time to a findable window. "--entries N" gives the form N entries, the
// pressed one first.
#include <windows.h>

#include "app/messages.h"
#include "bench/launch_floor.h"
#include "bench/bench_files.h"
#include "bench/bench_process.h"
#include "bench/bench_table.h"
#include "bench/probe_launches.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_finder.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kLaunches = 100;

// A windowed program started from a folder and found by its window's class, ended at scope
// end as a driver or test ends it: the form, or the floor.
class RunningForm {
public:
    RunningForm(const std::wstring& exe, const std::wstring& folder,
                const wchar_t* className = kFormClassName, const std::wstring& arguments = {})
        : m_className(className) {
        const double perMs = bench::TicksPerMillisecond();
        long long started = bench::Now();
        m_process = bench::StartProgram(exe, folder.c_str(), arguments);
        while (m_process && !(m_window = FindForm()) && (bench::Now() - started) / perMs < 10000)
            ::Sleep(0);
        m_startupMs = (bench::Now() - started) / perMs;
    }
    RunningForm(const RunningForm&) = delete;
    RunningForm& operator=(const RunningForm&) = delete;
    ~RunningForm() {
        if (!m_process)
            return;
        if (m_window)
            ::PostMessageW(m_window, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_process.process.GetSafeHandle(), 5000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process.process.GetSafeHandle(), 1);
    }

    // Null when the form never became findable.
    HWND Window() const { return m_window; }
    // From CreateProcessW until the driver could find the form.
    double StartupMs() const { return m_startupMs; }

private:
    HWND FindForm() const {
        return FindFirstWindow({.processId = m_process.id, .className = m_className});
    }

    const wchar_t* m_className;
    bench::StartedProcess m_process;
    HWND m_window = nullptr;
    double m_startupMs = 0;
};

// nEntries: the probe's key S2 and the entries after it, as "--entries N" asks.
int MeasureLaunch(int nEntries) {
    TempFolder folder(L"hotkey-launch-bench");
    const std::wstring probe = bench::BinDir() + L"\\probe_gui.exe";
    const std::wstring ini = folder.File(L"Hotkey.ini").str();
    ::WritePrivateProfileStringW(L"S2", L"DisplayName", L"Probe", ini.c_str());
    ::WritePrivateProfileStringW(L"S2", L"DefaultPath", (L"\"" + probe + L"\"").c_str(),
                                 ini.c_str());
    bench::FillEntries(ini, nEntries);
    bench::ProbeLog log(folder.File(L"probe.log").str());
    RunningForm form(bench::CopyFromBin(folder, L"HotkeyForm.exe"), folder.Path().str());
    RunningForm floor(bench::BinDir() + L"\\launch_floor.exe", folder.Path().str(),
                      bench::kFloorClassName, L"\"" + probe + L"\"");
    if (!form.Window() || !floor.Window()) {
        std::fprintf(stderr, "launch_bench: the form or the floor never appeared\n");
        return 1;
    }

    bench::PairedLaunches launches = bench::LaunchAgainstFloor(
        kLaunches, log,
        [&] {
            // Exactly as the driver delivers a key.
            return ::PostMessageW(form.Window(), WM_FN_HOTKEY, 0x60, 0) != FALSE;
        },
        [&] { return ::PostMessageW(floor.Window(), bench::kStartMessage, 0, 0) != FALSE; });
    if (launches.ours.size() != static_cast<size_t>(kLaunches)) {
        std::fprintf(stderr, "launch_bench: a launch did not arrive\n");
        return 1;
    }
    bench::Stats d = bench::Summarise(launches.ours), f = bench::Summarise(launches.floor);
    std::printf("launch latency over %d launches each (ms):\n", kLaunches);
    std::printf("  hotkey dispatch   median %7.2f   p95 %7.2f\n", d.median, d.p95);
    std::printf("  minimal window    median %7.2f   p95 %7.2f\n", f.median, f.p95);
    std::printf("  ratio             median %7.2f   p95 %7.2f   (target: 1.10, p95 1.15)\n",
                bench::Ratio(d.median, f.median), bench::Ratio(d.p95, f.p95));
    std::printf("  median of the %d paired ratios (each launch over the floor's beside it): "
                "%.2f\n",
                kLaunches, bench::MedianOfPairedRatios(launches.ours, launches.floor));
    std::printf("start-up to a findable window: %.1f ms\n", form.StartupMs());
    bench::PairedTableRow("hotkey to launch vs minimal window", "ms", launches.ours, launches.floor,
                          "median <= 1.10, p95 <= 1.15");
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // Another form would take the hotkeys, and the single-instance rule would stop ours.
    if (::FindWindowW(kFormClassName, nullptr)) {
        std::fprintf(stderr, "launch_bench: another HotkeyForm is running; stop it first\n");
        return 1;
    }
    return MeasureLaunch(bench::EntriesAsked(argc, argv, 1));
}
