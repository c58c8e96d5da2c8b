#pragma once

#include <QImage>
#include <cstddef>
#include <functional>
#include <list>
#include <mutex>
#include <unordered_map>
#include <utility>

// What a pure function made of a picture, kept for the last few pictures: a picture is
// known by its cacheKey (never given to another picture), which its copies share and any
// change to it renews, so the same
// icon handed out again (documents of one kind) is worked on once. Safe on any thread.
template <typename T> class ImageMemo {
public:
    explicit ImageMemo(size_t capacity) : m_capacity(capacity) {}

    T get(const QImage& picture, const std::function<T(const QImage&)>& make) {
        if (picture.isNull())
            return make(picture);
        const qint64 key = picture.cacheKey();
        {
            const std::lock_guard lock(m_lock);
            const auto it = m_index.find(key);
            if (it != m_index.end()) {
                m_order.splice(m_order.begin(), m_order, it->second);
                return it->second->second;
            }
        }
        T made = make(picture);
        const std::lock_guard lock(m_lock);
        if (m_index.count(key))
            return made;
        m_order.emplace_front(key, made);
        m_index.emplace(key, m_order.begin());
        if (m_order.size() > m_capacity) {
            const qint64 oldest = m_order.back().first;
            m_index.erase(oldest);
            m_order.pop_back();
        }
        return made;
    }

private:
    size_t m_capacity;
    std::mutex m_lock;
    std::list<std::pair<qint64, T>> m_order; // most recent first
    std::unordered_map<qint64, typename std::list<std::pair<qint64, T>>::iterator> m_index;
};
