// The form in the tray against the least a tray program can do (minimal_tray.exe, a hidden
// dialog of its own class with one tray icon), in the same run: start-up from process start
// until the icon is in the tray and the window can be found, the modules each loads from
// outside the Windows folder and each executable's size. Then the form's idle cost: a copy of
// the form with a message counter (idle_watch.cpp) reports the messages and timers it
// retrieved over ten idle seconds, hidden, and its own private memory and objects; the
// minimal program's counting copy does the same, round after round. "--entries N" gives the
// form N entries rather than the driver's four keys.
#include <windows.h>

#include <psapi.h>

#include "bench/bench_files.h"
#include "bench/bench_process.h"
#include "bench/bench_table.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_finder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kStarts = 20;
constexpr int kIdleRounds = 3;
constexpr DWORD kIdleMs = 10000;

size_t TrayIconCount() {
    // Without a tray of the X desktop, Wine shows its own small window with one child per icon.
    HWND tray = FindFirstWindow({.title = L"Wine System Tray", .visibleOnly = true});
    return tray ? FindWindows({.hParent = tray, .visibleOnly = true}).size() : 0;
}

struct Program {
    const char* name;
    const wchar_t* file; // in the build's folder
    const wchar_t* windowClass;
};

const Program kForm{"HotkeyForm", L"HotkeyForm.exe", L"THotkeyForm"};
const Program kMinimal{"minimal tray", L"minimal_tray.exe", L"TMinimalTray"};
// The same programs with idle_watch.cpp linked in.
const Program kFormWatched{"HotkeyForm", L"HotkeyForm_idlewatch.exe", L"THotkeyForm"};
const Program kMinimalWatched{"minimal tray", L"minimal_tray_idlewatch.exe", L"TMinimalTray"};

// The entries the form reads: the driver's four assigned keys, as a user's form would have, or
// as many as "--entries N" asks for, the user's own after them.
int g_entries = 4;

// Copies the programs into the measure's folder, each run from there, with the settings the
// form reads beside itself.
void Prepare(const TempFolder& folder, std::initializer_list<const Program*> programs) {
    for (const Program* program : programs)
        bench::CopyFromBin(folder, program->file);
    bench::FillEntries(folder.File(L"Hotkey.ini").str(), g_entries);
}

class Running {
public:
    Running(const Program& program, const TempFolder& folder) : m_program(program) {
        m_started = bench::Now();
        m_process = bench::StartProgram(folder.File(program.file).str(), folder.Path());
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;
    // Ends the program as a user's Exit would, and waits for its icon to leave the tray, so
    // that the next start finds the tray empty.
    ~Running() {
        if (!m_process)
            return;
        if (HWND h = Window())
            ::PostMessageW(h, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_process.process.GetSafeHandle(), 5000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process.process.GetSafeHandle(), 1);
        for (int i = 0; i < 250 && TrayIconCount() != 0; ++i)
            ::Sleep(20);
    }
    HWND Window() const {
        return FindFirstWindow({.processId = m_process.id, .className = m_program.windowClass});
    }
    // Milliseconds from process start until the icon is shown and the window findable.
    double WaitReady() const {
        const double perMs = bench::TicksPerMillisecond();
        while (m_process && (bench::Now() - m_started) / perMs < 10000) {
            if (TrayIconCount() == 1 && Window())
                return (bench::Now() - m_started) / perMs;
            ::Sleep(0);
        }
        return -1;
    }
    HANDLE Process() const { return m_process.process.GetSafeHandle(); }

private:
    const Program& m_program;
    bench::StartedProcess m_process;
    long long m_started = 0;
};

// What a counting copy reported about its idle seconds after its start-up.
struct Idle {
    std::string wakes; // the count, then the message numbers
    int timers = -1;   // distinct timers among them
    double privateKb = 0;
    unsigned long gdi = 0, user = 0;
    int windows = 0;
};

Idle WatchIdle(const Program& program, const TempFolder& folder) {
    const std::wstring log = folder.File(L"idle.log").str();
    ::DeleteFileW(log.c_str());
    ::SetEnvironmentVariableW(L"IDLE_WATCH_LOG", log.c_str());
    Idle idle;
    Running running(program, folder);
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

// Start-up from process start until the icon is shown and the window findable, the form and
// the minimal program in turns.
bool MeasureStartup() {
    TempFolder folder(L"hotkey-tray-bench-startup");
    Prepare(folder, {&kForm, &kMinimal});
    std::vector<double> formMs, minimalMs;
    for (int i = 0; i < kStarts; ++i) {
        // Alternating spreads any drift of the machine over both.
        for (auto [program, times] :
             {std::pair{&kForm, &formMs}, std::pair{&kMinimal, &minimalMs}}) {
            Running running(*program, folder);
            double ms = running.WaitReady();
            if (ms < 0) {
                std::fprintf(stderr, "tray_bench: %s never showed its icon\n", program->name);
                return false;
            }
            times->push_back(ms);
        }
    }
    bench::Stats f = bench::Summarise(formMs), m = bench::Summarise(minimalMs);
    std::printf("start-up until the tray icon is shown and the window findable, %d each (ms):\n",
                kStarts);
    std::printf("  HotkeyForm    median %7.1f   p95 %7.1f\n", f.median, f.p95);
    std::printf("  minimal tray  median %7.1f   p95 %7.1f\n", m.median, m.p95);
    std::printf("  ratio         median %7.2f   p95 %7.2f   paired %.2f   (target: at most 1.5)\n",
                bench::Ratio(f.median, m.median), bench::Ratio(f.p95, m.p95),
                bench::MedianOfPairedRatios(formMs, minimalMs));
    bench::PairedTableRow("start-up to tray icon and findable window", "ms", formMs, minimalMs,
                          "median <= 1.5");
    return true;
}

// The idle cost: each counting copy reports its own figures over the idle seconds, hidden,
// round after round.
bool MeasureIdle() {
    TempFolder folder(L"hotkey-tray-bench-idle");
    Prepare(folder, {&kFormWatched, &kMinimalWatched});
    std::vector<double> formKb, minimalKb, formGdi, minimalGdi, formWindows, minimalWindows;
    int formMessages = 0, formTimers = 0, minimalMessages = 0, minimalTimers = 0;
    std::printf("idle for %lu s after start-up, hidden, as each process reports itself:\n",
                kIdleMs / 1000);
    std::printf(
        "  round  program       private KB  GDI  windows  timers  messages (count, numbers)\n");
    for (int round = 1; round <= kIdleRounds; ++round) {
        for (auto [watched, kb, gdi, windows, messages, timers] :
             {std::tuple{&kFormWatched, &formKb, &formGdi, &formWindows, &formMessages,
                         &formTimers},
              std::tuple{&kMinimalWatched, &minimalKb, &minimalGdi, &minimalWindows,
                         &minimalMessages, &minimalTimers}}) {
            Idle idle = WatchIdle(*watched, folder);
            std::printf("  %5d  %-13s %10.0f  %3lu  %7d  %6d  %s\n", round, watched->name,
                        idle.privateKb, idle.gdi, idle.windows, idle.timers,
                        idle.wakes.empty() ? "(no report)" : idle.wakes.c_str());
            if (idle.wakes.empty()) {
                std::fprintf(stderr, "tray_bench: %s did not report its idle time\n",
                             watched->name);
                return false;
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
    return true;
}

// The executables as built; the counting copies are the benchmark's own, not shipped.
void MeasureSize() {
    unsigned long formBytes = FileBytes(bench::BinDir() + L"\\" + kForm.file);
    unsigned long minimalBytes = FileBytes(bench::BinDir() + L"\\" + kMinimal.file);
    std::printf("executable size: HotkeyForm.exe %lu bytes, minimal_tray.exe %lu bytes\n",
                formBytes, minimalBytes);
    char ours[64], floor[64];
    std::snprintf(ours, sizeof ours, "%lu bytes", formBytes);
    std::snprintf(floor, sizeof floor, "%lu bytes", minimalBytes);
    bench::TableRow("executable size", ours, floor, "< 1 MB");
}

// The modules of each program once it is up and idle.
void MeasureModules() {
    TempFolder folder(L"hotkey-tray-bench-modules");
    Prepare(folder, {&kForm, &kMinimal});
    size_t beyond[2] = {};
    std::printf("modules loaded from outside the Windows folder, the executable aside:\n");
    for (int i = 0; i < 2; ++i) {
        const Program& program = i == 0 ? kForm : kMinimal;
        Running running(program, folder);
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
    char ours[64], floor[64];
    std::snprintf(ours, sizeof ours, "%zu", beyond[0]);
    std::snprintf(floor, sizeof floor, "%zu", beyond[1]);
    bench::TableRow("DLLs loaded beyond the system's own", ours, floor, "0");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    g_entries = bench::EntriesAsked(argc, argv, g_entries);
    // The start-up waits for exactly one icon in the tray, and the form allows one instance.
    if (::FindWindowW(kForm.windowClass, nullptr) || TrayIconCount() != 0) {
        std::fprintf(stderr, "tray_bench: a tray icon or a HotkeyForm is already there\n");
        return 1;
    }
    // In the order of the table's rows.
    if (!MeasureStartup() || !MeasureIdle())
        return 1;
    MeasureSize();
    MeasureModules();
    return 0;
}
