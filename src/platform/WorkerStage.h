#pragma once
// A second thread for the back half of a long job: the caller produces items
// (rows read from a statement) while the stage works on the ones before them
// (formats and writes them), in the order they were pushed.  The queue is
// bounded, so a slow worker holds the producer back instead of filling memory.
//
// Work that throws stops the stage: the exception comes back to the caller
// from the next push() or from finish(), and later items are dropped.

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace vm {

template <typename T>
class WorkerStage {
public:
    explicit WorkerStage(std::function<void(T&)> work, size_t batch = 256, size_t mostBatches = 8)
        : m_work(std::move(work)), m_batch(batch), m_mostBatches(mostBatches),
          m_thread([this] { run(); }) {
        m_filling.reserve(m_batch);
    }

    // Stops the worker; items not yet worked on are dropped.  Call finish()
    // to have them all done.
    ~WorkerStage() {
        {
            std::lock_guard lock(m_mutex);
            m_closed = true;
            m_queue.clear();
        }
        m_changed.notify_all();
        m_thread.join();
    }

    WorkerStage(const WorkerStage&) = delete;
    WorkerStage& operator=(const WorkerStage&) = delete;

    void push(T item) {
        m_filling.push_back(std::move(item));
        if (m_filling.size() >= m_batch) hand();
    }

    // Waits until every pushed item was worked on; rethrows what the work threw.
    void finish() {
        hand();
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return (m_queue.empty() && !m_working) || m_failure; });
        if (m_failure) std::rethrow_exception(m_failure);
    }

private:
    void hand() {
        std::unique_lock lock(m_mutex);
        if (m_failure) std::rethrow_exception(m_failure);
        if (m_filling.empty()) return;
        m_changed.wait(lock, [this] { return m_queue.size() < m_mostBatches || m_failure; });
        if (m_failure) std::rethrow_exception(m_failure);
        m_queue.push_back(std::move(m_filling));
        m_filling = {};
        m_filling.reserve(m_batch);
        lock.unlock();
        m_changed.notify_all();
    }

    void run() {
        for (;;) {
            std::vector<T> items;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [this] { return !m_queue.empty() || m_closed; });
                if (m_queue.empty()) return; // closed
                items = std::move(m_queue.front());
                m_queue.pop_front();
                m_working = true;
            }
            m_changed.notify_all(); // room for the producer
            std::exception_ptr failure;
            try {
                for (T& item : items)
                    m_work(item);
            } catch (...) {
                failure = std::current_exception();
            }
            {
                std::lock_guard lock(m_mutex);
                m_working = false;
                if (failure) {
                    m_failure = failure;
                    m_queue.clear();
                }
            }
            m_changed.notify_all();
        }
    }

    std::function<void(T&)> m_work;
    const size_t m_batch, m_mostBatches;
    std::vector<T> m_filling; // the producer's, until handed over
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::vector<T>> m_queue;
    bool m_working = false, m_closed = false;
    std::exception_ptr m_failure;
    std::thread m_thread; // last: starts when everything above is ready
};

} // namespace vm
