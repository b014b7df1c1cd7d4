// The session's worker threads: long kernels hand numbered tasks to them and to the run thread.
// A task writes only its own rows through raw pointers, so the order of every addition, and with
// it every result bit, is the same for any number of threads.
#pragma once

#include "numerics/checkpoint.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace zelvora {

// Work the pool runs: task number (0 .. count-1) and the number of the thread running it
// (0 is the run thread, 1 .. Threads()-1 the workers), so a kernel can keep scratch per thread.
using tPoolTask = std::function<void(int32_t task, int32_t thread)>;

// The most threads a session uses; more than the machine's cores only adds switching.
inline constexpr int32_t MaxPoolThreads = 64;

class tWorkerPool {
public:
    // threads: the run thread plus threads - 1 workers, clamped to 1 .. MaxPoolThreads.
    explicit tWorkerPool(int32_t threads = 1);
    ~tWorkerPool();
    tWorkerPool(const tWorkerPool&) = delete;
    tWorkerPool& operator=(const tWorkerPool&) = delete;

    // The threads that run tasks, the run thread counted.
    int32_t Threads() const { return static_cast<int32_t>(m_workers.size()) + 1; }
    // Stops the workers and starts threads - 1 new ones (clamped as in the constructor).
    void Resize(int32_t threads);

    // Runs tasks 0 .. count-1 and returns when all have ended. The run thread takes part and,
    // between its tasks and every 20 ms while it waits for the workers, reaches the check point;
    // the workers never do. An exception of a task or of the check point ends the handing out of
    // tasks; once the running tasks have ended, the one of the lowest task (a stop counts after
    // every task) is rethrown here: the one a single thread would have met. Called from inside a
    // task, or with one thread, the tasks run in order on the calling thread.
    void Run(int32_t count, const tPoolTask& task, const tCheckpoint* checkpoint = nullptr);

private:
    void WorkerLoop(int32_t thread);
    // A task of the current run waits to be handed out (m_mutex held).
    bool HasTask() const;
    // Keeps the failure of the lowest task (m_mutex held): tasks are handed out in order and the
    // handing out stops at a failure, so it is the failure that one thread would have met first.
    void NoteFailure(std::exception_ptr failure, int32_t task);
    void StopWorkers();
    // Before a thread sleeps on a condition, it stays awake a short while (lock released) until
    // ready() holds: a kernel's runs follow each other closely (a sweep hands out its rotations
    // after each of its hundreds of steps), and waking a sleeping thread costs more than such a
    // run. The caller then takes the lock and waits on the condition as usual.
    static void StayAwakeUntil(const std::function<bool()>& ready);

    std::vector<std::thread> m_workers;
    std::mutex m_mutex;
    std::condition_variable m_wake; // workers wait here for a run or the end
    std::condition_variable m_done; // the run thread waits here for the workers
    // The current run, guarded by m_mutex.
    const tPoolTask* m_task = nullptr;
    int32_t m_count = 0;
    int32_t m_next = 0; // the next task to hand out
    // Workers running a task; read without the lock only while staying awake.
    std::atomic<int32_t> m_busy = 0;
    // Counts the runs handed out (written with m_mutex held), so that a worker staying awake
    // sees a new one without the lock.
    std::atomic<std::uint64_t> m_runs = 0;
    std::exception_ptr m_failure;
    int32_t m_failureTask = 0;
    bool m_stopping = false;
    bool m_running = false; // only the run thread writes it, outside any task
};

// Thread count for a new session: ZELVORA_THREADS when it holds a number from 1 up (clamped to
// MaxPoolThreads), otherwise the machine's cores, at most 2 (more has not been measured to help).
int32_t DefaultPoolThreads();

// Applies task to the row ranges of 1 .. rows in pieces of about `piece` rows (at least 2, even,
// so row pairs stay together): task(first, last, thread). Without a pool it runs on the caller.
void ForEachRowRange(tWorkerPool* pool, int32_t rows, int32_t piece,
    const std::function<void(int32_t first, int32_t last, int32_t thread)>& task,
    const tCheckpoint* checkpoint = nullptr);

} // namespace zelvora
