#include "media/render/banded_paint.h"

#include <algorithm>

namespace plk {

int BandTop(int height, int bands, int band) {
    return static_cast<int>(static_cast<long long>(height) * band / bands);
}

void PaintInBands(QImage& target, int bands, BandPool* pool,
                  const std::function<void(QPainter&, int)>& paint) {
    bands = std::clamp(bands, 1, std::max(target.height(), 1));
    if (bands == 1 || pool == nullptr) {
        QPainter painter(&target);
        paint(painter, 0);
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
        const int top = BandTop(height, bands, band);
        painter.setClipRect(QRect(0, top, width, BandTop(height, bands, band + 1) - top));
        paint(painter, band);
    });
}

}  // namespace plk
