#pragma once

#include <QThreadPool>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <vector>

#include "media/render/resource_image.h"

namespace plk {

// Decodes many palette images at once, one job per image on a pool of its own, and hands
// the results back in the order the jobs were given, so whoever applies them sees the same
// sequence as a one-thread loop would produce.
class ResourceImageBatch {
public:
    struct Job {
        int slot = 0;
        std::filesystem::path path;      // read first
        std::filesystem::path fallback;  // read when `path` does not decode; empty for none
    };
    enum class Outcome { Decoded, NotFound, Undecodable };
    struct Result {
        int slot = 0;
        Outcome outcome = Outcome::NotFound;
        bool fromFallback = false;   // the image came from the fallback file
        std::filesystem::path file;  // the file decoded
        ResourceImage decoded;
    };

    // `threads` 0: one per core.
    explicit ResourceImageBatch(int threads = 0);
    // Waits for jobs still running.
    ~ResourceImageBatch();
    ResourceImageBatch(const ResourceImageBatch&) = delete;
    ResourceImageBatch& operator=(const ResourceImageBatch&) = delete;

    // Starts every job; the largest images (by the size their headers announce) go first so
    // that no big image is left running alone at the end.
    void Start(std::vector<Job> jobs);

    // The result of the next job in the given order, waiting at most `timeout` for it to
    // finish; nothing when it is not finished by then or every result was taken.
    std::optional<Result> TakeNext(std::chrono::milliseconds timeout);
    bool AllTaken() const { return m_nextToTake >= m_jobs.size(); }
    std::size_t JobCount() const { return m_jobs.size(); }
    std::size_t FinishedCount() const;

    // Decodes one job on the calling thread.
    static Result Run(const Job& job);

private:
    QThreadPool m_pool;
    std::vector<Job> m_jobs;
    mutable std::mutex m_mutex;
    std::condition_variable m_finished;
    std::vector<std::optional<Result>> m_results;  // by job index
    std::size_t m_finishedCount = 0;
    std::size_t m_running = 0;  // jobs started and not yet finished
    std::size_t m_nextToTake = 0;
};

}  // namespace plk
