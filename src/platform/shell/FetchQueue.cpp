#include "platform/shell/FetchQueue.h"

#include <algorithm>

namespace platform {

bool FetchQueue::IsRunning(Job job) const {
    return std::any_of(workers_.begin(), workers_.end(),
                       [&](const Worker& w) { return w.busy && w.job == job; });
}

bool FetchQueue::Push(Job job, const std::wstring& root, bool urgent) {
    auto isJob = [&](const Waiting& w) { return w.job == job; };
    if (IsRunning(job) || std::any_of(urgent_.begin(), urgent_.end(), isJob)) return false;
    auto waiting = std::find_if(background_.begin(), background_.end(), isJob);
    if (waiting != background_.end()) {
        if (urgent) {
            urgent_.push_back(std::move(*waiting));
            background_.erase(waiting);
        }
        return false;
    }
    (urgent ? urgent_ : background_).push_back({job, root});
    return true;
}

bool FetchQueue::IsSlow(const std::wstring& root, Time now) const {
    return std::any_of(workers_.begin(), workers_.end(), [&](const Worker& w) {
        return w.busy && w.root == root && now - w.since >= kSlow;
    });
}

std::optional<FetchQueue::Job> FetchQueue::Take(int worker, Time now) {
    auto self = std::find_if(workers_.begin(), workers_.end(),
                             [worker](const Worker& w) { return w.number == worker; });
    if (self == workers_.end()) return std::nullopt;
    for (std::deque<Waiting>* jobs : {&urgent_, &background_}) {
        for (auto it = jobs->begin(); it != jobs->end(); ++it) {
            if (IsSlow(it->root, now)) continue;
            self->busy = true;
            self->job = it->job;
            self->root = std::move(it->root);
            self->since = now;
            jobs->erase(it);
            return self->job;
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

bool FetchQueue::CanTakeMore(int count, Time now) const {
    for (const std::deque<Waiting>* jobs : {&urgent_, &background_}) {
        for (const Waiting& w : *jobs) {
            if (!IsSlow(w.root, now) && --count < 0) return true;
        }
    }
    return false;
}

bool FetchQueue::WantsAnotherWorker(Time now) const {
    if (static_cast<int>(workers_.size()) >= kMostWorkers) return false;
    int idle = 0;
    int going = 0;
    for (const Worker& w : workers_) {
        if (!w.busy) ++idle;  // about to take a job
        if (!w.busy || now - w.since < kSlow) ++going;
    }
    return going < kParallel && CanTakeMore(idle, now);
}

std::optional<FetchQueue::Time> FetchQueue::NextTurnsSlow(Time now) const {
    if (!HasWaiting()) return std::nullopt;
    std::optional<Time> next;
    for (const Worker& w : workers_) {
        if (!w.busy || now - w.since >= kSlow) continue;
        if (!next || w.since + kSlow < *next) next = w.since + kSlow;
    }
    return next;
}

}  // namespace platform
