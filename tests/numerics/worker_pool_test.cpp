// The worker pool: every task once, failures and stops carried to the run thread, the check point
// reached only there. Runs under ThreadSanitizer too (tools/tsan-pool-test.sh).
#include "numerics/worker_pool.h"

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

class WorkerPoolTest : public ::testing::TestWithParam<int32_t> { };

// Counts the calls of a check point and notes one made on a thread other than the run thread.
struct tCheckpointWatch {
    const std::thread::id runThread = std::this_thread::get_id();
    std::atomic<int32_t> reached { 0 };
    std::atomic<bool> elsewhere { false };

    // Notes a call; the number of calls so far.
    int32_t Reach()
    {
        if (std::this_thread::get_id() != runThread)
            elsewhere = true;
        return ++reached;
    }
};

TEST_P(WorkerPoolTest, RunsEveryTaskOnceAndWritesReachTheRunThread)
{
    tWorkerPool pool(GetParam());
    EXPECT_EQ(pool.Threads(), GetParam());
    for (int32_t count : { 1, 2, 3, 17, 1000 }) {
        std::vector<int32_t> runs(static_cast<std::size_t>(count), 0);
        std::vector<int32_t> threadOf(static_cast<std::size_t>(count), -1);
        pool.Run(count, [&](int32_t task, int32_t thread) {
            ++runs[static_cast<std::size_t>(task)];
            threadOf[static_cast<std::size_t>(task)] = thread;
        });
        for (int32_t i = 0; i < count; ++i) {
            EXPECT_EQ(runs[static_cast<std::size_t>(i)], 1) << "task " << i << " of " << count;
            EXPECT_GE(threadOf[static_cast<std::size_t>(i)], 0);
            EXPECT_LT(threadOf[static_cast<std::size_t>(i)], pool.Threads());
        }
    }
}

TEST_P(WorkerPoolTest, RethrowsTheFirstFailureAndStaysUsable)
{
    tWorkerPool pool(GetParam());
    std::atomic<int32_t> ran { 0 };
    EXPECT_THROW(pool.Run(200,
                     [&](int32_t task, int32_t) {
                         ++ran;
                         if (task == 3)
                             throw std::range_error("task 3");
                     }),
        std::range_error);
    EXPECT_GE(ran.load(), 4);
    // Handing out stops at the failure; the pool serves the next run in full.
    std::atomic<int32_t> next { 0 };
    pool.Run(50, [&](int32_t, int32_t) { ++next; });
    EXPECT_EQ(next.load(), 50);
}

TEST_P(WorkerPoolTest, TheFailureOfTheLowestTaskIsTheOneRethrown)
{
    tWorkerPool pool(GetParam());
    for (int round = 0; round < 20; ++round) {
        try {
            pool.Run(64, [&](int32_t task, int32_t) {
                if (task >= 10) {
                    // Later tasks fail sooner: the order in time is not the order of the tasks.
                    throw std::range_error(std::to_string(task));
                }
                if (task == 7) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                    throw std::range_error("7");
                }
            });
            ADD_FAILURE() << "no failure";
        } catch (const std::range_error& failure) {
            EXPECT_STREQ(failure.what(), "7");
        }
    }
}

TEST_P(WorkerPoolTest, OnlyTheRunThreadReachesTheCheckPointAndItsStopEndsTheRun)
{
    tWorkerPool pool(GetParam());
    tCheckpointWatch watch;
    const tCheckpoint checkpoint = [&] {
        if (watch.Reach() == 3)
            throw tInterrupted();
    };
    std::atomic<int32_t> ran { 0 };
    const auto task = [&](int32_t, int32_t) {
        ++ran;
        std::this_thread::sleep_for(std::chrono::microseconds(20));
    };
    EXPECT_THROW(pool.Run(10000, task, &checkpoint), tInterrupted);
    EXPECT_FALSE(watch.elsewhere.load());
    EXPECT_EQ(watch.reached.load(), 3);
    EXPECT_LT(ran.load(), 10000);
}

// A kernel whose tasks reach the session's check point (every step of a GEOMIN start) lets only
// the run thread's tasks call it: the workers pass over it.
TEST_P(WorkerPoolTest, TasksReachTheCheckPointOnlyOnTheRunThread)
{
    tWorkerPool pool(GetParam());
    tCheckpointWatch watch;
    const tCheckpoint checkpoint = [&] { watch.Reach(); };
    std::atomic<int32_t> onRunThread { 0 };
    const auto task = [&](int32_t, int32_t thread) {
        if (thread == 0)
            ++onRunThread;
        std::this_thread::sleep_for(std::chrono::microseconds(50));
        ReachCheckpoint(&checkpoint);
    };
    pool.Run(200, task);
    EXPECT_FALSE(watch.elsewhere.load());
    EXPECT_EQ(watch.reached.load(), onRunThread.load());
    EXPECT_FALSE(IsPoolWorkerThread());
}

TEST_P(WorkerPoolTest, ARunInsideATaskRunsOnItsThreadInOrder)
{
    tWorkerPool pool(GetParam());
    std::vector<std::vector<int32_t>> order(4);
    pool.Run(4, [&](int32_t task, int32_t) {
        pool.Run(5, [&](int32_t inner, int32_t) {
            order[static_cast<std::size_t>(task)].push_back(inner);
        });
    });
    for (const auto& inner : order)
        EXPECT_EQ(inner, (std::vector<int32_t> { 0, 1, 2, 3, 4 }));
}

// Runs that follow each other at once (workers still awake from the last one) and runs after a
// pause longer than workers stay awake (workers asleep) each run every task once; a resize after
// them stops the workers wherever they are.
TEST_P(WorkerPoolTest, RunsInQuickSuccessionAndAfterPausesEachRunInFull)
{
    tWorkerPool pool(GetParam());
    for (int32_t round = 0; round < 2000; ++round) {
        if (round % 500 == 499)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        const int32_t count = 2 + round % 3;
        std::vector<std::atomic<int32_t>> runs(static_cast<std::size_t>(count));
        pool.Run(count, [&](int32_t task, int32_t) { ++runs[static_cast<std::size_t>(task)]; });
        for (int32_t i = 0; i < count; ++i)
            ASSERT_EQ(runs[static_cast<std::size_t>(i)].load(), 1) << "round " << round;
    }
    pool.Resize(GetParam());
    std::atomic<int32_t> ran { 0 };
    pool.Run(5, [&](int32_t, int32_t) { ++ran; });
    EXPECT_EQ(ran.load(), 5);
}

INSTANTIATE_TEST_SUITE_P(Threads, WorkerPoolTest, ::testing::Values(1, 2, 3));

TEST(WorkerPool, ResizesAndClampsItsThreads)
{
    tWorkerPool pool(0);
    EXPECT_EQ(pool.Threads(), 1);
    pool.Resize(3);
    EXPECT_EQ(pool.Threads(), 3);
    std::atomic<int32_t> ran { 0 };
    pool.Run(30, [&](int32_t, int32_t) { ++ran; });
    EXPECT_EQ(ran.load(), 30);
    pool.Resize(MaxPoolThreads + 5);
    EXPECT_EQ(pool.Threads(), MaxPoolThreads);
    pool.Resize(1);
    EXPECT_EQ(pool.Threads(), 1);
}

TEST(WorkerPool, RowRangesCoverTheRowsInEvenPiecesWithOrWithoutAPool)
{
    tWorkerPool pool(2);
    for (tWorkerPool* workers : { static_cast<tWorkerPool*>(nullptr), &pool }) {
        for (int32_t rows : { 1, 2, 9, 64, 101 }) {
            std::vector<int32_t> seen(static_cast<std::size_t>(rows) + 1, 0);
            ForEachRowRange(workers, rows, 7, [&](int32_t first, int32_t last, int32_t) {
                EXPECT_EQ(first % 2, 1) << "pieces start at odd rows";
                EXPECT_TRUE(last == rows || (last - first + 1) % 2 == 0);
                for (int32_t r = first; r <= last; ++r)
                    ++seen[static_cast<std::size_t>(r)];
            });
            for (int32_t r = 1; r <= rows; ++r)
                EXPECT_EQ(seen[static_cast<std::size_t>(r)], 1) << "row " << r << " of " << rows;
        }
    }
}

TEST(WorkerPool, DefaultThreadsFollowTheEnvironment)
{
    ::setenv("ZELVORA_THREADS", "3", 1);
    EXPECT_EQ(DefaultPoolThreads(), 3);
    ::setenv("ZELVORA_THREADS", "1000", 1);
    EXPECT_EQ(DefaultPoolThreads(), MaxPoolThreads);
    for (const char* unusable : { "0", "-2", "zwei", "" }) {
        ::setenv("ZELVORA_THREADS", unusable, 1);
        const int32_t threads = DefaultPoolThreads();
        EXPECT_GE(threads, 1) << unusable;
        EXPECT_LE(threads, 2) << unusable;
    }
    ::unsetenv("ZELVORA_THREADS");
}

} // namespace
} // namespace zelvora
