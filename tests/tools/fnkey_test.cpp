// Drives fnkey.exe against a stand-in THotkeyForm window owned by the test thread and checks
// what arrives there, what fnkey prints and how it exits.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/messages.h"

namespace {

struct Delivery {
    WPARAM code;
    LPARAM lParam;
    bool sent;
};
std::vector<Delivery> g_deliveries;
LRESULT g_reply = 0;

LRESULT CALLBACK formProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_FN_HOTKEY) {
        g_deliveries.push_back({wParam, lParam, InSendMessage() != FALSE});
        return g_reply;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void drainMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

struct Handle {
    HANDLE h = INVALID_HANDLE_VALUE;
    Handle() = default;
    explicit Handle(HANDLE handle) : h(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (h && h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
};

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

std::string readBack(HANDLE file) {
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, text.data(), DWORD(text.size()), &got, nullptr);
    text.resize(got);
    return text;
}

struct Outcome {
    DWORD exitCode = 0;
    std::string out, err;
};

// Keeps this thread's messages flowing while fnkey runs: a --send waits for formProc.
Outcome runFnkey(const std::wstring& args) {
    // The build puts every program in one folder.
    wchar_t self[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring exe(self, n);
    exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"fnkey.exe";
    std::wstring cmd = L"\"" + exe + L"\" " + args;
    Handle out(captureFile()), err(captureFile());
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out.h;
    si.hStdError = err.h;
    PROCESS_INFORMATION pi{};
    Outcome run;
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                        &pi)) {
        ADD_FAILURE() << "cannot start fnkey.exe, error " << GetLastError();
        run.exitCode = DWORD(-1);
        return run;
    }
    Handle process(pi.hProcess), thread(pi.hThread);
    ULONGLONG deadline = GetTickCount64() + 20000;
    for (;;) {
        ULONGLONG now = GetTickCount64();
        DWORD wait = now < deadline ? DWORD(deadline - now) : 0;
        DWORD r = MsgWaitForMultipleObjects(1, &process.h, FALSE, wait, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0)
            break;
        if (r != WAIT_OBJECT_0 + 1) {
            TerminateProcess(process.h, 99);
            ADD_FAILURE() << "fnkey.exe did not finish";
            break;
        }
        drainMessages();
    }
    drainMessages(); // posts are queued by the time fnkey has exited
    GetExitCodeProcess(process.h, &run.exitCode);
    run.out = readBack(out.h);
    run.err = readBack(err.h);
    return run;
}

// The arguments used here are ASCII; good enough for trace messages.
std::string ascii(const std::wstring& s) { return std::string(s.begin(), s.end()); }

std::string trimmed(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.pop_back();
    return s;
}

class FnkeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = formProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"THotkeyForm";
        RegisterClassExW(&wc); // fails harmlessly once already registered
        form_ = CreateWindowExW(0, L"THotkeyForm", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
        ASSERT_NE(form_, nullptr);
        ASSERT_EQ(FindWindowW(L"THotkeyForm", nullptr), form_)
            << "another THotkeyForm window is open in this Wine session";
        g_deliveries.clear();
        g_reply = 0;
    }
    void TearDown() override {
        if (form_)
            DestroyWindow(form_);
    }

    void expectOnePost(const std::wstring& args, WPARAM code) {
        SCOPED_TRACE("fnkey " + ascii(args));
        g_deliveries.clear();
        Outcome run = runFnkey(args);
        EXPECT_EQ(run.exitCode, 0u) << run.err;
        EXPECT_EQ(run.out, "");
        ASSERT_EQ(g_deliveries.size(), 1u);
        EXPECT_EQ(g_deliveries[0].code, code);
        EXPECT_EQ(g_deliveries[0].lParam, 0);
        EXPECT_FALSE(g_deliveries[0].sent);
    }

    HWND form_ = nullptr;
};

TEST_F(FnkeyTest, PostsTheDriverCodesOfNamedKeysInAnyCase) {
    expectOnePost(L"S1", 0x5F);
    expectOnePost(L"s2", 0x60);
    expectOnePost(L"S3", 0x61);
    expectOnePost(L"s4", 0x62);
    expectOnePost(L"S5", 0x63);
}

TEST_F(FnkeyTest, PostsNumericCodesOverTheWhole32BitRange) {
    expectOnePost(L"95", 0x5F);
    expectOnePost(L"0x5F", 0x5F);
    expectOnePost(L"0", 0);
    expectOnePost(L"4294967295", 0xFFFFFFFF);
    expectOnePost(L"0XfFfFfFfF", 0xFFFFFFFF);
}

TEST_F(FnkeyTest, SendPrintsWhatTheWindowAnswers) {
    g_reply = -7;
    Outcome run = runFnkey(L"S3 --send");
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(trimmed(run.out), "-7");
    ASSERT_EQ(g_deliveries.size(), 1u);
    EXPECT_EQ(g_deliveries[0].code, 0x61u);
    EXPECT_TRUE(g_deliveries[0].sent);
}

TEST_F(FnkeyTest, CountRepeatsTheDelivery) {
    Outcome posted = runFnkey(L"--count 3 0x62");
    EXPECT_EQ(posted.exitCode, 0u) << posted.err;
    ASSERT_EQ(g_deliveries.size(), 3u);
    for (const Delivery& d : g_deliveries)
        EXPECT_EQ(d.code, 0x62u);

    g_deliveries.clear();
    g_reply = 12;
    Outcome sent = runFnkey(L"--send S2 --count 2");
    EXPECT_EQ(sent.exitCode, 0u) << sent.err;
    EXPECT_EQ(sent.out, "12\r\n12\r\n");
    EXPECT_EQ(g_deliveries.size(), 2u);
}

TEST_F(FnkeyTest, BadUsageExitsWithTwoAndDeliversNothing) {
    for (const wchar_t* args :
         {L"",        L"S0",         L"S6",           L"S12",          L"F1",
          L"x5F",     L"0x",         L"0x1G",         L"12abc",        L"-1",
          L"+5",      L"4294967296", L"0x100000000",  L"S1 S2",        L"--bogus S1",
          L"--count", L"S1 --count", L"--count 0 S1", L"--count x S1", L"--send"}) {
        SCOPED_TRACE("fnkey " + ascii(args));
        Outcome run = runFnkey(args);
        EXPECT_EQ(run.exitCode, 2u);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage"), std::string::npos);
        EXPECT_EQ(trimmed(run.err).find('\n'), std::string::npos) << "usage is one line";
    }
    EXPECT_TRUE(g_deliveries.empty());
}

TEST_F(FnkeyTest, HelpGoesToStandardOutput) {
    Outcome run = runFnkey(L"S1 --help");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_NE(run.out.find("usage"), std::string::npos);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(g_deliveries.empty());
}

TEST(FnkeyWithoutForm, SaysSoAndExitsWithOne) {
    ASSERT_EQ(FindWindowW(L"THotkeyForm", nullptr), nullptr);
    Outcome run = runFnkey(L"S1");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(trimmed(run.err), "fnkey: no window of class THotkeyForm");
}

} // namespace
