#include "core/codec/parallel_packer.h"

#include <algorithm>
#include <stdexcept>

namespace plk {

unsigned ResolveThreadCount(unsigned requested) {
    if (requested != 0) {
        return requested;
    }
    unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

ParallelPacker::ParallelPacker(std::vector<PackJob> jobs, unsigned threads)
    : m_jobs(std::move(jobs)) {
    threads = ResolveThreadCount(threads);
    // Enough finished items to keep the writer busy, few enough to bound memory.
    m_aheadLimit = 2 * static_cast<std::size_t>(threads);
    if (threads <= 1) {
        return;
    }
    m_results.resize(m_jobs.size());
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, m_jobs.size()));
    m_workers.reserve(threads);
    try {
        for (unsigned i = 0; i < threads; ++i) {
            m_workers.emplace_back([this] { Work(); });
        }
    } catch (...) {
        // Could not start a thread: stop the ones that did start before giving up.
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_all();
        for (std::thread& worker : m_workers) {
            worker.join();
        }
        throw;
    }
}

ParallelPacker::~ParallelPacker() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (std::thread& worker : m_workers) {
        worker.join();
    }
}

ParallelPacker::Result ParallelPacker::Run(const PackJob& job, LzssEncoder& encoder) const {
    Result result;
    try {
        result.item = job.fromFile ? encoder.CompressFile(job.path, job.name)
                                   : encoder.CompressMemory(job.bytes);
    } catch (...) {
        result.error = std::current_exception();
    }
    result.done = true;
    return result;
}

void ParallelPacker::Work() {
    LzssEncoder encoder;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] {
            return m_stopping || m_next >= m_jobs.size() || m_next < m_taken + m_aheadLimit;
        });
        if (m_stopping || m_next >= m_jobs.size()) {
            return;
        }
        std::size_t index = m_next++;
        lock.unlock();
        Result result = Run(m_jobs[index], encoder);
        lock.lock();
        m_results[index] = std::move(result);
        m_changed.notify_all();
    }
}

PackedItem ParallelPacker::TakeNext() {
    if (m_taken >= m_jobs.size()) {
        throw std::out_of_range("every packed item has been taken");
    }
    const std::size_t index = m_taken;
    Result result;
    if (m_workers.empty()) {
        result = Run(m_jobs[index], m_inlineEncoder);
        ++m_taken;
    } else {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_results[index].done; });
        result = std::move(m_results[index]);
        m_results[index] = {};
        ++m_taken;
        lock.unlock();
        m_changed.notify_all();
    }
    if (result.error) {
        std::rethrow_exception(result.error);
    }
    return std::move(*result.item);
}

}  // namespace plk
