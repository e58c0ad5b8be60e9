#include "core/project/recovery_writer.h"

#include <exception>
#include <utility>

#include "core/project/project_file.h"

namespace plk {

RecoveryWriter::RecoveryWriter(std::filesystem::path target)
    : m_target(std::move(target)), m_worker([this] { Run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_pending.reset();
    }
    m_wake.notify_all();
    m_worker.join();
}

void RecoveryWriter::SetOnWritten(std::function<void(const std::string& error)> callback) {
    std::lock_guard lock(m_mutex);
    m_onWritten = std::move(callback);
}

void RecoveryWriter::Submit(RecoveryRecord record, Project project) {
    {
        std::lock_guard lock(m_mutex);
        m_pending = Job{std::move(record), std::move(project)};
    }
    m_wake.notify_one();
}

void RecoveryWriter::Flush() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_pending && !m_writing; });
}

void RecoveryWriter::Discard() {
    std::unique_lock lock(m_mutex);
    m_pending.reset();
    m_idle.wait(lock, [this] { return !m_writing; });
    // Still under the lock: no write can start between the wait and the removal.
    try {
        RemoveRecoveryCopy(m_target);
    } catch (const std::exception& error) {
        m_lastError = error.what();
    }
}

Project RecoveryWriter::TakeSpare() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_spare, Project{});
}

std::uint64_t RecoveryWriter::WrittenCount() const {
    std::lock_guard lock(m_mutex);
    return m_written;
}

std::string RecoveryWriter::LastError() const {
    std::lock_guard lock(m_mutex);
    return m_lastError;
}

void RecoveryWriter::Run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || m_pending.has_value(); });
        if (m_stopping) {
            break;
        }
        Job job = std::move(*m_pending);
        m_pending.reset();
        m_writing = true;
        auto onWritten = m_onWritten;
        lock.unlock();

        std::string error;
        try {
            WriteRecoveryCopy(m_target, job.record, job.project);
        } catch (const std::exception& failure) {
            error = failure.what();
        }

        lock.lock();
        // Its records' memory serves the next gather.
        m_spare = std::move(job.project);
        m_writing = false;
        m_lastError = error;
        if (error.empty()) {
            ++m_written;
        }
        if (onWritten) {
            // Outside the lock: the callback may ask for the status.
            lock.unlock();
            onWritten(error);
            lock.lock();
        }
        if (!m_pending) {
            m_idle.notify_all();
        }
    }
    m_idle.notify_all();
}

}  // namespace plk
