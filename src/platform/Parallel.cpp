#include "platform/Parallel.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace {
// Set while this thread runs the tasks of a PooledTasks.
thread_local bool t_runningTasks = false;
} // namespace

namespace Parallel {

size_t CoreCount() {
    return size_t(std::max(1, QThreadPool::globalInstance()->maxThreadCount()));
}

bool OnPool() {
    return t_runningTasks || QThreadPool::globalInstance()->contains(QThread::currentThread());
}

void Spread(size_t count, size_t perTask, const std::function<void(size_t, size_t)>& work) {
    if (count <= 4 * perTask || OnPool()) {
        work(0, count);
        return;
    }
    PooledTasks tasks;
    for (size_t i = 0; i < count; i += perTask)
        tasks.Add([&work, i, end = std::min(count, i + perTask)] { work(i, end); });
    tasks.Run();
}

} // namespace Parallel

// Shared with the pool's helpers: one that starts after Run has returned finds nothing to do
// and ends, without touching the PooledTasks that is gone.
struct PooledTasks::Queue {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<std::function<void()>> tasks;
    size_t running = 0;

    void work() {
        const bool outer = t_runningTasks;
        t_runningTasks = true;
        std::unique_lock held(lock);
        for (;;) {
            // Idle until there is a task, or until nothing runs that could add one.
            changed.wait(held, [this] { return !tasks.empty() || running == 0; });
            if (tasks.empty())
                break;
            std::function<void()> task = std::move(tasks.front());
            tasks.pop_front();
            ++running;
            held.unlock();
            task();
            task = nullptr; // what it holds goes on this thread, outside the lock
            held.lock();
            --running;
            if (running == 0 && tasks.empty())
                changed.notify_all();
        }
        held.unlock();
        changed.notify_all();
        t_runningTasks = outer;
    }
};

PooledTasks::PooledTasks() : m_queue(std::make_shared<Queue>()) {}

PooledTasks::~PooledTasks() = default;

void PooledTasks::Add(std::function<void()> task) {
    {
        const std::lock_guard held(m_queue->lock);
        m_queue->tasks.push_back(std::move(task));
    }
    m_queue->changed.notify_one();
}

void PooledTasks::Run() {
    if (!Parallel::OnPool()) {
        // This thread works too, so the tasks end even while the pool is busy elsewhere.
        QThreadPool* pool = QThreadPool::globalInstance();
        for (size_t t = 1; t < Parallel::CoreCount(); ++t)
            pool->start([queue = m_queue] { queue->work(); });
    }
    m_queue->work();
}
