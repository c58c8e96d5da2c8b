#include "platform/Parallel.h"

#include <algorithm>
#include <thread>
#include <vector>

size_t TaskGroup::CoreCount() {
    return std::max(1u, std::thread::hardware_concurrency());
}

void TaskGroup::Spread(size_t count, size_t perTask,
                       const std::function<void(size_t, size_t)>& work) {
    if (count <= 4 * perTask) {
        work(0, count);
        return;
    }
    TaskGroup tasks;
    for (size_t i = 0; i < count; i += perTask)
        tasks.Add([&work, i, end = std::min(count, i + perTask)] { work(i, end); });
    tasks.Run(CoreCount());
}

void TaskGroup::Add(std::function<void()> task) {
    {
        const std::lock_guard lock(m_lock);
        m_queue.push_back(std::move(task));
    }
    m_changed.notify_one();
}

void TaskGroup::work() {
    std::unique_lock lock(m_lock);
    for (;;) {
        // Idle until there is a task, or until nothing runs that could add one.
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_running == 0; });
        if (m_queue.empty())
            break;
        std::function<void()> task = std::move(m_queue.front());
        m_queue.pop_front();
        ++m_running;
        lock.unlock();
        task();
        task = nullptr; // what it holds goes on this thread, outside the lock
        lock.lock();
        --m_running;
        if (m_running == 0 && m_queue.empty())
            m_changed.notify_all();
    }
    m_changed.notify_all();
}

void TaskGroup::Run(size_t threads) {
    std::vector<std::thread> pool;
    for (size_t t = 1; t < threads; ++t)
        pool.emplace_back([this] { work(); });
    work();
    for (std::thread& t : pool)
        t.join();
}
