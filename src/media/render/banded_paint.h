#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>
#include <vector>

#include "media/render/band_pool.h"

namespace plk {

// Banded painting draws each sprite in strips of at most this many rows. Qt's raster engine
// hands a blend of 96 or more spans to its own small thread pool and waits for it; the band
// threads would all queue on that pool, so each blend stays under that size (a quad gives one
// span a row). Within that, taller strips cost less: each strip brings the textures it
// crosses into the cache again.
inline constexpr int kStripRows = 88;
// Band threads take the canvas this many rows at a time and draw each sprite through all the
// strips of such a chunk before the next sprite, so the sprite's texture stays in the cache
// from strip to strip; smaller chunks share the work out more evenly.
inline constexpr int kChunkRows = 2 * kStripRows;

// The chunks of a `width` x `height` canvas, top to bottom.
std::vector<QRect> Chunks(int width, int height);

// Paints `target` on up to `bands` threads at once (the calling thread and the pool's workers
// that start in time). Each thread has a painter of its own and takes the canvas's chunks one
// at a time until none is left, so a thread that gets less of the processor takes fewer
// chunks and one that wakes late none. `paint` is called once per chunk with the painter
// clipped to the chunk, the chunk's rectangle and kStripRows: it draws each shape in strips of
// that many rows of the chunk (SpriteDrawer::DrawPlanned does). With `chunkCost`, the
// costliest chunks go first, so the last ones to finish are cheap.
// Every painter works on the whole canvas at the canvas's own coordinates (a header over the
// same pixels), so a shape crossing chunk or strip edges is drawn in every part it touches
// with the very transform a single painter would use, and the parts join pixel for pixel into
// the single-painter picture.
// One band (or no pool) paints straight on `target` with one painter, no clip, the whole
// canvas as the rectangle and no strips (0), as Qt draws by default. `target` must not have a
// painter open.
void PaintInBands(
    QImage& target, int bands, BandPool* pool,
    const std::function<void(QPainter& painter, const QRect& area, int stripRows)>& paint,
    const std::function<double(const QRect& chunk)>& chunkCost = {});

}  // namespace plk
