#include "media/render/banded_paint.h"

#include <algorithm>
#include <atomic>
#include <numeric>

namespace plk {

std::vector<QRect> Strips(int width, int height) {
    std::vector<QRect> strips;
    for (int top = 0; top < height; top += kStripRows) {
        strips.emplace_back(0, top, width, std::min(kStripRows, height - top));
    }
    return strips;
}

void PaintInBands(QImage& target, int bands, BandPool* pool,
                  const std::function<void(QPainter&, const QRect&)>& paint,
                  const std::function<double(const QRect&)>& stripCost) {
    if (bands <= 1 || pool == nullptr || target.height() <= 1) {
        QPainter painter(&target);
        paint(painter, target.rect());
        return;
    }
    std::vector<QRect> strips = Strips(target.width(), target.height());
    if (stripCost) {
        std::vector<double> costs(strips.size());
        std::transform(strips.begin(), strips.end(), costs.begin(), stripCost);
        std::vector<std::size_t> order(strips.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return costs[a] > costs[b]; });
        std::vector<QRect> sorted;
        for (std::size_t index : order) {
            sorted.push_back(strips[index]);
        }
        strips = std::move(sorted);
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
        if (taken >= strips.size()) {
            return;  // a band whose thread came late: the others drew everything
        }
        QImage view(bits, width, height, stride, format);
        QPainter painter(&view);
        for (; taken < strips.size(); taken = next.fetch_add(1, std::memory_order_relaxed)) {
            painter.setClipRect(strips[taken]);
            paint(painter, strips[taken]);
        }
    });
}

}  // namespace plk
