#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace platform {

// The order in which background workers take jobs, each job a number with the root it may wait
// on (TargetRoot): urgent jobs first, each list in the order given. A root is slow while a
// worker has been on one of its jobs for longer than kSlow; its other jobs then wait, so that
// one unreachable server delays only its own jobs. Not synchronised: the owner locks.
class FetchQueue {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kSlow = std::chrono::milliseconds(150);
    // Workers that may run at once besides those stuck on a slow root, and in all.
    static constexpr int kParallel = 2;
    static constexpr int kMostWorkers = 8;

    // Queues a job, or moves a waiting one to the urgent end; a job once taken is not queued
    // again.
    void Push(int job, const std::wstring& root, bool urgent);
    // The next job for `worker` whose root is not slow, marked as its current one; nothing when
    // none can be taken now.
    std::optional<int> Take(int worker, Clock::time_point now);
    // The worker has finished its current job.
    void Finish(int worker);
    // A new worker's number.
    int AddWorker();
    void RemoveWorker(int worker);
    // Whether a job could be taken now and every worker is on a job, too many of them slow.
    bool WantsAnotherWorker(Clock::time_point now) const;
    bool HasWaiting() const { return !urgent_.empty() || !background_.empty(); }
    // Whether some worker is on a job that has not yet become slow.
    bool HasFreshWork(Clock::time_point now) const;

private:
    struct Waiting {
        int job;
        std::wstring root;
    };
    struct Worker {
        int number;
        bool busy = false;
        std::wstring root;
        Clock::time_point since;
    };
    bool IsSlow(const std::wstring& root, Clock::time_point now) const;
    bool CanTakeAny(Clock::time_point now) const;
    static bool Contains(const std::deque<Waiting>& jobs, int job);

    std::deque<Waiting> urgent_;
    std::deque<Waiting> background_;
    std::unordered_set<int> taken_;
    std::vector<Worker> workers_;
    int nextWorker_ = 0;
};

}  // namespace platform
