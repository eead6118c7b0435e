// Twenty starts released at the same moment, round after round: each round leaves exactly
// one running program, and the name is free again once it has ended.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/kernel_object.h"
#include "tests/support/desktop.h"
#include "tests/support/temp_folder.h"
#include "torture_support.h"

namespace {

constexpr int kStarts = 20;

// A start held at its first instruction until every other one is ready too.
class SuspendedStart {
public:
    explicit SuspendedStart(const CString& exe) {
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        CString line = L"\"" + exe + L"\"";
        PROCESS_INFORMATION pi{};
        m_bStarted = ::CreateProcessW(nullptr, line.GetBuffer(), nullptr, nullptr, FALSE,
                                      CREATE_SUSPENDED, nullptr, nullptr, &si, &pi) != FALSE;
        m_process.Attach(pi.hProcess);
        m_thread.Attach(pi.hThread);
        m_dwProcessId = pi.dwProcessId;
    }
    SuspendedStart(const SuspendedStart&) = delete;
    SuspendedStart& operator=(const SuspendedStart&) = delete;
    ~SuspendedStart() {
        if (!m_bStarted)
            return;
        if (IsRunning()) {
            ::TerminateProcess(m_process, 1);
            ::WaitForSingleObject(m_process, 5000);
        }
    }
    bool Started() const { return m_bStarted; }
    void Release() const { ::ResumeThread(m_thread); }
    bool IsRunning() const { return ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT; }
    DWORD ProcessId() const { return m_dwProcessId; }
    bool WaitForExit(DWORD ms) const {
        return ::WaitForSingleObject(m_process, ms) == WAIT_OBJECT_0;
    }

private:
    CKernelObject m_process;
    CKernelObject m_thread;
    DWORD m_dwProcessId = 0;
    bool m_bStarted = false;
};

class InstanceRaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForNoForm(5000)) << "a form from an earlier test still runs";
    }
};

TEST_F(InstanceRaceTest, TwentyStartsAtOnceLeaveExactlyOneRoundAfterRound) {
    const int rounds = Count(3, 20);
    std::vector<std::unique_ptr<TempFolder>> dirs;
    std::vector<CString> exes;
    for (int i = 0; i < kStarts; ++i) {
        dirs.push_back(std::make_unique<TempFolder>());
        // Copies in folders of their own: the name, not the file, decides who runs.
        FormProcess copy(dirs.back()->Path());
        exes.push_back(copy.ExePath());
    }
    int roundsWithOne = 0;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(round);
        std::vector<std::unique_ptr<SuspendedStart>> starts;
        for (const CString& exe : exes) {
            starts.push_back(std::make_unique<SuspendedStart>(exe));
            ASSERT_TRUE(starts.back()->Started());
        }
        for (auto& start : starts)
            start->Release();

        // Every start but one ends on its own; the one left shows its form.
        auto runningCount = [&] {
            return std::count_if(starts.begin(), starts.end(),
                                 [](auto& start) { return start->IsRunning(); });
        };
        HWND hForm = nullptr;
        WaitFor([&] { return (hForm = FindAnyForm()) && runningCount() == 1; }, 20000);
        ::Sleep(300); // a second survivor would show itself by now
        const auto running = runningCount();
        EXPECT_EQ(running, 1);
        ASSERT_NE(hForm, nullptr);
        DWORD formPid = 0;
        ::GetWindowThreadProcessId(hForm, &formPid);
        int survivors = 0;
        for (auto& start : starts)
            survivors += start->IsRunning() && start->ProcessId() == formPid ? 1 : 0;
        EXPECT_EQ(survivors, 1);
        roundsWithOne += running == 1 && survivors == 1 ? 1 : 0;

        ::PostMessageW(hForm, WM_CLOSE, 0, 0);
        for (auto& start : starts)
            EXPECT_TRUE(start->WaitForExit(5000));
        ASSERT_TRUE(WaitForNoForm(5000));
    }
    Figure("instance race: %d rounds of %d simultaneous starts, %d left exactly one program",
           rounds, kStarts, roundsWithOne);
}

} // namespace
