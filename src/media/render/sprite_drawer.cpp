#include "media/render/sprite_drawer.h"

#include <QTransform>
#include <algorithm>
#include <cmath>

namespace plk {
namespace {

// Vertices land half a pixel right of and below their geometric place, as the device
// that the game draws with puts them.
constexpr float kHalfPixel = 0.5f;

// The pixels of `area`, one more on every side, kept within int for far-off sprites.
QRect CanvasBounds(const QRectF& area) {
    static constexpr double kLimit = 1 << 30;
    auto edge = [](double v) { return static_cast<int>(std::clamp(v, -kLimit, kLimit)); };
    return QRect(QPoint(edge(std::floor(area.left())) - 1, edge(std::floor(area.top())) - 1),
                 QPoint(edge(std::ceil(area.right())) + 1, edge(std::ceil(area.bottom())) + 1));
}

}  // namespace

SpriteDrawer::SpriteDrawer() {
    constexpr float kDegreesToRadians = 0.017453292f;
    for (int d = 0; d < 360; ++d) {
        m_sin[static_cast<std::size_t>(d)] = std::sin(static_cast<float>(d) * kDegreesToRadians);
        m_cos[static_cast<std::size_t>(d)] = std::cos(static_cast<float>(d) * kDegreesToRadians);
    }
}

int SpriteDrawer::VertexAlpha(int alphaPercent) {
    float a = static_cast<float>(alphaPercent) * 0.01f;
    if (a >= 1.0f) {
        return 255;
    }
    if (a <= 0.0f) {
        return 0;
    }
    return static_cast<int>(a * 255.0f + 0.5f);
}

bool SpriteDrawer::DrawSprite(QPainter& painter, const TextureEntry& image, const QRect& source,
                              const QRect& destination, int alphaPercent, int rotation,
                              float zoom) const {
    const int index = static_cast<int>(static_cast<std::uint16_t>(rotation) % 360);
    std::vector<SpriteDraw> draws;
    PlanQuads(draws, image, source, destination, alphaPercent, index, zoom, zoom);
    DrawPlanned(painter, draws, Anywhere());
    return true;
}

bool SpriteDrawer::DrawSpriteScaled(QPainter& painter, const TextureEntry& image,
                                    const QRect& source, const QRect& destination, int alphaPercent,
                                    int rotation, int scaleX, int scaleY) const {
    std::vector<SpriteDraw> draws;
    PlanSpriteScaled(draws, image, source, destination, alphaPercent, rotation, scaleX, scaleY);
    DrawPlanned(painter, draws, Anywhere());
    return true;
}

void SpriteDrawer::PlanSpriteScaled(std::vector<SpriteDraw>& draws, const TextureEntry& image,
                                    const QRect& source, const QRect& destination, int alphaPercent,
                                    int rotation, int scaleX, int scaleY) const {
    PlanQuads(draws, image, source, destination, alphaPercent, TableIndex(rotation),
              static_cast<float>(scaleX) * 0.01f, static_cast<float>(scaleY) * 0.01f);
}

int SpriteDrawer::TableIndex(int rotation) {
    // A negative rotation is brought into 0..359 so it stays inside the tables.
    int index = rotation % 360;
    if (index < 0) {
        index += 360;
    }
    return index;
}

void SpriteDrawer::DrawPlanned(QPainter& painter, std::span<const SpriteDraw> draws,
                               const QRect& area, int stripRows) {
    bool saved = false;
    for (const SpriteDraw& draw : draws) {
        if (!draw.bounds.intersects(area)) {
            continue;
        }
        if (!saved) {
            painter.save();
            saved = true;
        }
        if (stripRows <= 0) {
            painter.setTransform(draw.transform);
            painter.setOpacity(draw.opacity);
            painter.drawImage(draw.target, *draw.texture, draw.source);
            continue;
        }
        // One sprite through every strip of the area before the next sprite, so its texture
        // stays in the cache from strip to strip.
        const QRect reach = draw.bounds & area;
        const int first = area.top() + (reach.top() - area.top()) / stripRows * stripRows;
        for (int top = first; top <= reach.bottom(); top += stripRows) {
            painter.resetTransform();
            painter.setClipRect(QRect(area.left(), top, area.width(),
                                      std::min(stripRows, area.bottom() + 1 - top)));
            painter.setTransform(draw.transform);
            painter.setOpacity(draw.opacity);
            painter.drawImage(draw.target, *draw.texture, draw.source);
        }
    }
    if (saved) {
        painter.restore();
    }
}

// Rectangles are given as (left, top, right, bottom) edges, so QRect's inclusive
// right()/bottom() are not used: x() + width() is the right edge.
void SpriteDrawer::PlanQuads(std::vector<SpriteDraw>& draws, const TextureEntry& image,
                             const QRect& source, const QRect& destination, int alphaPercent,
                             int tableIndex, float scaleX, float scaleY) const {
    const float left = static_cast<float>(destination.x());
    const float top = static_cast<float>(destination.y());
    const float right = left + static_cast<float>(destination.width());
    const float bottom = top + static_cast<float>(destination.height());
    const float cx = (left + right) * 0.5f;
    const float cy = (top + bottom) * 0.5f;
    const float sine = Sin(tableIndex);
    const float cosine = Cos(tableIndex);
    auto corner = [&](float px, float py) {
        float dx = (px - cx) * scaleX;
        float dy = (py - cy) * scaleY;
        return QPointF(cx + dx * cosine - dy * sine + kHalfPixel,
                       cy + dx * sine + dy * cosine + kHalfPixel);
    };
    const QPointF topLeft = corner(left, top);
    const QPointF topRight = corner(right, top);
    const QPointF bottomLeft = corner(left, bottom);

    // Winding of the strip's first triangle on screen: mirrored quads turn it around and
    // are culled; degenerate ones cover nothing.
    const QPointF across = topRight - topLeft;
    const QPointF down = bottomLeft - topLeft;
    if (across.x() * down.y() - across.y() * down.x() <= 0.0) {
        return;
    }
    const int alpha = VertexAlpha(alphaPercent);
    if (alpha == 0 || source.width() <= 0 || source.height() <= 0) {
        return;
    }

    // One affine map takes image pixels of the source rectangle onto the quad; every tile
    // is drawn through it, so tiles join without gaps.
    const double sl = source.x();
    const double st = source.y();
    const double m11 = across.x() / source.width();
    const double m12 = across.y() / source.width();
    const double m21 = down.x() / source.height();
    const double m22 = down.y() / source.height();
    const QTransform imageToCanvas(m11, m12, m21, m22, topLeft.x() - m11 * sl - m21 * st,
                                   topLeft.y() - m12 * sl - m22 * st);

    const qreal opacity = alpha / 255.0;
    const QRect imageBounds(0, 0, static_cast<int>(image.width), static_cast<int>(image.height));
    const QRect wanted = source & (image.tiles.size() == 1 ? source : imageBounds);
    const int tileWidth = static_cast<int>(image.tileWidth);
    const int tileHeight = static_cast<int>(image.tileHeight);
    for (std::uint32_t r = 0; r < image.tilesY; ++r) {
        for (std::uint32_t c = 0; c < image.tilesX; ++c) {
            const QRect tileArea(static_cast<int>(c) * tileWidth, static_cast<int>(r) * tileHeight,
                                 tileWidth, tileHeight);
            const QRect part = tileArea & wanted;
            if (part.isEmpty()) {
                continue;
            }
            // A pixel is filled when its centre lies in the mapped part; the margin keeps
            // rounding of the bounds on the safe side.
            const QRect bounds = CanvasBounds(imageToCanvas.mapRect(QRectF(part)));
            draws.push_back({&image.Tile(c, r).texture, QRectF(part),
                             QRectF(part.translated(-tileArea.topLeft())), imageToCanvas, opacity,
                             bounds});
        }
    }
}

}  // namespace plk
