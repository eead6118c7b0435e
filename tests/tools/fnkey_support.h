// Running fnkey.exe from tests: its output and exit code, a listening fnkey that is always
// stopped again, and a stand-in THotkeyForm window on the test thread that records what
// arrives.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/kernel_object.h"

struct Delivery {
    HWND window;
    WPARAM code;
    LPARAM lParam;
    bool sent;
};
// What the stand-in windows received, in order, and what they answer.
extern std::vector<Delivery> g_deliveries;
extern LRESULT g_reply;

// A hidden window of class THotkeyForm owned by this thread; null when it cannot be made.
HWND CreateStandInForm();
// Keeps this thread's messages flowing until n deliveries have arrived or ms have passed.
bool WaitForDeliveries(size_t n, DWORD ms = 3000);

struct Outcome {
    DWORD exitCode = 0;
    std::string out, err;
};

// Runs fnkey to its end while this thread's messages keep flowing: a --send waits for the
// stand-in's window procedure.
Outcome RunFnkey(const std::wstring& args);

// fnkey --listen with a stop event of its own. The destructor stops it, by force when it
// does not end, so no test leaves it running.
class ListeningFnkey {
public:
    // creationFlags as CreateProcessW takes them, such as CREATE_NEW_CONSOLE.
    explicit ListeningFnkey(const std::wstring& args, DWORD creationFlags = 0);
    ListeningFnkey(const ListeningFnkey&) = delete;
    ListeningFnkey& operator=(const ListeningFnkey&) = delete;
    ~ListeningFnkey();

    // Whether it printed its listening line within ms.
    bool WaitUntilListening(DWORD ms = 10000);
    // Signals the stop event.
    void Stop() { SetEvent(m_stop); }
    // Waits for the end; false when it still runs after ms.
    bool WaitForExit(DWORD ms = 5000);
    DWORD ExitCode() const;
    DWORD ThreadId() const { return m_threadId; }
    DWORD ProcessId() const { return m_processId; }
    std::string Out() const;
    std::string Err() const;

private:
    std::wstring m_stopName;
    CKernelObject m_stop, m_out, m_err, m_process;
    DWORD m_threadId = 0, m_processId = 0;
};

// The arguments used here are ASCII; good enough for trace messages.
std::string Ascii(const std::wstring& s);
std::string Trimmed(std::string s);
