#include "media/render/banded_paint.h"

#include <algorithm>
#include <atomic>
#include <numeric>

namespace plk {

std::vector<QRect> Chunks(int width, int height) {
    std::vector<QRect> chunks;
    for (int top = 0; top < height; top += kChunkRows) {
        chunks.emplace_back(0, top, width, std::min(kChunkRows, height - top));
    }
    return chunks;
}

void PaintInBands(QImage& target, int bands, BandPool* pool,
                  const std::function<void(QPainter&, const QRect&, int)>& paint,
                  const std::function<double(const QRect&)>& chunkCost) {
    if (bands <= 1 || pool == nullptr || target.height() <= 1) {
        QPainter painter(&target);
        paint(painter, target.rect(), 0);
        return;
    }
    std::vector<QRect> chunks = Chunks(target.width(), target.height());
    if (chunkCost) {
        std::vector<double> costs(chunks.size());
        std::transform(chunks.begin(), chunks.end(), costs.begin(), chunkCost);
        std::vector<std::size_t> order(chunks.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return costs[a] > costs[b]; });
        std::vector<QRect> sorted;
        for (std::size_t index : order) {
            sorted.push_back(chunks[index]);
        }
        chunks = std::move(sorted);
    }
    // Qt allows one painter per image at a time, so every band gets a header of its own
    // over the target's pixels; the clips keep their writes apart.
    uchar* const bits = target.bits();
    const int width = target.width();
    const int height = target.height();
    const qsizetype stride = target.bytesPerLine();
    const QImage::Format format = target.format();
    std::atomic<std::size_t> next{0};
    pool->Share(bands, [&](int) {
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
    });
}

}  // namespace plk
