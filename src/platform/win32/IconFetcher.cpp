#include "platform/win32/IconFetcher.h"

#include <objbase.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/shell/FetchQueue.h"
#include "platform/shell/TargetResolution.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/ShellIcons.h"

namespace platform {

struct FetchJob {
    ShellTarget target;
    int size = 0;
};

struct FetchShared {
    ~FetchShared() {
        for (const auto& [job, icon] : arrived) DestroyIcon(icon);
    }

    std::mutex mutex;
    std::condition_variable changed;
    FetchQueue queue;
    std::map<int, FetchJob> jobs;
    std::vector<std::pair<int, HICON>> arrived;
    HWND notify = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool abandoned = false;
    bool supervised = false;
};

namespace {

using Lock = std::unique_lock<std::mutex>;

void Work(std::shared_ptr<FetchShared> shared, int worker);

// Called with the lock held.
void StartWorker(const std::shared_ptr<FetchShared>& shared) {
    const int worker = shared->queue.AddWorker();
    try {
        std::thread(Work, shared, worker).detach();
    } catch (const std::system_error&) {
        shared->queue.RemoveWorker(worker);  // the icons wait for a worker that can start
    }
}

void Work(std::shared_ptr<FetchShared> shared, int worker) {
    // An icon is worth having, not worth a wait: the window's own work goes first.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    Lock lock(shared->mutex);
    while (!shared->abandoned) {
        const std::optional<int> job = shared->queue.Take(worker, FetchQueue::Clock::now());
        if (!job) {
            if (!shared->queue.HasWaiting()) break;
            // What waits is on a slow root: look again when a job ends or a while has passed.
            shared->changed.wait_for(lock, FetchQueue::kSlow);
            continue;
        }
        const FetchJob fetch = shared->jobs[*job];
        lock.unlock();
        HICON icon = LoadTargetIcon(fetch.target, fetch.size);
        lock.lock();
        shared->queue.Finish(worker);
        shared->changed.notify_all();
        if (!icon) continue;
        if (shared->abandoned) {
            DestroyIcon(icon);
            break;
        }
        if (shared->arrived.empty()) {
            PostMessageW(shared->notify, shared->message, shared->wParam, shared->lParam);
        }
        shared->arrived.emplace_back(*job, icon);
    }
    shared->queue.RemoveWorker(worker);
    lock.unlock();
    if (com) CoUninitialize();
}

// While jobs wait, looks every so often whether all workers are stuck and starts another.
void Supervise(std::shared_ptr<FetchShared> shared) {
    Lock lock(shared->mutex);
    while (!shared->abandoned && shared->queue.HasWaiting()) {
        shared->changed.wait_for(lock, FetchQueue::kSlow / 2);
        if (shared->queue.WantsAnotherWorker(FetchQueue::Clock::now())) StartWorker(shared);
    }
    shared->supervised = false;
}

}  // namespace

IconFetcher::IconFetcher(HWND notify, UINT message, WPARAM wParam, LPARAM lParam)
    : shared_(std::make_shared<FetchShared>()) {
    // The process's first single-threaded apartment is COM's main one, which takes the objects of
    // shell extensions that name no threading model: it must be this thread's, which pumps
    // messages for the program's life, not a worker's. The first row drawn makes the first
    // fetcher, so the window is already up.
    EnsureComApartment();
    shared_->notify = notify;
    shared_->message = message;
    shared_->wParam = wParam;
    shared_->lParam = lParam;
}

IconFetcher::~IconFetcher() {
    Lock lock(shared_->mutex);
    shared_->abandoned = true;
    shared_->changed.notify_all();
}

void IconFetcher::Request(int job, const ShellTarget& target, int size, bool urgent) {
    Lock lock(shared_->mutex);
    shared_->jobs[job] = {target, size};
    shared_->queue.Push(job, TargetRoot(target), urgent);
    if (shared_->queue.WantsAnotherWorker(FetchQueue::Clock::now())) StartWorker(shared_);
    if (!shared_->supervised) {
        try {
            std::thread(Supervise, shared_).detach();
            shared_->supervised = true;
        } catch (const std::system_error&) {
        }
    }
    shared_->changed.notify_all();
}

std::vector<std::pair<int, HICON>> IconFetcher::TakeArrived() {
    Lock lock(shared_->mutex);
    return std::exchange(shared_->arrived, {});
}

}  // namespace platform
