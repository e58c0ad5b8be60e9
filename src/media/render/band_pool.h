#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace plk {

// Runs one job on several threads at once: the calling thread and persistent workers, so a
// frame costs no thread start. A job returns when every thread that joined it is done; jobs
// never overlap.
class BandPool {
public:
    // `workers` threads beside the caller's, started here and joined by the destructor.
    explicit BandPool(int workers);
    ~BandPool();
    BandPool(const BandPool&) = delete;
    BandPool& operator=(const BandPool&) = delete;

    int Workers() const { return static_cast<int>(m_threads.size()); }

    // Calls `work(part)` once for every part in [0, parts), on this thread and the workers
    // that join in time (see Share). An exception thrown by a part is rethrown here once
    // every thread has stopped.
    void Run(int parts, const std::function<void(int part)>& work);

    // Calls `work(0)` on this thread and `work(k)` on up to `threads` - 1 workers, but only
    // on those that start before this thread's call returns: a worker that wakes later
    // leaves the job alone, so a thread kept from a core holds nothing up. Each call must
    // be able to finish the whole job on its own (the calls share it, e.g. by taking items
    // from a common counter). Returns once every call that started has returned; an
    // exception from one is rethrown here.
    void Share(int threads, const std::function<void(int thread)>& work);

private:
    void Loop(std::stop_token stop, int part);

    std::mutex m_runMutex;  // one job at a time
    std::mutex m_mutex;
    std::condition_variable_any m_start;
    std::condition_variable m_done;
    const std::function<void(int)>* m_work = nullptr;
    std::uint64_t m_job = 0;  // counts jobs handed out; a worker waits for the next one
    int m_parts = 0;          // the threads the job may use, the caller's included
    bool m_closed = false;    // the caller is done with the job: no worker may join
    int m_active = 0;         // workers inside the job
    std::exception_ptr m_error;
    std::vector<std::jthread> m_threads;
};

}  // namespace plk
