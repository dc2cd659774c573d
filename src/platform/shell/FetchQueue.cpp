#include "platform/shell/FetchQueue.h"

#include <algorithm>

namespace platform {

bool FetchQueue::Contains(const std::deque<Waiting>& jobs, int job) {
    return std::any_of(jobs.begin(), jobs.end(), [job](const Waiting& w) { return w.job == job; });
}

void FetchQueue::Push(int job, const std::wstring& root, bool urgent) {
    if (taken_.contains(job) || Contains(urgent_, job)) return;
    auto waiting = std::find_if(background_.begin(), background_.end(),
                                [job](const Waiting& w) { return w.job == job; });
    if (waiting != background_.end()) {
        if (!urgent) return;
        background_.erase(waiting);
    }
    (urgent ? urgent_ : background_).push_back({job, root});
}

bool FetchQueue::IsSlow(const std::wstring& root, Clock::time_point now) const {
    return std::any_of(workers_.begin(), workers_.end(), [&](const Worker& w) {
        return w.busy && w.root == root && now - w.since > kSlow;
    });
}

std::optional<int> FetchQueue::Take(int worker, Clock::time_point now) {
    auto self = std::find_if(workers_.begin(), workers_.end(),
                             [worker](const Worker& w) { return w.number == worker; });
    if (self == workers_.end()) return std::nullopt;
    for (std::deque<Waiting>* jobs : {&urgent_, &background_}) {
        for (auto it = jobs->begin(); it != jobs->end(); ++it) {
            if (IsSlow(it->root, now)) continue;
            const int job = it->job;
            taken_.insert(job);
            self->busy = true;
            self->root = it->root;
            self->since = now;
            jobs->erase(it);
            return job;
        }
    }
    return std::nullopt;
}

void FetchQueue::Finish(int worker) {
    for (Worker& w : workers_) {
        if (w.number == worker) w.busy = false;
    }
}

int FetchQueue::AddWorker() {
    workers_.push_back({nextWorker_});
    return nextWorker_++;
}

void FetchQueue::RemoveWorker(int worker) {
    std::erase_if(workers_, [worker](const Worker& w) { return w.number == worker; });
}

bool FetchQueue::CanTakeAny(Clock::time_point now) const {
    for (const std::deque<Waiting>* jobs : {&urgent_, &background_}) {
        for (const Waiting& w : *jobs) {
            if (!IsSlow(w.root, now)) return true;
        }
    }
    return false;
}

bool FetchQueue::HasFreshWork(Clock::time_point now) const {
    return std::any_of(workers_.begin(), workers_.end(),
                       [&](const Worker& w) { return w.busy && now - w.since <= kSlow; });
}

bool FetchQueue::WantsAnotherWorker(Clock::time_point now) const {
    if (static_cast<int>(workers_.size()) >= kMostWorkers || !CanTakeAny(now)) return false;
    int going = 0;
    for (const Worker& w : workers_) {
        if (!w.busy) return false;  // an idle worker takes it
        if (now - w.since <= kSlow) ++going;
    }
    return going < kParallel;
}

}  // namespace platform
