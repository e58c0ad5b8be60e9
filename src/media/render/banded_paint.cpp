#include "media/render/banded_paint.h"

#include <algorithm>

namespace plk {

int BandTop(int height, int bands, int band) {
    return static_cast<int>(static_cast<long long>(height) * band / bands);
}

std::vector<int> EqualBandEdges(int height, int bands) {
    bands = std::clamp(bands, 1, std::max(height, 1));
    std::vector<int> edges;
    for (int band = 0; band <= bands; ++band) {
        edges.push_back(BandTop(height, bands, band));
    }
    return edges;
}

std::vector<int> BalancedBandEdges(std::span<const double> rowCost, int bands) {
    const int height = static_cast<int>(rowCost.size());
    bands = std::clamp(bands, 1, std::max(height, 1));
    double total = 0;
    for (double cost : rowCost) {
        total += std::max(cost, 0.0);
    }
    if (!(total > 0)) {
        return EqualBandEdges(height, bands);
    }
    std::vector<int> edges{0};
    double sum = 0;
    int row = 0;
    for (int band = 1; band < bands; ++band) {
        const double wanted = total * band / bands;
        // Leave at least one row for this band and for each one after it.
        const int lowest = edges.back() + 1;
        const int highest = height - (bands - band);
        while (row < lowest ||
               (row < highest &&
                sum + std::max(rowCost[static_cast<std::size_t>(row)], 0.0) <= wanted)) {
            sum += std::max(rowCost[static_cast<std::size_t>(row)], 0.0);
            ++row;
        }
        edges.push_back(row);
    }
    edges.push_back(height);
    return edges;
}

void PaintInBands(QImage& target, std::span<const int> edges, BandPool* pool,
                  const std::function<void(QPainter&, const QRect&)>& paint) {
    const int bands = static_cast<int>(edges.size()) - 1;
    if (bands <= 1 || pool == nullptr) {
        QPainter painter(&target);
        paint(painter, target.rect());
        return;
    }
    // Qt allows one painter per image at a time, so every band gets a header of its own
    // over the target's pixels; the clips keep their writes apart.
    uchar* const bits = target.bits();
    const int width = target.width();
    const int height = target.height();
    const qsizetype stride = target.bytesPerLine();
    const QImage::Format format = target.format();
    pool->Run(bands, [&](int band) {
        QImage view(bits, width, height, stride, format);
        QPainter painter(&view);
        const int bottom = std::min(edges[static_cast<std::size_t>(band) + 1], height);
        for (int top = std::max(edges[static_cast<std::size_t>(band)], 0); top < bottom;
             top += kStripRows) {
            const QRect strip(0, top, width, std::min(kStripRows, bottom - top));
            painter.setClipRect(strip);
            paint(painter, strip);
        }
    });
}

}  // namespace plk
