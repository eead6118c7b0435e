// The form in the tray against the least a tray program can do (minimal_tray.exe, a hidden
// dialog of its own class with one tray icon), in the same run: start-up from process start
// until the icon is in the tray and the window can be found, then idle private memory and
// GDI/USER objects. Last, the form's wakes while it idles hidden: a copy of the form with a
// message counter (idle_watch.cpp) reports the messages it retrieved over five idle seconds,
// and each counting copy reports its own memory and objects.
#include <windows.h>

#include <psapi.h>

#include "bench/bench_clock.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kStarts = 20;

std::wstring BinDir() {
    wchar_t path[MAX_PATH + 1] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path);
    return s.substr(0, s.find_last_of(L'\\'));
}

size_t TrayIconCount() {
    HWND tray = ::FindWindowW(nullptr, L"Wine System Tray");
    if (!tray || !::IsWindowVisible(tray))
        return 0;
    size_t n = 0;
    ::EnumChildWindows(
        tray,
        [](HWND h, LPARAM l) {
            *reinterpret_cast<size_t*>(l) += ::IsWindowVisible(h) ? 1 : 0;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

struct Program {
    const char* name;
    std::wstring exe;
    const wchar_t* windowClass;
};

class Running {
public:
    Running(const Program& program, const std::wstring& dir) : m_program(program) {
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        std::wstring line = L"\"" + program.exe + L"\"";
        m_started = bench::Now();
        m_ok = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                dir.c_str(), &si, &m_pi) != FALSE;
    }
    ~Running() {
        if (!m_ok)
            return;
        if (HWND h = Window())
            ::PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
        if (::WaitForSingleObject(m_pi.hProcess, 5000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_pi.hProcess, 1);
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
        for (int i = 0; i < 250 && TrayIconCount() != 0; ++i)
            ::Sleep(20);
    }
    HWND Window() const {
        for (HWND h = ::FindWindowW(m_program.windowClass, nullptr); h;
             h = ::FindWindowExW(nullptr, h, m_program.windowClass, nullptr)) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(h, &pid);
            if (pid == m_pi.dwProcessId)
                return h;
        }
        return nullptr;
    }
    // Milliseconds from process start until the icon is shown and the window findable.
    double WaitReady() const {
        const double perMs = bench::TicksPerMillisecond();
        while (m_ok && (bench::Now() - m_started) / perMs < 10000) {
            if (TrayIconCount() == 1 && Window())
                return (bench::Now() - m_started) / perMs;
            ::Sleep(0);
        }
        return -1;
    }
    HANDLE Process() const { return m_pi.hProcess; }

private:
    const Program& m_program;
    PROCESS_INFORMATION m_pi{};
    long long m_started = 0;
    bool m_ok = false;
};

// What a counting copy reported about five idle seconds after its start-up.
struct Idle {
    std::string wakes; // the count, then the message numbers
    double privateKb = 0;
    unsigned long gdi = 0, user = 0;
    int windows = 0;
};

Idle MeasureIdle(const Program& program, const std::wstring& dir) {
    const std::wstring log = dir + L"\\idle.log";
    ::DeleteFileW(log.c_str());
    ::SetEnvironmentVariableW(L"IDLE_WATCH_LOG", log.c_str());
    Idle idle;
    Running running(program, dir);
    running.WaitReady();
    ::Sleep(1000);
    const UINT mark = ::RegisterWindowMessageW(L"HotkeyIdleWatchMark");
    ::PostMessageW(running.Window(), mark, 1, 0);
    ::Sleep(5000);
    ::PostMessageW(running.Window(), mark, 0, 0);
    for (int i = 0; i < 100 && idle.wakes.empty(); ++i) {
        ::Sleep(20);
        std::ifstream in(std::string(log.begin(), log.end()).c_str());
        std::getline(in, idle.wakes);
        in >> idle.privateKb >> idle.gdi >> idle.user >> idle.windows;
    }
    return idle;
}

} // namespace

int wmain() {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring dir =
        std::wstring(temp) + L"hotkey-tray-bench-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring bin = BinDir();
    const wchar_t* programs[] = {L"HotkeyForm.exe", L"HotkeyForm_idlewatch.exe",
                                 L"minimal_tray.exe", L"minimal_tray_idlewatch.exe"};
    for (const wchar_t* name : programs)
        ::CopyFileW((bin + L"\\" + name).c_str(), (dir + L"\\" + name).c_str(), FALSE);
    const std::wstring ini = dir + L"\\Hotkey.ini";
    for (const wchar_t* key : {L"S2", L"S3", L"S4", L"S5"}) {
        ::WritePrivateProfileStringW(key, L"DisplayName", key, ini.c_str());
        ::WritePrivateProfileStringW(key, L"DefaultPath", L"C:\\windows\\notepad.exe", ini.c_str());
    }
    if (::FindWindowW(L"THotkeyForm", nullptr) || TrayIconCount() != 0) {
        std::fprintf(stderr, "tray_bench: a tray icon or a HotkeyForm is already there\n");
        return 1;
    }

    const Program form{"HotkeyForm", dir + L"\\HotkeyForm.exe", L"THotkeyForm"};
    const Program minimal{"minimal tray", dir + L"\\minimal_tray.exe", L"TMinimalTray"};
    std::vector<double> formMs, minimalMs;
    for (int i = 0; i < kStarts; ++i) {
        // Alternating spreads any drift of the machine over both.
        for (auto [program, times] : {std::pair{&form, &formMs}, std::pair{&minimal, &minimalMs}}) {
            Running running(*program, dir);
            double ms = running.WaitReady();
            if (ms < 0) {
                std::fprintf(stderr, "tray_bench: %s never showed its icon\n", program->name);
                return 1;
            }
            times->push_back(ms);
        }
    }
    double f = bench::Median(formMs), m = bench::Median(minimalMs);
    std::printf("start-up until the tray icon is shown and the window findable, median of %d:\n",
                kStarts);
    std::printf("  HotkeyForm    %7.1f ms\n  minimal tray  %7.1f ms\n", f, m);
    std::printf("  ratio         %7.2f   (target: at most 1.5)\n", f / m);

    // The counting copies: the same programs with idle_watch.cpp linked in.
    const Program formWatched{"HotkeyForm", dir + L"\\HotkeyForm_idlewatch.exe", L"THotkeyForm"};
    const Program minimalWatched{"minimal tray", dir + L"\\minimal_tray_idlewatch.exe",
                                 L"TMinimalTray"};
    Idle fi = MeasureIdle(formWatched, dir), mi = MeasureIdle(minimalWatched, dir);
    auto ratio = [](double a, double b) { return b ? a / b : 0.0; };
    std::printf("idle after start-up, as each process reports itself:\n");
    std::printf("                                HotkeyForm  minimal tray  ratio\n");
    std::printf("  private memory (KB)           %10.0f  %12.0f  %5.2f   (target: at most 1.5)\n",
                fi.privateKb, mi.privateKb, ratio(fi.privateKb, mi.privateKb));
    std::printf("  GDI objects                   %10lu  %12lu  %5.2f\n", fi.gdi, mi.gdi,
                ratio(fi.gdi, mi.gdi));
    std::printf("  USER objects                  %10lu  %12lu  %5.2f\n", fi.user, mi.user,
                ratio(fi.user, mi.user));
    std::printf("  windows                       %10d  %12d  %5.2f\n", fi.windows, mi.windows,
                ratio(fi.windows, mi.windows));
    if (fi.gdi + fi.user + mi.gdi + mi.user == 0)
        std::printf("  (this platform keeps no GDI/USER object counts; windows are counted)\n");
    std::printf("messages retrieved while hidden and idle for 5 s (count, then numbers):\n");
    std::printf("  HotkeyForm    %s   (target: 0)\n",
                fi.wakes.empty() ? "(no report)" : fi.wakes.c_str());
    std::printf("  minimal tray  %s\n", mi.wakes.empty() ? "(no report)" : mi.wakes.c_str());

    for (const wchar_t* name : programs)
        ::DeleteFileW((dir + L"\\" + name).c_str());
    ::DeleteFileW(ini.c_str());
    ::DeleteFileW((dir + L"\\idle.log").c_str());
    ::RemoveDirectoryW(dir.c_str());
    return 0;
}
