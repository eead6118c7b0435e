// Helpers of the fnkey tests.
#include "fnkey_support.h"

#include <gtest/gtest.h>

#include "app/messages.h"
#include "tests/support/form_process.h"
#include "tests/support/message_pump.h"

std::vector<Delivery> g_deliveries;
LRESULT g_reply = 0;

namespace {

LRESULT CALLBACK standInProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_FN_HOTKEY) {
        g_deliveries.push_back({hwnd, wParam, lParam, InSendMessage() != FALSE});
        return g_reply;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// An inheritable scratch file for one of the child's output streams.
HANDLE captureFile() {
    wchar_t dir[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"fnk", 0, name);
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    return CreateFileW(name, GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &sa, CREATE_ALWAYS,
                       FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

// Reads from the start without moving the file pointer there first: a running child shares
// the pointer and would otherwise write over its own earlier output.
std::string readBack(HANDLE file) {
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    OVERLAPPED at{};
    ReadFile(file, text.data(), DWORD(text.size()), &got, &at);
    text.resize(got);
    return text;
}

// Starts fnkey with its output streams in the given files; false when it cannot start.
bool startFnkey(const std::wstring& args, HANDLE out, HANDLE err, PROCESS_INFORMATION& pi,
                DWORD creationFlags = 0) {
    std::wstring exe = (BinDir() + L"\\fnkey.exe").str();
    std::wstring cmd = L"\"" + exe + L"\" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out;
    si.hStdError = err;
    if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, TRUE, creationFlags, nullptr,
                       nullptr, &si, &pi))
        return true;
    ADD_FAILURE() << "cannot start fnkey.exe, error " << GetLastError();
    return false;
}

} // namespace

HWND CreateStandInForm() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = standInProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kFormClassName;
    RegisterClassExW(&wc); // fails harmlessly once already registered
    return CreateWindowExW(0, kFormClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

bool WaitForDeliveries(size_t n, DWORD ms) {
    return test::PumpUntil([n] { return g_deliveries.size() >= n; }, ms);
}

Outcome RunFnkey(const std::wstring& args) {
    CKernelObject out(captureFile()), err(captureFile());
    PROCESS_INFORMATION pi{};
    Outcome run;
    if (!startFnkey(args, out, err, pi)) {
        run.exitCode = DWORD(-1);
        return run;
    }
    CKernelObject process(pi.hProcess), thread(pi.hThread);
    if (!test::WaitPumping(process, 20000)) {
        TerminateProcess(process, 99);
        ADD_FAILURE() << "fnkey.exe did not finish";
    }
    GetExitCodeProcess(process, &run.exitCode);
    run.out = readBack(out);
    run.err = readBack(err);
    return run;
}

namespace {

// A name of its own for each listener, so that tests never stop each other's.
std::wstring uniqueEventName() {
    static unsigned serial = 0;
    return L"fnkey-test-stop-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++serial);
}

} // namespace

ListeningFnkey::ListeningFnkey(const std::wstring& args, DWORD creationFlags)
    : m_stopName(uniqueEventName()), m_stop(CreateEventW(nullptr, TRUE, FALSE, m_stopName.c_str())),
      m_out(captureFile()), m_err(captureFile()) {
    PROCESS_INFORMATION pi{};
    if (startFnkey(L"--listen --stop-event " + m_stopName + L" " + args, m_out, m_err, pi,
                   creationFlags)) {
        m_process.Attach(pi.hProcess);
        CKernelObject thread(pi.hThread);
        m_threadId = pi.dwThreadId;
        m_processId = pi.dwProcessId;
    }
}

ListeningFnkey::~ListeningFnkey() {
    if (!m_process)
        return;
    Stop();
    if (!WaitForExit()) {
        TerminateProcess(m_process, 99);
        WaitForSingleObject(m_process, 5000);
        ADD_FAILURE() << "fnkey --listen did not stop";
    }
}

bool ListeningFnkey::WaitUntilListening(DWORD ms) {
    ULONGLONG deadline = GetTickCount64() + ms;
    while (Out().find("fnkey: listening:") == std::string::npos) {
        if (!m_process || GetTickCount64() >= deadline ||
            WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        test::PumpPending();
    }
    return true;
}

bool ListeningFnkey::WaitForExit(DWORD ms) { return m_process && test::WaitPumping(m_process, ms); }

DWORD ListeningFnkey::ExitCode() const {
    DWORD code = DWORD(-1);
    GetExitCodeProcess(m_process, &code);
    return code;
}

std::string ListeningFnkey::Out() const { return readBack(m_out); }
std::string ListeningFnkey::Err() const { return readBack(m_err); }

std::string Ascii(const std::wstring& s) { return std::string(s.begin(), s.end()); }

std::string Trimmed(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.pop_back();
    return s;
}
