#pragma once

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "core/check/finding.h"
#include "core/project/project.h"

namespace plk {

// Runs the character check on a thread of its own. Each check is handed over by value: the
// worker owns its copy of the character and of the project's path, and the findings come
// back under the same lock. Everything that crosses threads crosses under this lock, never
// inside Qt's thread pool or event queue, whose locks the thread sanitizer cannot follow.
// One check runs at a time; a check handed over while another waits replaces it.
class CheckWorker {
public:
    struct Result {
        std::uint64_t generation = 0;
        Findings findings;
        std::string error;  // why the check itself failed; empty when it ran
    };

    // `ready` is called on the worker thread after each result is stored. It only tells the
    // owner; the owner takes the result with TakeResult on its own thread.
    explicit CheckWorker(std::function<void()> ready);
    // Drops a check still waiting and waits for the one running.
    ~CheckWorker();
    CheckWorker(const CheckWorker&) = delete;
    CheckWorker& operator=(const CheckWorker&) = delete;

    // Called from the owner's thread only (the thread starts with the first check).
    void Submit(std::uint64_t generation, Project project, std::filesystem::path projectFile);
    // The newest result not yet taken.
    std::optional<Result> TakeResult();

private:
    struct Job {
        std::uint64_t generation = 0;
        Project project;
        std::filesystem::path projectFile;
    };

    void Run();

    const std::function<void()> m_ready;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Job> m_pending;
    std::optional<Result> m_result;
    bool m_stopping = false;
    std::thread m_thread;
};

}  // namespace plk
