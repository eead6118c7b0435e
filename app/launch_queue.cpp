// One queue of presses per program, each drained by a thread that ends when it is empty: no
// thread waits while no key is pressed.
#include "app/launch_queue.h"

#include <deque>
#include <map>
#include <memory>

#include "app/launch.h"
#include "app/running_window.h"
#include "framework/kernel_object.h"

namespace {

// How long a press that looks for the program's window waits for the copy the press before it
// started: long enough for a program to show its window, short enough to give up on one that
// never does.
constexpr DWORD kStartedCopyWaitMs = 5000;

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
    ~CExclusive() { ::ReleaseSRWLockExclusive(&g_lock); }
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
        RunLaunch(job, &queue.lastStarted);
    }
}

} // namespace

void QueueLaunch(LAUNCHJOB job) {
    CString key = job.strStoredPath;
    key.MakeUpper();
    CExclusive lock;
    std::shared_ptr<ProgramQueue>& queue = Queues()[key];
    if (!queue)
        queue = std::make_shared<ProgramQueue>();
    queue->jobs.push_back(std::move(job));
    if (queue->bDraining)
        return;
    auto held = std::make_unique<std::shared_ptr<ProgramQueue>>(queue);
    CKernelObject thread(::CreateThread(nullptr, 0, &DrainQueue, held.get(), 0, nullptr));
    if (!thread) {
        // No thread to be had: the press is dropped, silently, as a failed start is.
        queue->jobs.pop_back();
        return;
    }
    held.release(); // the thread's now
    queue->bDraining = true;
}

void RunLaunch(const LAUNCHJOB& job, CKernelObject* pLastStarted) {
    PROCESSSTART start = PrepareStart(job.strStoredPath, job.options);
    bool findsRunning = job.options.eIfRunning != LaunchIfRunning::StartAnother;
    if (findsRunning && !start.strProgram.IsEmpty()) {
        if (*pLastStarted)
            ::WaitForInputIdle(*pLastStarted, kStartedCopyWaitMs);
        if (HWND hWnd = ChooseProgramWindow(ListTopWindows(start.strProgram))) {
            bool toggle = job.options.eIfRunning == LaunchIfRunning::Toggle;
            ApplyToRunningWindow(hWnd, ActionForRunningWindow(hWnd, toggle, job.hwndFrontAtPress));
            return;
        }
    }
    CKernelObject started;
    StartProcess(start, job.hwndConsentOwner, findsRunning ? &started : nullptr);
    if (findsRunning)
        *pLastStarted = std::move(started);
}
