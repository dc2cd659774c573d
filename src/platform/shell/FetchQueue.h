#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The order in which the process's background workers take jobs, each job an icon of a target at
// a size, with the root it may wait on (TargetRoot): urgent jobs first, each list in the order
// given. A job asked for again while it waits or runs is not queued twice: the second asking
// waits for the first. A root is slow while a worker has been on one of its jobs for kSlow or
// longer; its other jobs then wait, so that one unreachable server delays only its own jobs and
// holds no more workers than took its jobs before it turned slow (kParallel at most), however
// often they are asked for. Not synchronised: the owner locks.
class FetchQueue {
public:
    // A moment, counted from any fixed one.
    using Time = std::chrono::milliseconds;
    static constexpr Time kSlow{150};
    // Workers that may run at once besides those stuck on a slow root, and in all.
    static constexpr int kParallel = 2;
    static constexpr int kMostWorkers = 8;

    struct Job {
        int target;  // the caller's number for it
        int size;
        bool operator==(const Job&) const = default;
    };

    // Queues a job, or moves a waiting one to the urgent end. False when the job was already
    // waiting or running.
    bool Push(Job job, const std::wstring& root, bool urgent);
    // The next job for `worker` whose root is not slow, marked as its current one; nothing when
    // none can be taken now.
    std::optional<Job> Take(int worker, Time now);
    // The worker has finished its current job, which is forgotten: asked for again, it is queued
    // again.
    void Finish(int worker);
    // A new worker's number.
    int AddWorker();
    void RemoveWorker(int worker);
    // Whether more jobs could be taken now than there are idle workers, and fewer than kParallel
    // workers are idle or on a job that is not slow.
    bool WantsAnotherWorker(Time now) const;
    bool HasWaiting() const { return !urgent_.empty() || !background_.empty(); }
    // While jobs wait: when the job that has run longest without turning slow will turn slow,
    // the moment to look again whether another worker is wanted. Nothing while no job could turn
    // slow (every job under way is slow already): then time changes nothing.
    std::optional<Time> NextTurnsSlow(Time now) const;

private:
    struct Waiting {
        Job job;
        std::wstring root;
    };
    struct Worker {
        int number;
        bool busy = false;
        Job job{};
        std::wstring root;
        Time since{};
    };
    bool IsSlow(const std::wstring& root, Time now) const;
    bool IsRunning(Job job) const;
    // Whether more than `count` jobs could be taken now.
    bool CanTakeMore(int count, Time now) const;

    std::deque<Waiting> urgent_;
    std::deque<Waiting> background_;
    std::vector<Worker> workers_;
    int nextWorker_ = 0;
};

}  // namespace platform
