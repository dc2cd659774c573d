// The order in which the icon workers take their jobs, and when another worker is wanted.
#include <gtest/gtest.h>

#include "platform/shell/FetchQueue.h"

namespace {

using platform::FetchQueue;
using Job = FetchQueue::Job;
using namespace std::chrono_literals;

const FetchQueue::Time kStart{};

// The icon of target n at 16 pixels.
Job Small(int target) { return {target, 16}; }

TEST(FetchQueueTest, UrgentJobsGoFirstAndAJobTakenIsNotQueuedAgainUntilItEnds) {
    FetchQueue queue;
    const int worker = queue.AddWorker();
    for (int job : {0, 1, 2, 3}) EXPECT_TRUE(queue.Push(Small(job), L"c:", false));
    EXPECT_FALSE(queue.Push(Small(2), L"c:", true)) << "already waiting: moved, not added";
    EXPECT_FALSE(queue.Push(Small(3), L"c:", true));
    EXPECT_EQ(queue.Take(worker, kStart), Small(2));
    EXPECT_FALSE(queue.Push(Small(2), L"c:", true)) << "running: the second asking waits for it";
    EXPECT_TRUE(queue.Push({2, 24}, L"c:", true)) << "another size is another job";
    queue.Finish(worker);
    EXPECT_EQ(queue.Take(worker, kStart), Small(3));
    queue.Finish(worker);
    EXPECT_EQ(queue.Take(worker, kStart), Job({2, 24}));
    queue.Finish(worker);
    EXPECT_EQ(queue.Take(worker, kStart), Small(0));
    queue.Finish(worker);
    EXPECT_EQ(queue.Take(worker, kStart), Small(1));
    queue.Finish(worker);
    EXPECT_EQ(queue.Take(worker, kStart), std::nullopt);
    EXPECT_TRUE(queue.Push(Small(2), L"c:", false)) << "ended: asked again, fetched again";
}

TEST(FetchQueueTest, AStuckWorkerHoldsBackOnlyItsRootAndBringsAnotherWorker) {
    FetchQueue queue;
    EXPECT_FALSE(queue.WantsAnotherWorker(kStart)) << "no job";
    queue.Push(Small(0), L"\\\\gone", false);
    EXPECT_TRUE(queue.WantsAnotherWorker(kStart));
    const int first = queue.AddWorker();
    EXPECT_FALSE(queue.WantsAnotherWorker(kStart)) << "the idle worker takes the job";
    EXPECT_EQ(queue.Take(first, kStart), Small(0));
    queue.Push(Small(1), L"\\\\gone", false);
    queue.Push(Small(2), L"c:", false);
    EXPECT_TRUE(queue.WantsAnotherWorker(kStart)) << "two run at once";
    const int second = queue.AddWorker();
    EXPECT_FALSE(queue.WantsAnotherWorker(kStart));
    const auto later = kStart + FetchQueue::kSlow;
    EXPECT_EQ(queue.Take(second, later), Small(2)) << "the slow server's next job waits";
    queue.Finish(second);
    EXPECT_EQ(queue.Take(second, later), std::nullopt);
    EXPECT_FALSE(queue.WantsAnotherWorker(later)) << "what waits is on the slow server";
    queue.Finish(first);
    EXPECT_EQ(queue.Take(second, later), Small(1));
}

// However often a list is made again and asks for the same icons, an unreachable server holds the
// worker stuck on it and no other: its jobs wait for that one instead of each starting another.
TEST(FetchQueueTest, AServerThatDoesNotAnswerGetsNoMoreWorkersHoweverOftenItsJobsAreAsked) {
    FetchQueue queue;
    queue.Push(Small(0), L"\\\\gone", true);
    const int stuck = queue.AddWorker();
    queue.Take(stuck, kStart);
    auto now = kStart + FetchQueue::kSlow;
    for (int list = 1; list <= 30; ++list, now += 1s) {
        EXPECT_FALSE(queue.Push(Small(0), L"\\\\gone", true));
        queue.Push({0, 16 + list}, L"\\\\gone", true);
        queue.Push(Small(list), L"\\\\gone", true);
        ASSERT_FALSE(queue.WantsAnotherWorker(now)) << list;
    }
    queue.Push(Small(100), L"c:", true);
    EXPECT_TRUE(queue.WantsAnotherWorker(now)) << "other roots go on";
}

TEST(FetchQueueTest, WorkersAreAddedWhileTheBusyOnesAreSlowUpToTheMost) {
    FetchQueue queue;
    for (int job = 0; job < 20; ++job) {
        queue.Push(Small(job), L"\\\\server" + std::to_wstring(job), false);
    }
    auto now = kStart;
    for (int added = 0; added < FetchQueue::kMostWorkers; ++added) {
        ASSERT_TRUE(queue.WantsAnotherWorker(now)) << added;
        queue.Take(queue.AddWorker(), now);
        if (added % FetchQueue::kParallel == FetchQueue::kParallel - 1) {
            EXPECT_FALSE(queue.WantsAnotherWorker(now)) << "enough fresh workers";
            now += FetchQueue::kSlow;
        }
    }
    EXPECT_FALSE(queue.WantsAnotherWorker(now));
}

// Waiting is woken by nothing but the one moment when a job under way turns slow.
TEST(FetchQueueTest, TheNextLookIsWhenTheOldestFreshJobTurnsSlowAndNoneWhileAllAreStuck) {
    FetchQueue queue;
    queue.Push(Small(0), L"\\\\a", false);
    const int first = queue.AddWorker();
    queue.Take(first, kStart);
    EXPECT_EQ(queue.NextTurnsSlow(kStart), std::nullopt) << "nothing waits";
    queue.Push(Small(1), L"\\\\b", false);
    queue.Push(Small(2), L"\\\\a", false);
    const int second = queue.AddWorker();
    queue.Take(second, kStart + 40ms);
    EXPECT_EQ(queue.NextTurnsSlow(kStart + 50ms), kStart + FetchQueue::kSlow);
    EXPECT_EQ(queue.NextTurnsSlow(kStart + FetchQueue::kSlow), kStart + 40ms + FetchQueue::kSlow);
    EXPECT_EQ(queue.NextTurnsSlow(kStart + 1s), std::nullopt) << "every job under way is stuck";
}

}  // namespace
