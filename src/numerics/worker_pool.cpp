// The session's worker threads.
#include "numerics/worker_pool.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>

namespace zelvora {
namespace {

// Set once on each worker thread of any pool, when its loop starts.
thread_local bool onPoolWorker = false;

} // namespace

bool IsPoolWorkerThread() noexcept
{
    return onPoolWorker;
}
namespace {
// How often the waiting run thread reaches the check point.
constexpr std::chrono::milliseconds checkpointInterval { 20 };
// How long a thread stays awake for the next run, or for the workers' last tasks, before it
// sleeps: longer than the steps between the runs of a sweep, short beside any kernel.
constexpr std::chrono::microseconds awakeTime { 500 };
// The place of a stop at the check point among the failures: after every task.
constexpr int32_t checkpointTask = std::numeric_limits<int32_t>::max();

int32_t ClampThreads(int32_t threads)
{
    return std::clamp<int32_t>(threads, 1, MaxPoolThreads);
}
} // namespace

tWorkerPool::tWorkerPool(int32_t threads)
{
    Resize(threads);
}

tWorkerPool::~tWorkerPool()
{
    StopWorkers();
}

void tWorkerPool::Resize(int32_t threads)
{
    StopWorkers();
    const int32_t workers = ClampThreads(threads) - 1;
    m_workers.reserve(static_cast<std::size_t>(workers));
    for (int32_t thread = 1; thread <= workers; ++thread)
        m_workers.emplace_back([this, thread] { WorkerLoop(thread); });
}

void tWorkerPool::StopWorkers()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        ++m_runs; // a worker staying awake for the next run hears the stop at once
    }
    m_wake.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
    m_workers.clear();
    m_stopping = false;
}

bool tWorkerPool::HasTask() const
{
    return m_task != nullptr && !m_failure && m_next < m_count;
}

void tWorkerPool::StayAwakeUntil(const std::function<bool()>& ready)
{
    const auto end = std::chrono::steady_clock::now() + awakeTime;
    for (int32_t round = 1;; ++round) {
        if (ready())
            return;
        // The clock is asked now and then only; reading it costs more than a look at ready().
        if (round % 64 == 0 && std::chrono::steady_clock::now() >= end)
            return;
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }
}

void tWorkerPool::WorkerLoop(int32_t thread)
{
    onPoolWorker = true;
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (!m_stopping && !HasTask()) {
            const std::uint64_t runs = m_runs.load();
            lock.unlock();
            StayAwakeUntil([this, runs] { return m_runs.load() != runs; });
            lock.lock();
        }
        m_wake.wait(lock, [this] { return m_stopping || HasTask(); });
        if (m_stopping)
            return;
        const int32_t task = m_next++;
        const tPoolTask* work = m_task;
        ++m_busy;
        lock.unlock();
        std::exception_ptr failure;
        try {
            (*work)(task, thread);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        if (failure)
            NoteFailure(failure, task);
        if (--m_busy == 0)
            m_done.notify_one();
    }
}

void tWorkerPool::NoteFailure(std::exception_ptr failure, int32_t task)
{
    if (!m_failure || task < m_failureTask) {
        m_failure = std::move(failure);
        m_failureTask = task;
    }
}

void tWorkerPool::Run(int32_t count, const tPoolTask& task, const tCheckpoint* checkpoint)
{
    if (count <= 0)
        return;
    if (m_workers.empty() || m_running || count == 1) {
        for (int32_t i = 0; i < count; ++i) {
            task(i, 0);
            ReachCheckpoint(checkpoint);
        }
        return;
    }
    m_running = true;
    {
        const std::lock_guard lock(m_mutex);
        m_task = &task;
        m_count = count;
        m_next = 0;
        m_failure = nullptr;
        ++m_runs;
    }
    m_wake.notify_all();
    std::unique_lock lock(m_mutex);
    while (HasTask()) {
        const int32_t next = m_next++;
        lock.unlock();
        std::exception_ptr failure;
        int32_t failedTask = next;
        try {
            task(next, 0);
            failedTask = checkpointTask;
            ReachCheckpoint(checkpoint);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        if (failure)
            NoteFailure(failure, failedTask);
    }
    if (m_busy != 0) {
        lock.unlock();
        StayAwakeUntil([this] { return m_busy.load() == 0; });
        lock.lock();
    }
    // While the workers finish, the run thread still reaches the check point now and then, so a
    // stop request is heard even when the workers took every task.
    while (!m_done.wait_for(lock, checkpointInterval, [this] { return m_busy == 0; })) {
        if (!checkpoint || m_failure)
            continue;
        lock.unlock();
        std::exception_ptr failure;
        try {
            ReachCheckpoint(checkpoint);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        if (failure)
            NoteFailure(failure, checkpointTask);
    }
    m_task = nullptr;
    const std::exception_ptr failure = std::exchange(m_failure, nullptr);
    lock.unlock();
    m_running = false;
    if (failure)
        std::rethrow_exception(failure);
}

int32_t DefaultPoolThreads()
{
    if (const char* text = std::getenv("ZELVORA_THREADS")) {
        char* end = nullptr;
        const long threads = std::strtol(text, &end, 10);
        if (end != text && *end == '\0' && threads >= 1)
            return ClampThreads(static_cast<int32_t>(std::min<long>(threads, MaxPoolThreads)));
    }
    const auto cores = static_cast<int32_t>(std::thread::hardware_concurrency());
    return std::clamp<int32_t>(cores, 1, 2);
}

void ForEachRowRange(tWorkerPool* pool, int32_t rows, int32_t piece,
    const std::function<void(int32_t first, int32_t last, int32_t thread)>& task,
    const tCheckpoint* checkpoint)
{
    if (rows <= 0)
        return;
    piece = std::max<int32_t>(2, piece + piece % 2);
    const int32_t pieces = (rows + piece - 1) / piece;
    const tPoolTask range = [&](int32_t i, int32_t thread) {
        const int32_t first = 1 + i * piece;
        task(first, std::min(rows, first + piece - 1), thread);
    };
    if (pool) {
        pool->Run(pieces, range, checkpoint);
    } else {
        for (int32_t i = 0; i < pieces; ++i) {
            range(i, 0);
            ReachCheckpoint(checkpoint);
        }
    }
}

} // namespace zelvora
