#pragma once

#include <QPainter>
#include <QRect>
#include <QTransform>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "media/render/texture_store.h"

namespace plk {

// One image drawing call of a sprite: a tile (or part of one) through the sprite's map onto
// the canvas. `bounds` holds every canvas pixel the call can touch.
struct SpriteDraw {
    const QImage* texture = nullptr;
    QRectF target;  // in the image's pixels, mapped by `transform`
    QRectF source;  // in the tile's pixels
    QTransform transform;
    qreal opacity = 1.0;
    QRect bounds;
};

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

    // The drawing calls DrawSpriteScaled would make, appended to `draws`, so a picture can be
    // planned once and drawn in parts (each call drawn by DrawPlanned gives the same pixels).
    void PlanSpriteScaled(std::vector<SpriteDraw>& draws, const TextureEntry& image,
                          const QRect& source, const QRect& destination, int alphaPercent,
                          int rotation, int scaleX, int scaleY) const;
    // The planned calls whose bounds meet `area`, in order. With `stripRows`, each call is
    // drawn in the strips of that many rows of `area` it reaches (replacing the clip), one
    // call through all its strips before the next. The painter's transform, opacity and
    // clip are kept.
    static void DrawPlanned(QPainter& painter, std::span<const SpriteDraw> draws, const QRect& area,
                            int stripRows = 0);
    // An area every planned call meets.
    static QRect Anywhere() {
        return QRect(QPoint(-(1 << 30), -(1 << 30)), QPoint(1 << 30, 1 << 30));
    }

    // Percent opacity to the 0..255 alpha of the vertex colour.
    static int VertexAlpha(int alphaPercent);

    float Sin(int degrees) const { return m_sin[static_cast<std::size_t>(degrees)]; }
    float Cos(int degrees) const { return m_cos[static_cast<std::size_t>(degrees)]; }

private:
    void PlanQuads(std::vector<SpriteDraw>& draws, const TextureEntry& image, const QRect& source,
                   const QRect& destination, int alphaPercent, int tableIndex, float scaleX,
                   float scaleY) const;
    static int TableIndex(int rotation);

    std::array<float, 360> m_sin{};
    std::array<float, 360> m_cos{};
};

}  // namespace plk
