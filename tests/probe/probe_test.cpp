// Checks the log line probe.exe leaves, including when many probes start at once, as they do
// in the launch tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/form_process.h"
#include "tests/support/temp_folder.h"

namespace {

std::wstring scratchName(const wchar_t* prefix) {
    wchar_t dir[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, prefix, 0, name); // creates the file: an empty log to start with
    return name;
}

std::string slurp(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string text(GetFileSize(f, nullptr), '\0');
    DWORD got = 0;
    ReadFile(f, text.data(), DWORD(text.size()), &got, nullptr);
    CloseHandle(f);
    text.resize(got);
    return text;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

struct Started {
    PROCESS_INFORMATION pi{};
    std::wstring commandLine;
};

Started startSuspended(const std::wstring& exe, const std::wstring& args) {
    Started s;
    s.commandLine = L"\"" + exe + L"\" " + args;
    std::wstring buffer = s.commandLine;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    EXPECT_TRUE(CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE,
                               CREATE_SUSPENDED, nullptr, nullptr, &si, &s.pi));
    return s;
}

DWORD finish(Started& s) {
    DWORD code = 99;
    EXPECT_EQ(WaitForSingleObject(s.pi.hProcess, 20000), WAIT_OBJECT_0);
    GetExitCodeProcess(s.pi.hProcess, &code);
    CloseHandle(s.pi.hProcess);
    CloseHandle(s.pi.hThread);
    return code;
}

TEST(Probe, SimultaneousProbesEachAppendOneWholeLine) {
    std::wstring log = scratchName(L"prb");
    SetEnvironmentVariableW(L"PROBE_LOG", log.c_str());
    std::wstring exe = ProbePath().str();

    constexpr int kProbes = 8;
    std::vector<Started> probes;
    for (int i = 0; i < kProbes; ++i)
        probes.push_back(startSuspended(exe, L"run-" + std::to_wstring(i) +
                                                 L" \"two words\" caf\u00e9 \u6f22\u5b57"));
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    for (Started& p : probes) // released together so their writes race
        ResumeThread(p.pi.hThread);
    std::map<DWORD, std::string> expected;
    for (Started& p : probes) {
        expected[p.pi.dwProcessId] = Utf8(p.commandLine.c_str());
        EXPECT_EQ(finish(p), 0u);
    }
    QueryPerformanceCounter(&after);
    SetEnvironmentVariableW(L"PROBE_LOG", nullptr);

    std::string text = slurp(log);
    DeleteFileW(log.c_str());
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    std::vector<std::string> got = lines(text);
    ASSERT_EQ(got.size(), size_t(kProbes)) << text;
    for (const std::string& line : got) {
        std::istringstream fields(line);
        long long ticks = 0;
        DWORD pid = 0;
        fields >> ticks >> pid;
        fields.get(); // the space before the command line
        std::string commandLine;
        std::getline(fields, commandLine);
        EXPECT_GE(ticks, before.QuadPart) << line;
        EXPECT_LE(ticks, after.QuadPart) << line;
        ASSERT_EQ(expected.count(pid), 1u) << "unknown or repeated pid: " << line;
        EXPECT_EQ(commandLine, expected[pid]);
        expected.erase(pid);
    }
}

TEST(Probe, WithoutProbeLogWritesBesideItself) {
    SetEnvironmentVariableW(L"PROBE_LOG", nullptr);
    TempFolder dir(L"prd");
    std::wstring copy = dir.File(L"probe.exe").str();
    ASSERT_TRUE(CopyFileW(ProbePath().str().c_str(), copy.c_str(), FALSE));

    Started probe = startSuspended(copy, L"alone");
    ResumeThread(probe.pi.hThread);
    EXPECT_EQ(finish(probe), 0u);

    std::vector<std::string> got = lines(slurp(dir.File(L"probe.log").str()));
    ASSERT_EQ(got.size(), 1u);
    // Ends with the command line, after the ticks and the pid.
    std::string commandLine = Utf8(probe.commandLine.c_str());
    ASSERT_GT(got[0].size(), commandLine.size());
    EXPECT_EQ(got[0].substr(got[0].size() - commandLine.size()), commandLine) << got[0];
}

} // namespace
