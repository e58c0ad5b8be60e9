#include "media/render/banded_paint.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>

namespace plk {

std::vector<QRect> PlanChunks(int width, int height, int bands,
                              const std::function<double(const QRect&)>& chunkCost) {
    auto cost = [&](const QRect& rect) {
        return chunkCost ? chunkCost(rect) : static_cast<double>(rect.width()) * rect.height();
    };
    std::vector<double> slices;
    double remaining = 0;
    for (int top = 0; top < height; top += kPlanSliceRows) {
        slices.push_back(cost(QRect(0, top, width, std::min(kPlanSliceRows, height - top))));
        remaining += slices.back();
    }
    std::vector<QRect> plan;
    const int threads = std::max(bands, 1);
    int top = 0;
    std::size_t slice = 0;
    while (slice < slices.size()) {
        // A thread's fair share of what is left; a slice joins the chunk while that brings the
        // chunk nearer to it.
        const double target = remaining / threads;
        double taken = 0;
        int rows = 0;
        while (slice < slices.size() &&
               (rows < kMinChunkRows || taken + slices[slice] / 2 < target)) {
            taken += slices[slice];
            rows += std::min(kPlanSliceRows, height - top - rows);
            ++slice;
        }
        plan.emplace_back(0, top, width, rows);
        top += rows;
        remaining -= taken;
    }
    return plan;
}

BandReport PaintInBands(QImage& target, int bands, BandPool* pool,
                        const std::function<void(QPainter&, const QRect&, int)>& paint,
                        const std::function<double(const QRect&)>& chunkCost) {
    if (bands <= 1 || pool == nullptr || target.height() <= 1) {
        QPainter painter(&target);
        paint(painter, target.rect(), 0);
        return {1, 0.0};
    }
    const std::vector<QRect> chunks = PlanChunks(target.width(), target.height(), bands, chunkCost);
    // Qt allows one painter per image at a time, so every band gets a header of its own
    // over the target's pixels; the clips keep their writes apart.
    uchar* const bits = target.bits();
    const int width = target.width();
    const int height = target.height();
    const qsizetype stride = target.bytesPerLine();
    const QImage::Format format = target.format();
    std::atomic<std::size_t> next{0};
    using Clock = std::chrono::steady_clock;
    std::array<Clock::time_point, BandReport::kMaxThreads> finished{};
    pool->Share(std::min(bands, BandReport::kMaxThreads), [&](int thread) {
        std::size_t taken = next.fetch_add(1, std::memory_order_relaxed);
        if (taken >= chunks.size()) {
            return;  // a thread that came late: the others drew everything
        }
        QImage view(bits, width, height, stride, format);
        QPainter painter(&view);
        for (; taken < chunks.size(); taken = next.fetch_add(1, std::memory_order_relaxed)) {
            painter.setClipRect(chunks[taken]);
            paint(painter, chunks[taken], kStripRows);
        }
        finished[static_cast<std::size_t>(thread)] = Clock::now();
    });
    BandReport report{0, 0.0};
    Clock::time_point first = Clock::time_point::max();
    Clock::time_point last = Clock::time_point::min();
    for (const Clock::time_point& end : finished) {
        if (end != Clock::time_point{}) {
            ++report.threads;
            first = std::min(first, end);
            last = std::max(last, end);
        }
    }
    if (report.threads > 1) {
        report.finishSpreadMs = std::chrono::duration<double, std::milli>(last - first).count();
    }
    return report;
}

}  // namespace plk
