// The order in which the icon workers take their jobs, and when another worker is wanted.
#include <gtest/gtest.h>

#include "platform/shell/FetchQueue.h"

namespace {

using platform::FetchQueue;
using namespace std::chrono_literals;

const FetchQueue::Clock::time_point kStart{};

TEST(FetchQueueTest, UrgentJobsGoFirstAndAJobTakenIsNotQueuedAgain) {
    FetchQueue queue;
    const int worker = queue.AddWorker();
    for (int job : {0, 1, 2, 3}) queue.Push(job, L"c:", false);
    queue.Push(2, L"c:", true);
    queue.Push(3, L"c:", true);
    EXPECT_EQ(queue.Take(worker, kStart), 2);
    queue.Finish(worker);
    queue.Push(2, L"c:", true);
    EXPECT_EQ(queue.Take(worker, kStart), 3);
    queue.Finish(worker);
    EXPECT_EQ(queue.Take(worker, kStart), 0);
    queue.Finish(worker);
    EXPECT_EQ(queue.Take(worker, kStart), 1);
    queue.Finish(worker);
    EXPECT_EQ(queue.Take(worker, kStart), std::nullopt);
}

TEST(FetchQueueTest, AStuckWorkerHoldsBackOnlyItsRootAndBringsAnotherWorker) {
    FetchQueue queue;
    EXPECT_FALSE(queue.WantsAnotherWorker(kStart)) << "no job";
    queue.Push(0, L"\\\\gone", false);
    queue.Push(1, L"\\\\gone", false);
    queue.Push(2, L"c:", false);
    EXPECT_TRUE(queue.WantsAnotherWorker(kStart));
    const int first = queue.AddWorker();
    EXPECT_FALSE(queue.WantsAnotherWorker(kStart)) << "an idle worker takes the job";
    EXPECT_EQ(queue.Take(first, kStart), 0);
    const int second = queue.AddWorker();
    const auto later = kStart + FetchQueue::kSlow + 1ms;
    EXPECT_EQ(queue.Take(second, later), 2) << "the slow server's next job waits";
    EXPECT_EQ(queue.Take(second, later), std::nullopt);
    queue.Finish(second);
    EXPECT_FALSE(queue.WantsAnotherWorker(later)) << "what waits is on the slow server";
    queue.Finish(first);
    EXPECT_EQ(queue.Take(second, later), 1);
}

TEST(FetchQueueTest, WorkersAreAddedWhileTheBusyOnesAreSlowUpToTheMost) {
    FetchQueue queue;
    for (int job = 0; job < 20; ++job) queue.Push(job, L"\\\\server" + std::to_wstring(job), false);
    auto now = kStart;
    for (int added = 0; added < FetchQueue::kMostWorkers; ++added) {
        ASSERT_TRUE(queue.WantsAnotherWorker(now)) << added;
        queue.Take(queue.AddWorker(), now);
        if (added % FetchQueue::kParallel == FetchQueue::kParallel - 1) {
            EXPECT_FALSE(queue.WantsAnotherWorker(now)) << "enough fresh workers";
            now += FetchQueue::kSlow + 1ms;
        }
    }
    EXPECT_FALSE(queue.WantsAnotherWorker(now));
}

}  // namespace
