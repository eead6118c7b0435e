// Driving the real program from tests: a copy of HotkeyForm.exe in a folder of its own, the
// stand-in driver, and the probe's log of started processes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/cstring.h"
#include "framework/kernel_object.h"

// The folder of the running test program, where the build puts every program.
CString BinDir();

// Runs a command line to its end; returns its exit code, or -1 when it could not start or
// did not end in time. Standard output is collected into *pOutput when given.
int RunAndWait(const CString& commandLine, std::string* pOutput = nullptr, DWORD timeoutMs = 10000);

// Delivers a key through fnkey.exe; returns fnkey's exit code.
int Fnkey(const CString& arguments, std::string* pOutput = nullptr);

// A running HotkeyForm.exe copied into a folder together with its settings file.
class FormProcess {
public:
    explicit FormProcess(const CString& folder);
    FormProcess(const FormProcess&) = delete;
    FormProcess& operator=(const FormProcess&) = delete;
    // Ends the program if it still runs: asked to close first, then by force.
    ~FormProcess();

    CString ExePath() const { return m_folder + L"\\HotkeyForm.exe"; }
    CString IniPath() const { return m_folder + L"\\Hotkey.ini"; }
    void WriteSetting(const wchar_t* section, const wchar_t* key, const CString& value) const;

    // Starts the program, with arguments after its quoted path, without waiting for anything.
    bool Launch(const CString& arguments = CString());
    // Takes over a running copy that something else started, to watch and end it.
    bool Attach(DWORD processId);
    // Starts the program and waits until its form window has been set up.
    bool Start();
    // The form window of this process, or null.
    HWND FindForm() const;
    bool WaitForExit(DWORD ms);
    bool IsRunning() const;
    DWORD ExitCode() const;
    DWORD ProcessId() const { return m_dwProcessId; }
    // Why the last Launch could not start the program, or ERROR_SUCCESS.
    DWORD LaunchError() const { return m_dwLaunchError; }
    // Asks the form to close, as another program or the end of the session would.
    void Close() const;

private:
    CString m_folder;
    CKernelObject m_process;
    CKernelObject m_thread;
    DWORD m_dwProcessId = 0;
    DWORD m_dwLaunchError = ERROR_SUCCESS;
};

// The form window of any running instance, or null.
HWND FindAnyForm();
// Waits until no form window is left, so the next test starts from nothing.
bool WaitForNoForm(DWORD ms);

struct ProbeLine {
    unsigned long long ticks;
    DWORD pid;
    std::string commandLine;
};

// The file the probe appends one line to per start; PROBE_LOG points every probe started
// from this test process at it.
class ProbeLog {
public:
    explicit ProbeLog(const CString& path);
    ~ProbeLog();
    std::vector<ProbeLine> Read() const;
    // Waits until at least n lines are there; returns the lines read last.
    std::vector<ProbeLine> WaitForLines(size_t n, DWORD ms = 10000) const;

private:
    CString m_path;
};

// The probe's own path, and a copy of it under another name.
CString ProbePath();
bool CopyProgram(const CString& from, const CString& to);
std::string Utf8(const CString& s);
