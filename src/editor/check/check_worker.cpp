#include "editor/check/check_worker.h"

#include <exception>
#include <utility>

#include "core/check/check_character.h"

namespace plk {

CheckWorker::CheckWorker(std::function<void()> ready) : m_ready(std::move(ready)) {}

CheckWorker::~CheckWorker() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_pending.reset();
    }
    m_wake.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void CheckWorker::Submit(std::uint64_t generation, Project project,
                         std::filesystem::path projectFile) {
    {
        std::lock_guard lock(m_mutex);
        m_pending = Job{generation, std::move(project), std::move(projectFile)};
    }
    if (!m_thread.joinable()) {
        m_thread = std::thread([this] { Run(); });
    }
    m_wake.notify_one();
}

std::optional<CheckWorker::Result> CheckWorker::TakeResult() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_result, std::nullopt);
}

void CheckWorker::Run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || m_pending.has_value(); });
        if (m_stopping) {
            return;
        }
        Job job = std::move(*m_pending);
        m_pending.reset();
        lock.unlock();

        Result result{job.generation, {}, {}};
        try {
            result.findings = CheckCharacterWithFiles(job.project, job.projectFile);
        } catch (const std::exception& failure) {
            result.error = failure.what();
        }

        lock.lock();
        m_result = std::move(result);
        lock.unlock();
        if (m_ready) {
            m_ready();
        }
        lock.lock();
    }
}

}  // namespace plk
