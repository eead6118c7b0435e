// Starting a program for a benchmark, its handles owned.
#pragma once

#include <windows.h>

#include <string>

#include "framework/kernel_object.h"

namespace bench {

// A process this benchmark started. Letting it go closes the handles only: the process runs on.
struct StartedProcess {
    CKernelObject process;
    CKernelObject thread;
    DWORD id = 0;

    explicit operator bool() const { return static_cast<bool>(process); }
};

// Starts the program with the arguments given, in `folder` or, when that is null, in this
// process's current folder.
inline StartedProcess StartProgram(const std::wstring& exe, const wchar_t* folder = nullptr,
                                   const std::wstring& arguments = {}) {
    std::wstring line = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    StartedProcess started;
    if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &si,
                         &pi)) {
        started.process.Attach(pi.hProcess);
        started.thread.Attach(pi.hThread);
        started.id = pi.dwProcessId;
    }
    return started;
}

} // namespace bench
