#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

// Work spread over the cores: tasks, which may add further tasks, run on this thread and
// on up to threads - 1 others until none is left. A task must not wait for another.
class TaskGroup {
public:
    // Callable from inside a running task as well as before Run.
    void Add(std::function<void()> task);
    // Returns once every task, those added while running included, has run.
    void Run(size_t threads);

    // The cores this machine offers (at least 1).
    static size_t CoreCount();
    // Runs work(first, end) over [0, count) in runs of perTask: on every core when there are
    // more than four runs, otherwise on this thread alone.
    static void Spread(size_t count, size_t perTask,
                       const std::function<void(size_t, size_t)>& work);

private:
    void work();

    std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_queue;
    size_t m_running = 0;
};
