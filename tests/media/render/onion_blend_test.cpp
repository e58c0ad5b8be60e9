#include "media/render/onion_blend.h"

#include <gtest/gtest.h>

#include <random>

namespace plk {
namespace {

std::uint32_t Div255(std::uint32_t x) {
    return (x + 128 + ((x + 128) >> 8)) >> 8;
}

// The blend pixel by pixel, as the onion skin first drew it.
void ReferenceBlend(QImage& canvas, const QImage& layer, const QRect& bounds,
                    const OnionLook& look) {
    const std::uint32_t tint = static_cast<std::uint32_t>(look.tintPercent) * 256 / 100;
    const std::uint32_t opacity = static_cast<std::uint32_t>(look.opacityPercent) * 256 / 100;
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        for (int x = bounds.left(); x <= bounds.right(); ++x) {
            const QRgb s = src[x];
            const std::uint32_t a = qAlpha(s);
            if (a == 0) {
                continue;
            }
            const auto pull = [&](std::uint32_t channel, std::uint32_t target) {
                const std::uint32_t goal = Div255(target * a);
                return (((channel * (256 - tint) + goal * tint) >> 8) * opacity) >> 8;
            };
            const std::uint32_t sa = (a * opacity) >> 8;
            const std::uint32_t keep = 255 - sa;
            const QRgb d = dst[x];
            dst[x] = qRgba(static_cast<int>(pull(qRed(s), look.red) + Div255(qRed(d) * keep)),
                           static_cast<int>(pull(qGreen(s), look.green) + Div255(qGreen(d) * keep)),
                           static_cast<int>(pull(qBlue(s), look.blue) + Div255(qBlue(d) * keep)),
                           static_cast<int>(sa + Div255(qAlpha(d) * keep)));
        }
    }
}

// Premultiplied noise; a quarter of the pixels fully transparent, some fully opaque.
QImage Noise(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int kind = static_cast<int>(random() % 4);
            const int a = kind == 0 ? 0 : kind == 1 ? 255 : static_cast<int>(random() % 256);
            const auto channel = [&] { return a == 0 ? 0 : static_cast<int>(random() % (a + 1)); };
            line[x] = qRgba(channel(), channel(), channel(), a);
        }
    }
    return image;
}

// The four-pixel steps give the bytes of the formula for every look, at every start and
// width (the pixels left after the last whole step included), transparent pixels and
// full coverage alike.
TEST(OnionBlendTest, GivesTheBytesOfThePixelFormula) {
    const QImage layer = Noise(37, 9, 1);
    const QImage under = Noise(37, 9, 2);
    const OnionLook looks[] = {
        {255, 40, 40, 50, 60},     {40, 200, 255, 35, 30}, {0, 0, 0, 0, 100},
        {255, 255, 255, 100, 100}, {10, 20, 30, 100, 0},   {200, 100, 0, 1, 99},
    };
    const QRect areas[] = {{0, 0, 37, 9}, {3, 1, 33, 7}, {5, 2, 1, 1}, {6, 0, 4, 9}};
    for (const OnionLook& look : looks) {
        for (const QRect& area : areas) {
            QImage expected = under.copy();
            ReferenceBlend(expected, layer, area, look);
            QImage blended = under.copy();
            BlendTinted(blended, layer, area, look);
            EXPECT_EQ(blended, expected) << look.tintPercent << "% " << look.opacityPercent
                                         << "% at " << area.x() << "," << area.width();
        }
    }
    QImage over = under.copy();
    BlendOver(over, layer, under.rect());
    QImage expected = under.copy();
    ReferenceBlend(expected, layer, under.rect(), OnionLook{0, 0, 0, 0, 100});
    EXPECT_EQ(over, expected);
}

}  // namespace
}  // namespace plk
