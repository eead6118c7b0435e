// One queue of presses per program, each drained by a thread that ends when it is empty: no
// thread waits while no key is pressed.
#include "app/launch/launch_queue.h"

#include <deque>
#include <map>
#include <memory>

#include "app/launch/foreground.h"
#include "app/launch/launch.h"
#include "app/launch/running_window.h"
#include "framework/kernel_object.h"

namespace {

// How long a press that looks for the program's window waits for the copy the press before it
// started: long enough for a program to show its window, short enough to give up on one that
// never does.
constexpr DWORD kStartedCopyWaitMs = 5000;

// One press, on the calling thread: the start or the running window's turn. pLastStarted is
// the process the program's previous press started, if it is still held, and takes the one
// this press starts when the key looks for running windows. bMayWait: the thread is the
// program's own, which may wait for a consent prompt.
void RunLaunch(const LAUNCHJOB& job, CKernelObject* pLastStarted, bool bMayWait) {
    PROCESSSTART start = PrepareStart(job.strStoredPath, job.options);
    bool findsRunning = job.options.eIfRunning != LaunchIfRunning::StartAnother;
    HWND hwndFront = job.windows.hwndFront;
    if (findsRunning && !start.strProgram.IsEmpty()) {
        if (*pLastStarted) {
            ::WaitForInputIdle(*pLastStarted, kStartedCopyWaitMs);
            pLastStarted->Close(); // ready, or given up on: no later press waits for it
        }
        if (HWND hWnd = ChooseProgramWindow(ListTopWindows(start.strProgram))) {
            bool toggle = job.options.eIfRunning == LaunchIfRunning::Toggle;
            ApplyToRunningWindow(hWnd, ActionForRunningWindow(hWnd, toggle, hwndFront), hwndFront);
            return;
        }
    }
    CKernelObject started;
    bool bStarted = StartProcess(start, job.windows, findsRunning ? &started : nullptr, bMayWait);
    // Nothing started, or nothing shown in front: the keyboard stays where the user had it.
    if (!bStarted || start.nShow == SW_SHOWMINNOACTIVE)
        ReturnForeground(hwndFront);
    if (findsRunning)
        *pLastStarted = std::move(started);
}

// A start needs little stack; the platform's default would add a megabyte or more to the
// process for as long as a thread runs (and under Wine somewhat after).
constexpr SIZE_T kStackBytes = 256 * 1024;

struct ProgramQueue {
    // Guarded by g_lock.
    std::deque<LAUNCHJOB> jobs;
    bool bDraining = false;
    // Only the draining thread touches it.
    CKernelObject lastStarted;
};

// A plain lock that needs no destruction: a draining thread may still run while the process
// ends. Each thread keeps its own queue alive; the map is touched only under the lock.
SRWLOCK g_lock = SRWLOCK_INIT;

class CExclusive {
public:
    CExclusive() { ::AcquireSRWLockExclusive(&g_lock); }
    CExclusive(const CExclusive&) = delete;
    CExclusive& operator=(const CExclusive&) = delete;
    ~CExclusive() { Release(); }
    void Release() {
        if (m_bHeld)
            ::ReleaseSRWLockExclusive(&g_lock);
        m_bHeld = false;
    }

private:
    bool m_bHeld = true;
};

std::map<CString, std::shared_ptr<ProgramQueue>>& Queues() {
    static std::map<CString, std::shared_ptr<ProgramQueue>> queues;
    return queues;
}

DWORD WINAPI DrainQueue(void* pParam) {
    std::unique_ptr<std::shared_ptr<ProgramQueue>> held(
        static_cast<std::shared_ptr<ProgramQueue>*>(pParam));
    ProgramQueue& queue = **held;
    for (;;) {
        LAUNCHJOB job;
        {
            CExclusive lock;
            if (queue.jobs.empty()) {
                queue.bDraining = false;
                return 0;
            }
            job = std::move(queue.jobs.front());
            queue.jobs.pop_front();
        }
        RunLaunch(job, &queue.lastStarted, true);
    }
}

// A plain start of a program on a local drive, in a local folder, never waits on a network:
// it runs at once where it was asked for, as quick as a start can be. Under Wine a thread,
// once ended, also leaves its stacks behind until the next one starts. What the shell opens
// never does: its handler may take as long as it likes.
bool StartsWithoutWaiting(const LAUNCHJOB& job) {
    if (job.options.eIfRunning != LaunchIfRunning::StartAnother ||
        !OnFixedDrive(job.strStoredPath) || !StartsProgram(job.strStoredPath))
        return false;
    if (job.options.strStartIn.IsEmpty())
        return true;
    CString folder = ExpandedVariables(job.options.strStartIn);
    return !folder.IsEmpty() && OnFixedDrive(folder);
}

} // namespace

void QueueLaunch(LAUNCHJOB job) {
    CString key = job.strStoredPath;
    key.MakeUpper();
    CExclusive lock;
    auto found = Queues().find(key);
    // Behind presses of the same program still under way, a press waits its turn.
    if (StartsWithoutWaiting(job) && (found == Queues().end() || !found->second->bDraining)) {
        lock.Release();
        CKernelObject none;
        RunLaunch(job, &none, false);
        return;
    }
    std::shared_ptr<ProgramQueue>& queue = Queues()[key];
    if (!queue)
        queue = std::make_shared<ProgramQueue>();
    queue->jobs.push_back(std::move(job));
    if (queue->bDraining)
        return;
    auto held = std::make_unique<std::shared_ptr<ProgramQueue>>(queue);
    CKernelObject thread(::CreateThread(nullptr, kStackBytes, &DrainQueue, held.get(),
                                        STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    if (!thread) {
        // No thread to be had: the press is dropped, silently, as a failed start is.
        queue->jobs.pop_back();
        return;
    }
    held.release(); // the thread's now
    queue->bDraining = true;
}
