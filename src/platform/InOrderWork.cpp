#include "platform/InOrderWork.h"

#include <QCoreApplication>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

struct InOrderWork::State {
    size_t count = 0;
    std::function<void(size_t)> prepare;
    std::atomic<size_t> next{0};
    std::atomic<bool> cancelled{false};

    mutable std::mutex lock; // guards what follows
    std::condition_variable changed;
    std::vector<bool> done;
    size_t prefix = 0;
    size_t runners = 0;
    bool told = false;  // a call of progressed is on its way
    bool tells = false; // there is someone to tell

    // On the starting thread only.
    QPointer<QObject> receiver;
    std::function<void()> progressed;
};

namespace {

// Tells the starting thread, once for all that came since the last call was made.
void tell(const std::shared_ptr<InOrderWork::State>& state) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [weak = std::weak_ptr<InOrderWork::State>(state)] {
            const auto s = weak.lock();
            if (!s)
                return;
            {
                const std::lock_guard lock(s->lock);
                s->told = false;
            }
            if (!s->cancelled && s->receiver && s->progressed)
                s->progressed();
        },
        Qt::QueuedConnection);
}

void run(const std::shared_ptr<InOrderWork::State>& s) {
    for (;;) {
        const size_t i = s->next.fetch_add(1);
        if (i >= s->count || s->cancelled)
            break;
        s->prepare(i);
        bool notify = false;
        {
            const std::lock_guard lock(s->lock);
            s->done[i] = true;
            const size_t before = s->prefix;
            while (s->prefix < s->count && s->done[s->prefix])
                ++s->prefix;
            if (s->prefix > before && !s->told && s->tells) {
                s->told = true;
                notify = true;
            }
        }
        s->changed.notify_all();
        if (notify)
            tell(s);
    }
    {
        const std::lock_guard lock(s->lock);
        --s->runners;
    }
    s->changed.notify_all();
}

} // namespace

InOrderWork::InOrderWork(size_t count, std::function<void(size_t)> prepare, QObject* receiver,
                         std::function<void()> progressed)
    : m_state(std::make_shared<State>()) {
    State& s = *m_state;
    s.count = count;
    s.prepare = std::move(prepare);
    s.done.assign(count, false);
    s.receiver = receiver;
    s.tells = receiver != nullptr;
    s.progressed = std::move(progressed);
    QThreadPool* pool = QThreadPool::globalInstance();
    s.runners = std::min(count, size_t(std::max(1, pool->maxThreadCount())));
    for (size_t r = 0; r < s.runners; ++r)
        pool->start([state = m_state] { run(state); });
}

InOrderWork::~InOrderWork() {
    Cancel();
}

size_t InOrderWork::Count() const {
    return m_state->count;
}

size_t InOrderWork::Done() const {
    const std::lock_guard lock(m_state->lock);
    return m_state->prefix;
}

size_t InOrderWork::WaitForMore(size_t seen) {
    State& s = *m_state;
    std::unique_lock lock(s.lock);
    s.changed.wait(lock, [&s, seen] { return s.prefix > seen || s.runners == 0; });
    return s.prefix;
}

void InOrderWork::Cancel() {
    m_state->cancelled = true;
}
