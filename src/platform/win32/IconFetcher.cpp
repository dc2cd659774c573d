#include "platform/win32/IconFetcher.h"

#include <objbase.h>
#include <process.h>

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "platform/shell/FetchQueue.h"
#include "platform/shell/TargetResolution.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/PrivateMessages.h"
#include "platform/win32/Win32TargetLookup.h"
#include "platform/win32/ShellIcons.h"

namespace platform {

namespace {

struct Target {
    ShellTarget target;
    std::wstring root;  // where looking for it may wait
};

// What the workers share with the user-interface thread: made at the first request, never
// freed, since a worker may wait on a server until the process ends.
struct Fetching {
    SRWLOCK lock = SRWLOCK_INIT;
    FetchQueue queue;
    std::vector<Target> targets;  // by number
    std::unordered_map<std::wstring, int> numberOfTarget;
    std::vector<FetchedIcon> arrived;
    HWND notify = nullptr;
    bool startAsked = false;  // kMsgStartIconWorkers is on its way
    // kMsgIconsArrived is on its way; a full message queue refuses it, and the next icon asks.
    bool arrivalPosted = false;
    PTP_TIMER timer = nullptr;
    bool timerSet = false;
    LONGLONG countsPerMillisecond = 1;
};

Fetching* fetching = nullptr;

class Locked {
public:
    Locked() { AcquireSRWLockExclusive(&fetching->lock); }
    ~Locked() { ReleaseSRWLockExclusive(&fetching->lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

FetchQueue::Time Now() {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return FetchQueue::Time(counter.QuadPart / fetching->countsPerMillisecond);
}

unsigned WINAPI Work(void* parameter);
void CALLBACK LookAgain(PTP_CALLBACK_INSTANCE, void*, PTP_TIMER);

// While jobs wait behind the ones under way: one look when the oldest of those would turn slow,
// and none while every one is slow already, since time then changes nothing. Called locked.
void ArmTimer() {
    if (fetching->timerSet) return;
    const FetchQueue::Time now = Now();
    const std::optional<FetchQueue::Time> due = fetching->queue.NextTurnsSlow(now);
    if (!due) return;
    if (!fetching->timer) fetching->timer = CreateThreadpoolTimer(LookAgain, nullptr, nullptr);
    if (!fetching->timer) return;
    // Relative, in 100-nanosecond units.
    const LONGLONG relative = -std::max<LONGLONG>((*due - now).count(), 1) * 10000;
    FILETIME dueTime{static_cast<DWORD>(relative), static_cast<DWORD>(relative >> 32)};
    SetThreadpoolTimer(fetching->timer, &dueTime, 0, 0);
    fetching->timerSet = true;
}

// Called locked.
void StartWorkersWanted() {
    while (fetching->queue.WantsAnotherWorker(Now())) {
        const int worker = fetching->queue.AddWorker();
        // Started by the C run-time library, which the worker uses, as its documentation asks.
        const uintptr_t thread =
            _beginthreadex(nullptr, 0, Work, reinterpret_cast<void*>(INT_PTR{worker}), 0, nullptr);
        if (thread) {
            CloseHandle(reinterpret_cast<HANDLE>(thread));
        } else {
            fetching->queue.RemoveWorker(worker);  // the icons wait for a worker that can start
            break;
        }
    }
    ArmTimer();
}

void CALLBACK LookAgain(PTP_CALLBACK_INSTANCE, void*, PTP_TIMER) {
    Locked locked;
    fetching->timerSet = false;
    StartWorkersWanted();
}

unsigned WINAPI Work(void* parameter) {
    const int worker = static_cast<int>(reinterpret_cast<INT_PTR>(parameter));
    // An icon is worth having, not worth a wait: the window's own work goes first.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    AcquireSRWLockExclusive(&fetching->lock);
    // A worker with nothing it may take ends: the one on a slow root takes that root's other
    // jobs once it is back, and brings another if there are more; the timer brings one for the
    // other roots' jobs.
    while (const std::optional<FetchQueue::Job> job = fetching->queue.Take(worker, Now())) {
        const ShellTarget target = fetching->targets[static_cast<size_t>(job->target)].target;
        ArmTimer();
        ReleaseSRWLockExclusive(&fetching->lock);
        HICON icon = LoadTargetIcon(target, job->size);
        AcquireSRWLockExclusive(&fetching->lock);
        fetching->queue.Finish(worker);
        // Its root may have been slow: the jobs held back there may now run side by side again.
        StartWorkersWanted();
        if (!icon) continue;
        fetching->arrived.push_back({job->target, job->size, icon});
        if (!fetching->arrivalPosted) {
            fetching->arrivalPosted = PostMessageW(fetching->notify, kMsgIconsArrived, 0, 0);
        }
    }
    fetching->queue.RemoveWorker(worker);
    ReleaseSRWLockExclusive(&fetching->lock);
    if (com) CoUninitialize();
    return 0;
}

}  // namespace

int IconTarget(const ShellTarget& target) {
    if (!fetching) {
        fetching = new Fetching;
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);  // never fails since Windows XP
        fetching->countsPerMillisecond = std::max<LONGLONG>(frequency.QuadPart / 1000, 1);
    }
    const std::wstring key = target.fileName + L'\n' + target.directory + L'\n' + target.menuFolder;
    Locked locked;
    auto [found, added] =
        fetching->numberOfTarget.try_emplace(key, static_cast<int>(fetching->targets.size()));
    if (added) {
        // Filed under the root that looking for it touches: "%USERPROFILE%\bin" may be a share.
        Win32TargetLookup lookup;
        const ShellTarget expanded{lookup.Expand(target.fileName), lookup.Expand(target.directory),
                                   target.menuFolder};
        fetching->targets.push_back({target, TargetRoot(expanded)});
    }
    return found->second;
}

void RequestIcon(HWND notify, int target, int size, bool urgent) {
    Locked locked;
    fetching->notify = notify;
    fetching->queue.Push({target, size}, fetching->targets[static_cast<size_t>(target)].root,
                         urgent);
    // Workers start from the message, after the window that asked has painted.
    if (!fetching->startAsked && fetching->queue.WantsAnotherWorker(Now())) {
        fetching->startAsked = PostMessageW(notify, kMsgStartIconWorkers, 0, 0);
    }
    ArmTimer();
}

void StartIconWorkers() {
    // Before any worker makes one: COM makes the process's first single-threaded apartment its
    // main one, where objects of shell extensions that cannot live elsewhere are put, and a
    // worker's ends with the worker.
    EnsureComApartment();
    if (!fetching) return;
    Locked locked;
    fetching->startAsked = false;
    StartWorkersWanted();
}

std::vector<FetchedIcon> TakeFetchedIcons() {
    if (!fetching) return {};
    Locked locked;
    fetching->arrivalPosted = false;
    return std::exchange(fetching->arrived, {});
}

}  // namespace platform
