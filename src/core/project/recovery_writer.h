#pragma once

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "core/project/project.h"
#include "core/project/recovery_copy.h"

namespace plk {

// Writes one recovery copy in the background. The caller hands over a gathered copy of
// the character; a worker thread serialises it and writes the copy atomically. There is
// one worker per copy, so two writes of the same copy never run at once; a copy handed
// over while another still waits replaces it (only the newest state matters).
class RecoveryWriter {
public:
    explicit RecoveryWriter(std::filesystem::path target);
    // Drops a copy still waiting and waits for the write in progress.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    const std::filesystem::path& Target() const { return m_target; }

    void Submit(RecoveryRecord record, Project project);
    // Waits until every copy handed over is written (or has failed).
    void Flush();
    // Drops a copy still waiting, waits for the write in progress, then removes the copy.
    void Discard();

    // Called on the worker thread after each write: empty text when it succeeded,
    // otherwise why it failed. Set it before the first Submit.
    void SetOnWritten(std::function<void(const std::string& error)> callback);

    // The last project written, handed back: gathering into it reuses its memory, so
    // the next gather copies records into pages already in use instead of fresh ones.
    // An empty project when there is none.
    Project TakeSpare();

    std::uint64_t WrittenCount() const;
    std::string LastError() const;

private:
    struct Job {
        RecoveryRecord record;
        Project project;
    };

    void Run();

    const std::filesystem::path m_target;
    std::function<void(const std::string&)> m_onWritten;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<Job> m_pending;
    Project m_spare;
    bool m_writing = false;
    bool m_stopping = false;
    std::uint64_t m_written = 0;
    std::string m_lastError;
    std::thread m_worker;  // last: starts after every member above exists
};

}  // namespace plk
