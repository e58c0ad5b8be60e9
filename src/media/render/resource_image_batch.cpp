#include "media/render/resource_image_batch.h"

#include <algorithm>
#include <numeric>

#include "core/codec/packed_loader.h"
#include "core/io/file_io.h"
#include "media/render/image_decoder.h"

namespace plk {
namespace {

// Pixels the file's header announces; 0 when it cannot be read.
std::uint64_t AnnouncedPixels(const std::filesystem::path& path) {
    ByteBuffer header;
    try {
        header = InputFile(path).Read(0, 64);
    } catch (const FileError&) {
        return 0;
    }
    const ImageSize size = ImageSizeFromHeader(header);
    return std::uint64_t{size.width} * size.height;
}

}  // namespace

ResourceImageBatch::ResourceImageBatch(int threads) {
    m_pool.setMaxThreadCount(threads > 0 ? threads : QThread::idealThreadCount());
}

ResourceImageBatch::~ResourceImageBatch() {
    m_pool.waitForDone();
    // Every job's last step is its notify, made under the lock; waiting here under the same
    // lock makes that ordering visible to anything that checks it, not only to the pool.
    std::unique_lock lock(m_mutex);
    m_finished.wait(lock, [this] { return m_running == 0; });
}

ResourceImageBatch::Result ResourceImageBatch::Run(const Job& job) {
    Result result;
    result.slot = job.slot;
    bool found = false;
    for (const std::filesystem::path* file : {&job.path, &job.fallback}) {
        if (file->empty()) {
            continue;
        }
        std::optional<std::vector<std::uint8_t>> bytes = LoadPackedFile(*file);
        if (!bytes) {
            continue;
        }
        found = true;
        if (std::optional<ResourceImage> decoded = DecodeResourceImage(*bytes)) {
            result.outcome = Outcome::Decoded;
            result.fromFallback = file == &job.fallback;
            result.file = *file;
            result.decoded = std::move(*decoded);
            return result;
        }
    }
    result.outcome = found ? Outcome::Undecodable : Outcome::NotFound;
    return result;
}

void ResourceImageBatch::Start(std::vector<Job> jobs) {
    m_pool.waitForDone();
    {
        std::unique_lock lock(m_mutex);
        m_finished.wait(lock, [this] { return m_running == 0; });
        m_running = jobs.size();
    }
    m_jobs = std::move(jobs);
    m_results.assign(m_jobs.size(), std::nullopt);
    m_finishedCount = 0;
    m_nextToTake = 0;

    std::vector<std::uint64_t> pixels(m_jobs.size());
    for (std::size_t i = 0; i < m_jobs.size(); ++i) {
        pixels[i] = AnnouncedPixels(m_jobs[i].path);
    }
    std::vector<std::size_t> order(m_jobs.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return pixels[a] > pixels[b]; });
    for (std::size_t index : order) {
        m_pool.start([this, index] {
            Result result = Run(m_jobs[index]);
            // Notified under the lock: once a waiter can see the result, this job no longer
            // touches the batch, so the batch may be destroyed right after.
            std::lock_guard lock(m_mutex);
            m_results[index] = std::move(result);
            ++m_finishedCount;
            --m_running;
            m_finished.notify_all();
        });
    }
}

std::optional<ResourceImageBatch::Result> ResourceImageBatch::TakeNext(
    std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    if (m_nextToTake >= m_results.size()) {
        return std::nullopt;
    }
    if (!m_finished.wait_for(lock, timeout,
                             [this] { return m_results[m_nextToTake].has_value(); })) {
        return std::nullopt;
    }
    std::optional<Result> result = std::move(m_results[m_nextToTake]);
    m_results[m_nextToTake].reset();
    ++m_nextToTake;
    return result;
}

std::size_t ResourceImageBatch::FinishedCount() const {
    std::lock_guard lock(m_mutex);
    return m_finishedCount;
}

}  // namespace plk
