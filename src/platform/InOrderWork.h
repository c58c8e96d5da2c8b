#pragma once

#include <QObject>
#include <QPointer>
#include <cstddef>
#include <functional>
#include <memory>

// Work over items 0 .. count - 1 done on the process's one pool of threads, several items
// side by side, and taken up in order by the thread that started it: the items done from the
// first on can be used while the others are still being done.
class InOrderWork {
public:
    // prepare(i) runs once for every item, on a pool thread; it must not wait for other pooled
    // work, and writes only what belongs to item i. `progressed` runs on the event loop of the
    // starting thread (queued, one call for several items) when more items are done, as long
    // as `receiver` lives and the work is not cancelled.
    InOrderWork(size_t count, std::function<void(size_t)> prepare, QObject* receiver = nullptr,
                std::function<void()> progressed = {});
    // Cancels, without waiting: items not yet begun are never prepared.
    ~InOrderWork();
    InOrderWork(const InOrderWork&) = delete;
    InOrderWork& operator=(const InOrderWork&) = delete;

    size_t Count() const;
    // How many items are done from the first on; what their prepare wrote is seen here.
    size_t Done() const;
    // Waits until more items are done than `seen`, or until all are (never call it on the
    // pool). Returns Done().
    size_t WaitForMore(size_t seen);
    void Cancel();

    struct State;

private:
    std::shared_ptr<State> m_state;
};
