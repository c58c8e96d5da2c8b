#pragma once

#include <cstddef>
#include <functional>
#include <memory>

// Work spread over the cores, always on the process's one pool of threads (Qt's global
// pool). Work that already runs on the pool never spreads again: it runs on its own thread,
// so the threads stay as many as the pool's.
namespace Parallel {

// The threads the pool runs side by side (at least 1).
size_t CoreCount();
// This thread runs pooled work: a pool thread, or a thread inside PooledTasks::Run.
bool OnPool();
// Runs work(first, end) over [0, count) in runs of perTask: on the pool when there are more
// than four runs and this thread is outside it, otherwise on this thread alone.
void Spread(size_t count, size_t perTask, const std::function<void(size_t, size_t)>& work);

} // namespace Parallel

// Tasks, which may add further tasks, run on this thread and on the pool until none is left.
// A task must not wait for another.
class PooledTasks {
public:
    PooledTasks();
    ~PooledTasks();
    PooledTasks(const PooledTasks&) = delete;
    PooledTasks& operator=(const PooledTasks&) = delete;

    // Callable from inside a running task as well as before Run.
    void Add(std::function<void()> task);
    // Returns once every task, those added while running included, has run. On the pool (a
    // task of other pooled work) the tasks run on this thread alone.
    void Run();

    struct Queue;

private:
    std::shared_ptr<Queue> m_queue;
};
