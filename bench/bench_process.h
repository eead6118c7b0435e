// Owners of the kernel handles the benchmarks open, and starting a program with them.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace bench {

// Closes a kernel handle at scope end.
class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(HANDLE handle) : m_handle(handle) {}
    ScopedHandle(ScopedHandle&& other) noexcept
        : m_handle(std::exchange(other.m_handle, nullptr)) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        std::swap(m_handle, other.m_handle);
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() {
        if (m_handle)
            ::CloseHandle(m_handle);
    }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle = nullptr;
};

// A process this benchmark started. Letting it go closes the handles only: the process runs on.
struct StartedProcess {
    ScopedHandle process;
    ScopedHandle thread;
    DWORD id = 0;

    explicit operator bool() const { return process.Get() != nullptr; }
};

// Starts the program with no arguments, in `folder` or, when that is null, in this process's
// current folder.
inline StartedProcess StartProgram(const std::wstring& exe, const wchar_t* folder = nullptr) {
    std::wstring line = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    StartedProcess started;
    if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &si,
                         &pi)) {
        started.process = ScopedHandle(pi.hProcess);
        started.thread = ScopedHandle(pi.hThread);
        started.id = pi.dwProcessId;
    }
    return started;
}

} // namespace bench
