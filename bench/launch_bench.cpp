// Launch latency: from posting WM_FN_HOTKEY to the running form (as the driver and fnkey do)
// until the started probe's first instruction, against the floor measured in the same run:
// this program calling CreateProcessW on the same probe itself, interleaved launch by launch.
// Also prints the form's start-up time to a findable window.
#include <windows.h>

#include "app/messages.h"
#include "bench/bench_files.h"
#include "bench/bench_table.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using bench::BinDir;
using bench::WaitForLine;

constexpr int kLaunches = 100;

HWND FindFormOf(DWORD pid) {
    for (HWND h = ::FindWindowW(kFormClassName, nullptr); h;
         h = ::FindWindowExW(nullptr, h, kFormClassName, nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        if (owner == pid)
            return h;
    }
    return nullptr;
}

} // namespace

int wmain() {
    const double perMs = bench::TicksPerMillisecond();
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring dir =
        std::wstring(temp) + L"hotkey-launch-bench-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(dir.c_str(), nullptr);
    std::wstring exe = dir + L"\\HotkeyForm.exe";
    std::wstring probe = BinDir() + L"\\probe_gui.exe";
    std::wstring log = dir + L"\\probe.log";
    ::CopyFileW((BinDir() + L"\\HotkeyForm.exe").c_str(), exe.c_str(), FALSE);
    std::wstring ini = dir + L"\\Hotkey.ini";
    ::WritePrivateProfileStringW(L"S2", L"DisplayName", L"Probe", ini.c_str());
    ::WritePrivateProfileStringW(L"S2", L"DefaultPath", (L"\"" + probe + L"\"").c_str(),
                                 ini.c_str());
    ::SetEnvironmentVariableW(L"PROBE_LOG", log.c_str());

    if (::FindWindowW(kFormClassName, nullptr)) {
        std::fprintf(stderr, "launch_bench: another HotkeyForm is running; stop it first\n");
        return 1;
    }

    // Start-up: from CreateProcess until the driver could find the form.
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION form{};
    std::wstring formLine = L"\"" + exe + L"\"";
    long long t0 = bench::Now();
    if (!::CreateProcessW(nullptr, formLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          dir.c_str(), &si, &form)) {
        std::fprintf(stderr, "launch_bench: cannot start HotkeyForm.exe\n");
        return 1;
    }
    HWND hForm = nullptr;
    while (!(hForm = FindFormOf(form.dwProcessId)) && (bench::Now() - t0) / perMs < 10000)
        ::Sleep(0);
    double startupMs = (bench::Now() - t0) / perMs;
    if (!hForm) {
        std::fprintf(stderr, "launch_bench: the form never appeared\n");
        ::TerminateProcess(form.hProcess, 1);
        return 1;
    }

    std::vector<double> dispatch, floor;
    size_t lines = 0;
    for (int i = 0; i < kLaunches; ++i) {
        long long ticks = 0;
        // Through the form, exactly as the driver delivers a key.
        long long posted = bench::Now();
        ::PostMessageW(hForm, WM_FN_HOTKEY, 0x60, 0);
        if (!WaitForLine(log, ++lines, &ticks))
            break;
        dispatch.push_back((ticks - posted) / perMs);
        ::Sleep(20);

        // The floor: this program starting the same probe.
        std::wstring line = L"\"" + probe + L"\"";
        STARTUPINFOW psi{};
        psi.cb = sizeof(psi);
        PROCESS_INFORMATION pi{};
        long long created = bench::Now();
        if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &psi, &pi))
            break;
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        if (!WaitForLine(log, ++lines, &ticks))
            break;
        floor.push_back((ticks - created) / perMs);
        ::Sleep(20);
    }

    ::PostMessageW(hForm, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(form.hProcess, 5000) != WAIT_OBJECT_0)
        ::TerminateProcess(form.hProcess, 1);
    ::CloseHandle(form.hThread);
    ::CloseHandle(form.hProcess);

    ::DeleteFileW(log.c_str());
    ::DeleteFileW(ini.c_str());
    ::DeleteFileW(exe.c_str());
    ::RemoveDirectoryW(dir.c_str());

    if (dispatch.size() != static_cast<size_t>(kLaunches) || floor.size() != dispatch.size()) {
        std::fprintf(stderr, "launch_bench: a launch did not arrive\n");
        return 1;
    }
    bench::Stats d = bench::Summarise(dispatch), f = bench::Summarise(floor);
    std::printf("launch latency over %d launches each (ms):\n", kLaunches);
    std::printf("  hotkey dispatch   median %7.2f   p95 %7.2f\n", d.median, d.p95);
    std::printf("  CreateProcess     median %7.2f   p95 %7.2f\n", f.median, f.p95);
    std::printf("  ratio             median %7.2f   p95 %7.2f   (target: 1.10, p95 1.15)\n",
                d.median / f.median, d.p95 / f.p95);
    std::printf("start-up to a findable window: %.1f ms\n", startupMs);
    bench::TableRow("hotkey to launch vs CreateProcessW", "ms", d, f,
                    "median <= 1.10, p95 <= 1.15");
    return 0;
}
