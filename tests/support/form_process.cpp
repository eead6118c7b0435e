// Test helpers that start and stop the real programs.
#include "tests/support/form_process.h"

#include "app/messages.h"
#include "tests/support/desktop.h"
#include "tests/support/window_finder.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

bool FileExists(const CString& path) {
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

CString BinDir() {
    wchar_t path[MAX_PATH + 1] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString dir(path);
    return dir.Left(dir.ReverseFind(L'\\'));
}

std::string Utf8(const CString& s) {
    int n = ::WideCharToMultiByte(CP_UTF8, 0, s, s.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, s, s.GetLength(), out.data(), n, nullptr, nullptr);
    return out;
}

int RunAndWait(const CString& commandLine, std::string* pOutput, DWORD timeoutMs) {
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (pOutput && !::CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return -1;
    if (readEnd)
        ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW si{};
    si.cb = sizeof(si);
    if (pOutput) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = writeEnd;
        si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
        si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    }
    PROCESS_INFORMATION pi{};
    CString line = commandLine;
    BOOL started = ::CreateProcessW(nullptr, line.GetBuffer(), nullptr, nullptr, pOutput != nullptr,
                                    0, nullptr, nullptr, &si, &pi);
    if (writeEnd)
        ::CloseHandle(writeEnd);
    if (!started) {
        if (readEnd)
            ::CloseHandle(readEnd);
        return -1;
    }
    if (pOutput) {
        char buffer[512];
        DWORD got = 0;
        while (::ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got)
            pOutput->append(buffer, got);
        ::CloseHandle(readEnd);
    }
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &code);
    else
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

int Fnkey(const CString& arguments, std::string* pOutput) {
    return RunAndWait(L"\"" + BinDir() + L"\\fnkey.exe\" " + arguments, pOutput);
}

bool CopyProgram(const CString& from, const CString& to) {
    return ::CopyFileW(from, to, FALSE) != FALSE;
}

CString ProbePath() { return BinDir() + L"\\probe.exe"; }

FormProcess::FormProcess(const CString& folder) : m_folder(folder) {
    if (!FileExists(ExePath()))
        CopyProgram(BinDir() + L"\\HotkeyForm.exe", ExePath());
    // Once it exists, the user's copy of the settings is what every program reads.
    wchar_t appData[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"LOCALAPPDATA", appData, MAX_PATH))
        ::DeleteFileW(CString(appData) + L"\\KESTO Hotkey\\Hotkey.ini");
}

FormProcess::~FormProcess() {
    if (IsRunning()) {
        Close();
        if (!WaitForExit(3000))
            ::TerminateProcess(m_process, 1);
        WaitForExit(3000);
    }
}

void FormProcess::WriteSetting(const wchar_t* section, const wchar_t* key,
                               const CString& value) const {
    ::WritePrivateProfileStringW(section, key, value, IniPath());
}

bool FormProcess::Launch(const CString& arguments) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    CString line = L"\"" + ExePath() + L"\"";
    if (!arguments.IsEmpty())
        line += L" " + arguments;
    PROCESS_INFORMATION pi{};
    // Now and then, in a long run of starts, Wine refuses to start the program it was just
    // given a copy of, and starts it a moment later: what is tested is the program.
    m_dwLaunchError = ERROR_SUCCESS;
    for (int attempt = 0; !::CreateProcessW(nullptr, line.GetBuffer(), nullptr, nullptr, FALSE, 0,
                                            nullptr, m_folder, &si, &pi);
         ++attempt) {
        m_dwLaunchError = ::GetLastError();
        if (attempt == 20)
            return false;
        ::Sleep(100);
    }
    m_dwLaunchError = ERROR_SUCCESS;
    m_process.Attach(pi.hProcess);
    m_thread.Attach(pi.hThread);
    m_dwProcessId = pi.dwProcessId;
    return true;
}

bool FormProcess::Attach(DWORD processId) {
    m_process.Attach(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION,
                                   FALSE, processId));
    m_dwProcessId = m_process ? processId : 0;
    return m_dwProcessId != 0;
}

bool FormProcess::Start() {
    if (!Launch())
        return false;
    for (int i = 0; i < 200; ++i) {
        // The window exists before the form has set itself up; its title comes with that.
        wchar_t title[32] = {};
        if (HWND form = FindForm(); form && ::GetWindowTextW(form, title, 32) > 0) {
            // The title comes first in the set-up; the form is whole once its loop waits.
            ::WaitForInputIdle(m_process, 5000);
            return true;
        }
        if (!IsRunning())
            return false;
        ::Sleep(50);
    }
    return false;
}

HWND FormProcess::FindForm() const {
    return m_dwProcessId
               ? FindFirstWindow({.processId = m_dwProcessId, .className = kFormClassName})
               : nullptr;
}

HWND FindAnyForm() { return FindFirstWindow({.className = kFormClassName}); }

bool WaitForNoForm(DWORD ms) {
    return WaitFor([] { return !FindAnyForm(); }, ms);
}

bool FormProcess::WaitForExit(DWORD ms) {
    return m_process && ::WaitForSingleObject(m_process, ms) == WAIT_OBJECT_0;
}

bool FormProcess::IsRunning() const {
    return m_process && ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

DWORD FormProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (m_process)
        ::GetExitCodeProcess(m_process, &code);
    return code;
}

void FormProcess::Close() const {
    if (HWND form = FindForm())
        ::PostMessageW(form, WM_CLOSE, 0, 0);
}

ProbeLog::ProbeLog(const CString& path) : m_path(path) {
    ::DeleteFileW(m_path);
    ::SetEnvironmentVariableW(L"PROBE_LOG", m_path);
}

ProbeLog::~ProbeLog() { ::SetEnvironmentVariableW(L"PROBE_LOG", nullptr); }

std::vector<ProbeLine> ProbeLog::Read() const {
    std::vector<ProbeLine> lines;
    std::ifstream in(Utf8(m_path).c_str(), std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A line still being written has no end yet and is left for the next read.
    all.erase(all.rfind('\n') == std::string::npos ? 0 : all.rfind('\n') + 1);
    std::istringstream whole(all);
    std::string text;
    while (std::getline(whole, text)) {
        std::istringstream fields(text);
        ProbeLine line{};
        fields >> line.ticks >> line.pid;
        fields.get();
        std::getline(fields, line.commandLine);
        lines.push_back(line);
    }
    return lines;
}

std::vector<ProbeLine> ProbeLog::WaitForLines(size_t n, DWORD ms) const {
    std::vector<ProbeLine> lines;
    WaitFor([&] { return (lines = Read()).size() >= n; }, ms);
    return lines;
}
