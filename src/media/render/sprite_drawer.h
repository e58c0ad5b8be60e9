#pragma once

#include <QPainter>
#include <QRect>
#include <array>
#include <cstdint>

#include "media/render/texture_store.h"

namespace plk {

// Draws stored images as rotated, scaled, translucent quads on the canvas.
class SpriteDrawer {
public:
    SpriteDrawer();

    // The source rectangle of `image` (its pixels) into `destination` (canvas pixels),
    // scaled by `zoom` and rotated clockwise by `rotation` degrees about the destination's
    // centre. Only the low 16 bits of the rotation count.
    bool DrawSprite(QPainter& painter, const TextureEntry& image, const QRect& source,
                    const QRect& destination, int alphaPercent, int rotation, float zoom) const;
    // The same with separate horizontal and vertical scales in percent. A mirrored quad
    // (one negative scale) is culled, as the device culls back-facing triangles.
    bool DrawSpriteScaled(QPainter& painter, const TextureEntry& image, const QRect& source,
                          const QRect& destination, int alphaPercent, int rotation, int scaleX,
                          int scaleY) const;

    // Percent opacity to the 0..255 alpha of the vertex colour.
    static int VertexAlpha(int alphaPercent);

    float Sin(int degrees) const { return m_sin[static_cast<std::size_t>(degrees)]; }
    float Cos(int degrees) const { return m_cos[static_cast<std::size_t>(degrees)]; }

private:
    bool DrawQuads(QPainter& painter, const TextureEntry& image, const QRect& source,
                   const QRect& destination, int alphaPercent, int tableIndex, float scaleX,
                   float scaleY) const;

    std::array<float, 360> m_sin{};
    std::array<float, 360> m_cos{};
};

}  // namespace plk
