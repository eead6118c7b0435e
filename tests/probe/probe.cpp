// probe: a program for HotkeyForm to launch in tests. It records when it started (the
// performance counter is system-wide, so the launcher can compare its own ticks), its process
// id and its command line as one line appended to a log, then exits. It must stay small and
// quick to start, because the launch-latency benchmark measures up to its first instruction.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

class File {
public:
    explicit File(HANDLE h) : h_(h) {}
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() {
        if (ok())
            CloseHandle(h_);
    }
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

// PROBE_LOG if set, otherwise probe.log beside this executable.
std::wstring logPath() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD n = GetEnvironmentVariableW(L"PROBE_LOG", path.data(), DWORD(path.size()));
    if (n > path.size()) {
        path.resize(n);
        n = GetEnvironmentVariableW(L"PROBE_LOG", path.data(), n);
    }
    if (n > 0 && n < path.size()) {
        path.resize(n);
        return path;
    }
    path.assign(32768, L'\0');
    n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    path.resize(n);
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + L"probe.log";
}

std::string toUtf8(const wchar_t* text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return {};
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    out.pop_back(); // the terminator
    return out;
}

} // namespace

int wmain() {
    LARGE_INTEGER started;
    QueryPerformanceCounter(&started);

    char head[48];
    std::snprintf(head, sizeof head, "%lld %lu ", static_cast<long long>(started.QuadPart),
                  GetCurrentProcessId());
    std::string line = head + toUtf8(GetCommandLineW()) + "\n";

    // Append-only access makes every WriteFile land at the current end of the file, so
    // probes started at the same moment never overwrite each other's lines, as long as
    // each line goes out in a single write.
    File log(CreateFileW(logPath().c_str(), FILE_APPEND_DATA,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log.ok())
        return 1;
    DWORD written = 0;
    if (!WriteFile(log.get(), line.data(), DWORD(line.size()), &written, nullptr) ||
        written != line.size())
        return 1;
    return 0;
}
