#include "media/render/band_pool.h"

#include <algorithm>
#include <atomic>

namespace plk {

BandPool::BandPool(int workers) {
    m_threads.reserve(static_cast<std::size_t>(std::max(workers, 0)));
    for (int i = 0; i < workers; ++i) {
        m_threads.emplace_back([this, part = i + 1](std::stop_token stop) { Loop(stop, part); });
    }
}

BandPool::~BandPool() {
    for (std::jthread& thread : m_threads) {
        thread.request_stop();
    }
    m_threads.clear();  // joins; the stop requests wake the waits
}

void BandPool::Run(int parts, const std::function<void(int)>& work) {
    if (parts <= 0) {
        return;
    }
    // The threads take the parts from a common counter, so the calling thread does every part
    // no worker started in time to take.
    std::atomic<int> next{0};
    Share(parts, [&](int) {
        for (int part; (part = next.fetch_add(1)) < parts;) {
            work(part);
        }
    });
}

void BandPool::Share(int threads, const std::function<void(int)>& work) {
    std::lock_guard run(m_runMutex);
    const int shared = std::clamp(threads - 1, 0, Workers());
    if (shared > 0) {
        std::lock_guard lock(m_mutex);
        m_work = &work;
        m_parts = shared + 1;
        m_closed = false;
        m_active = 0;
        m_error = nullptr;
        ++m_job;
    }
    if (shared > 0) {
        m_start.notify_all();
    }
    std::exception_ptr error;
    try {
        work(0);
    } catch (...) {
        error = std::current_exception();
    }
    if (shared > 0) {
        std::unique_lock lock(m_mutex);
        m_closed = true;
        m_done.wait(lock, [this] { return m_active == 0; });
        m_work = nullptr;
        if (!error) {
            error = m_error;
        }
    }
    if (error) {
        std::rethrow_exception(error);
    }
}

void BandPool::Loop(std::stop_token stop, int part) {
    std::uint64_t seen = 0;
    std::unique_lock lock(m_mutex);
    while (true) {
        if (!m_start.wait(lock, stop, [&] { return m_job != seen; })) {
            return;  // stop requested
        }
        seen = m_job;
        if (part >= m_parts || m_closed) {
            continue;  // a job for fewer threads than workers, or one done without this one
        }
        const std::function<void(int)>& work = *m_work;
        ++m_active;
        lock.unlock();
        std::exception_ptr error;
        try {
            work(part);
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        if (error && !m_error) {
            m_error = error;
        }
        if (--m_active == 0) {
            m_done.notify_one();
        }
    }
}

}  // namespace plk
