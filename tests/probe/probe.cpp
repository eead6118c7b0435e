// probe: a program for HotkeyForm to launch in tests. It records when it started (the
// performance counter is system-wide, so the launcher can compare its own ticks), its process
// id and its command line as one line appended to a log, then exits. The launch-latency
// benchmark measures up to its first instruction, so it uses nothing but kernel32: no C++
// library to link in or initialise.
#include <windows.h>

#include "framework/kernel_object.h"

namespace {

template <typename T> class Buffer {
public:
    explicit Buffer(size_t count)
        : p_(static_cast<T*>(HeapAlloc(GetProcessHeap(), 0, count * sizeof(T)))) {}
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    ~Buffer() {
        if (p_)
            HeapFree(GetProcessHeap(), 0, p_);
    }
    T* get() const { return p_; }

private:
    T* p_;
};

// Longest environment value and longest path, in characters, terminator included.
constexpr DWORD kMaxText = 32768;

// PROBE_LOG if set, otherwise probe.log beside this executable.
bool findLogPath(wchar_t* path) {
    DWORD n = GetEnvironmentVariableW(L"PROBE_LOG", path, kMaxText);
    if (n > 0 && n < kMaxText)
        return true;
    n = GetModuleFileNameW(nullptr, path, kMaxText);
    if (n == 0 || n >= kMaxText)
        return false;
    DWORD dir = n;
    while (dir > 0 && path[dir - 1] != L'\\' && path[dir - 1] != L'/')
        --dir;
    const wchar_t name[] = L"probe.log";
    if (dir + sizeof name / sizeof name[0] > kMaxText)
        return false;
    for (wchar_t c : name)
        path[dir++] = c;
    return true;
}

char* appendNumber(char* out, unsigned long long value) {
    char digits[20];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value);
    while (n)
        *out++ = digits[--n];
    return out;
}

} // namespace

int wmain() {
    LARGE_INTEGER started;
    QueryPerformanceCounter(&started);

    const wchar_t* commandLine = GetCommandLineW();
    int textBytes = WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, nullptr, 0, nullptr, nullptr);
    Buffer<char> line(64 + textBytes);
    Buffer<wchar_t> path(kMaxText);
    if (!line.get() || !path.get() || !findLogPath(path.get()))
        return 1;

    char* end = appendNumber(line.get(), static_cast<unsigned long long>(started.QuadPart));
    *end++ = ' ';
    end = appendNumber(end, GetCurrentProcessId());
    *end++ = ' ';
    if (textBytes > 1)
        end +=
            WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, end, textBytes, nullptr, nullptr) - 1;
    *end++ = '\n';

    // Append-only access makes every WriteFile land at the current end of the file, but not
    // every platform makes finding the end and writing one step, so probes started at the
    // same moment also take turns. The start ticks were read before any of this.
    CKernelObject turn(CreateMutexW(nullptr, FALSE, L"HotkeyProbeLogTurn"));
    if (turn)
        WaitForSingleObject(turn, 10000);
    CKernelObject log(CreateFileW(path.get(), FILE_APPEND_DATA,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD size = DWORD(end - line.get());
    DWORD written = 0;
    BOOL ok = log && WriteFile(log, line.get(), size, &written, nullptr) && written == size;
    if (turn)
        ReleaseMutex(turn);
    return ok ? 0 : 1;
}
