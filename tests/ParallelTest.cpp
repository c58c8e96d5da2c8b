#include "platform/Parallel.h"

#include <QSemaphore>
#include <QSet>
#include <QThread>
#include <QThreadPool>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>

namespace {

// The threads some work ran on.
struct Threads {
    std::mutex lock;
    QSet<QThread*> seen;
    void note() {
        const std::lock_guard held(lock);
        seen.insert(QThread::currentThread());
    }
};

TEST(ParallelTest, TasksAndTheTasksTheyAddAllRunOnThisThreadOrThePool) {
    std::vector<std::atomic<int>> runs(2000);
    Threads threads;
    PooledTasks tasks;
    for (size_t i = 0; i < runs.size(); i += 100)
        tasks.Add([&, i] {
            for (size_t j = i; j < i + 100; ++j)
                tasks.Add([&, j] {
                    ++runs[j];
                    threads.note();
                });
        });
    tasks.Run();
    for (size_t j = 0; j < runs.size(); ++j)
        ASSERT_EQ(runs[j], 1) << j;
    QThreadPool* pool = QThreadPool::globalInstance();
    for (QThread* t : std::as_const(threads.seen))
        EXPECT_TRUE(t == QThread::currentThread() || pool->contains(t));
    EXPECT_LE(size_t(threads.seen.size()), Parallel::CoreCount());
}

TEST(ParallelTest, WorkOnThePoolNeverSpreadsAgain) {
    const struct {
        const char* name;
        std::function<void(std::function<void()>)> onPool;
    } cases[] = {{"a pooled task",
                  [](std::function<void()> work) {
                      PooledTasks tasks;
                      for (int i = 0; i < 8; ++i)
                          tasks.Add(work);
                      tasks.Run();
                  }},
                 {"a pool thread", [](std::function<void()> work) {
                      std::atomic<bool> done{false};
                      QThreadPool::globalInstance()->start([&] {
                          work();
                          done = true;
                      });
                      QThreadPool::globalInstance()->waitForDone();
                      EXPECT_TRUE(done);
                  }}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::atomic<int> spreadElsewhere{0};
        std::atomic<size_t> covered{0};
        c.onPool([&] {
            EXPECT_TRUE(Parallel::OnPool());
            QThread* self = QThread::currentThread();
            Parallel::Spread(1000, 10, [&](size_t first, size_t end) {
                if (QThread::currentThread() != self)
                    ++spreadElsewhere;
                covered += end - first;
            });
        });
        EXPECT_EQ(spreadElsewhere, 0);
        EXPECT_EQ(covered % 1000, 0u);
        EXPECT_GT(covered, 0u);
    }
    EXPECT_FALSE(Parallel::OnPool());
}

TEST(ParallelTest, SpreadCoversEveryIndexOnce) {
    for (const size_t count : {0u, 1u, 40u, 41u, 1000u}) {
        SCOPED_TRACE(count);
        std::vector<std::atomic<int>> runs(count);
        Parallel::Spread(count, 10, [&](size_t first, size_t end) {
            for (size_t j = first; j < end; ++j)
                ++runs[j];
        });
        for (size_t j = 0; j < count; ++j)
            ASSERT_EQ(runs[j], 1) << j;
    }
}

} // namespace
