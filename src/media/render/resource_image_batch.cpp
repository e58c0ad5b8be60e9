#include "media/render/resource_image_batch.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <numeric>

#include "core/codec/packed_loader.h"
#include "media/render/image_decoder.h"

namespace plk {
namespace {

// Pixels the file's header announces; 0 when it cannot be read.
std::uint64_t AnnouncedPixels(const std::filesystem::path& path) {
    std::array<std::uint8_t, 64> header{};
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return 0;
    }
    in.read(reinterpret_cast<char*>(header.data()), header.size());
    const auto count = static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0));
    const ImageSize size = ImageSizeFromHeader(std::span(header.data(), count));
    return std::uint64_t{size.width} * size.height;
}

}  // namespace

ResourceImageBatch::ResourceImageBatch(int threads) {
    m_pool.setMaxThreadCount(threads > 0 ? threads : QThread::idealThreadCount());
}

ResourceImageBatch::~ResourceImageBatch() {
    m_pool.waitForDone();
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
            {
                std::lock_guard lock(m_mutex);
                m_results[index] = std::move(result);
                ++m_finishedCount;
            }
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
