// The form in the tray against the least a tray program can do (minimal_tray.exe, a hidden
// dialog of its own class with one tray icon), in the same run: start-up from process start
// until the icon is in the tray and the window can be found, the modules each loads from
// outside the Windows folder and each executable's size. Then the form's idle cost: a copy of
// the form with a message counter (idle_watch.cpp) reports the messages and timers it
// retrieved over ten idle seconds, hidden, and its own private memory and objects; the
// minimal program's counting copy does the same, round after round.
#include <windows.h>

#include <psapi.h>

#include "bench/bench_files.h"
#include "bench/bench_table.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using bench::BinDir;

constexpr int kStarts = 20;
constexpr int kIdleRounds = 3;
constexpr DWORD kIdleMs = 10000;

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
            ::PostMessageW(h, WM_CLOSE, 0, 0);
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
    int timers = -1;   // distinct timers among them
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
    ::Sleep(kIdleMs);
    ::PostMessageW(running.Window(), mark, 0, 0);
    for (int i = 0; i < 100 && idle.wakes.empty(); ++i) {
        ::Sleep(20);
        std::ifstream in(std::string(log.begin(), log.end()).c_str());
        std::getline(in, idle.wakes);
        in >> idle.privateKb >> idle.gdi >> idle.user >> idle.windows >> idle.timers;
    }
    return idle;
}

int MessagesOf(const Idle& idle) { return idle.wakes.empty() ? -1 : std::stoi(idle.wakes); }

// The modules loaded in the process from outside the Windows folder, the executable aside:
// what it brings beyond the platform's own DLLs. Those from the platform's side-by-side store
// (a manifest's common controls) are the system's own too, and listed apart.
struct Modules {
    std::vector<std::wstring> beyond;
    std::vector<std::wstring> sideBySide;
};

bool Under(const std::wstring& path, const std::wstring& dir) {
    return path.size() > dir.size() &&
           ::CompareStringOrdinal(path.c_str(), static_cast<int>(dir.size()), dir.c_str(),
                                  static_cast<int>(dir.size()), TRUE) == CSTR_EQUAL;
}

Modules ModulesOf(HANDLE process) {
    wchar_t folder[MAX_PATH + 1] = {};
    const std::wstring windowsDir =
        std::wstring(folder, ::GetWindowsDirectoryW(folder, MAX_PATH)) + L"\\";
    const std::wstring systemDir =
        std::wstring(folder, ::GetSystemDirectoryW(folder, MAX_PATH)) + L"\\";
    Modules modules;
    HMODULE handles[512];
    DWORD bytes = 0;
    if (!::EnumProcessModulesEx(process, handles, sizeof(handles), &bytes, LIST_MODULES_ALL)) {
        modules.beyond.push_back(L"(the modules could not be listed)");
        return modules;
    }
    for (DWORD i = 1; i < std::min<DWORD>(bytes / sizeof(HMODULE), 512); ++i) {
        wchar_t path[MAX_PATH + 1] = {};
        ::GetModuleFileNameExW(process, handles[i], path, MAX_PATH);
        if (!Under(path, windowsDir))
            modules.beyond.push_back(path);
        else if (!Under(path, systemDir))
            modules.sideBySide.push_back(path);
    }
    return modules;
}

unsigned long FileBytes(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes);
    return attributes.nFileSizeLow;
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
    bench::Stats f = bench::Summarise(formMs), m = bench::Summarise(minimalMs);
    std::printf("start-up until the tray icon is shown and the window findable, %d each (ms):\n",
                kStarts);
    std::printf("  HotkeyForm    median %7.1f   p95 %7.1f\n", f.median, f.p95);
    std::printf("  minimal tray  median %7.1f   p95 %7.1f\n", m.median, m.p95);
    std::printf("  ratio         median %7.2f   p95 %7.2f   (target: at most 1.5)\n",
                f.median / m.median, f.p95 / m.p95);

    // Modules, once each program is up and idle.
    size_t beyond[2] = {};
    std::printf("modules loaded from outside the Windows folder, the executable aside:\n");
    for (int i = 0; i < 2; ++i) {
        const Program& program = i == 0 ? form : minimal;
        Running running(program, dir);
        running.WaitReady();
        ::Sleep(500);
        Modules modules = ModulesOf(running.Process());
        beyond[i] = modules.beyond.size();
        std::printf("  %-13s %zu\n", program.name, modules.beyond.size());
        for (const std::wstring& path : modules.beyond)
            std::printf("    %ls\n", path.c_str());
        for (const std::wstring& path : modules.sideBySide)
            std::printf("    (the system's own, side by side: %ls)\n", path.c_str());
    }
    unsigned long formBytes = FileBytes(form.exe), minimalBytes = FileBytes(minimal.exe);
    std::printf("executable size: HotkeyForm.exe %lu bytes, minimal_tray.exe %lu bytes\n",
                formBytes, minimalBytes);

    // The counting copies: the same programs with idle_watch.cpp linked in.
    const Program formWatched{"HotkeyForm", dir + L"\\HotkeyForm_idlewatch.exe", L"THotkeyForm"};
    const Program minimalWatched{"minimal tray", dir + L"\\minimal_tray_idlewatch.exe",
                                 L"TMinimalTray"};
    std::vector<double> formKb, minimalKb, formGdi, minimalGdi, formWindows, minimalWindows;
    int formMessages = 0, formTimers = 0, minimalMessages = 0, minimalTimers = 0;
    std::printf("idle for %lu s after start-up, hidden, as each process reports itself:\n",
                kIdleMs / 1000);
    std::printf(
        "  round  program       private KB  GDI  windows  timers  messages (count, numbers)\n");
    for (int round = 1; round <= kIdleRounds; ++round) {
        for (auto [watched, kb, gdi, windows, messages, timers] :
             {std::tuple{&formWatched, &formKb, &formGdi, &formWindows, &formMessages, &formTimers},
              std::tuple{&minimalWatched, &minimalKb, &minimalGdi, &minimalWindows,
                         &minimalMessages, &minimalTimers}}) {
            Idle idle = MeasureIdle(*watched, dir);
            std::printf("  %5d  %-13s %10.0f  %3lu  %7d  %6d  %s\n", round, watched->name,
                        idle.privateKb, idle.gdi, idle.windows, idle.timers,
                        idle.wakes.empty() ? "(no report)" : idle.wakes.c_str());
            if (idle.wakes.empty()) {
                std::fprintf(stderr, "tray_bench: %s did not report its idle time\n",
                             watched->name);
                return 1;
            }
            kb->push_back(idle.privateKb);
            gdi->push_back(static_cast<double>(idle.gdi));
            windows->push_back(idle.windows);
            *messages += MessagesOf(idle);
            *timers += idle.timers;
        }
    }
    std::printf("  (where the platform's GDI count reads 0 the objects are counted from the handle "
                "table, stock objects included; windows stand for the USER objects)\n");

    bench::TableRow("start-up to tray icon and findable window", "ms", f, m, "median <= 1.5");
    bench::TableRow("idle private memory, hidden", "KB", bench::Summarise(formKb),
                    bench::Summarise(minimalKb), "median <= 1.5");
    bench::TableRow("idle GDI objects, hidden", "", bench::Summarise(formGdi),
                    bench::Summarise(minimalGdi), "median <= 1.5");
    bench::TableRow("idle windows (USER objects), hidden", "", bench::Summarise(formWindows),
                    bench::Summarise(minimalWindows), "median <= 1.5");
    char ours[64], floor[64];
    std::snprintf(ours, sizeof ours, "%d msgs, %d timers", formMessages, formTimers);
    std::snprintf(floor, sizeof floor, "%d msgs, %d timers", minimalMessages, minimalTimers);
    char measure[96];
    std::snprintf(measure, sizeof measure, "wake-ups hidden and idle, %d x %lu s", kIdleRounds,
                  kIdleMs / 1000);
    bench::TableRow(measure, ours, floor, "0 msgs, 0 timers");
    std::snprintf(ours, sizeof ours, "%lu bytes", formBytes);
    std::snprintf(floor, sizeof floor, "%lu bytes", minimalBytes);
    bench::TableRow("executable size", ours, floor, "< 1 MB");
    std::snprintf(ours, sizeof ours, "%zu", beyond[0]);
    std::snprintf(floor, sizeof floor, "%zu", beyond[1]);
    bench::TableRow("DLLs loaded beyond the system's own", ours, floor, "0");

    for (const wchar_t* name : programs)
        ::DeleteFileW((dir + L"\\" + name).c_str());
    ::DeleteFileW(ini.c_str());
    ::DeleteFileW((dir + L"\\idle.log").c_str());
    ::RemoveDirectoryW(dir.c_str());
    return 0;
}
