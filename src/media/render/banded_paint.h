#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>
#include <vector>

#include "media/render/band_pool.h"

namespace plk {

// Banded painting works in strips of at most this many rows. Qt's raster engine hands a
// blend of 96 or more spans to its own small thread pool and waits for it; the band threads
// would all queue on that pool, so each strip stays under that size (a quad gives one span a
// row). Within that, taller strips cost less: each strip brings the textures it crosses into
// the cache again.
inline constexpr int kStripRows = 88;

// The strips of a `width` x `height` canvas, top to bottom.
std::vector<QRect> Strips(int width, int height);

// Paints `target` on up to `bands` threads at once (the calling thread and the pool's workers
// that start in time). Each thread has a painter of its own and takes the canvas's strips one
// at a time until none is left, so a thread that gets less of the processor takes fewer
// strips and one that wakes late none. `paint` is called once per strip with the painter
// clipped to the strip and the strip's rectangle. With `stripCost`, the costliest strips go
// first, so the last ones to finish are cheap.
// Every painter works on the whole canvas at the canvas's own coordinates (a header over the
// same pixels), so a shape crossing strip edges is drawn in every strip it touches with the
// very transform a single painter would use, and the strips join pixel for pixel into the
// single-painter picture.
// One band (or no pool) paints straight on `target` with one painter, no clip and the whole
// canvas as the rectangle, as Qt draws by default. `target` must not have a painter open.
void PaintInBands(QImage& target, int bands, BandPool* pool,
                  const std::function<void(QPainter& painter, const QRect& area)>& paint,
                  const std::function<double(const QRect& strip)>& stripCost = {});

}  // namespace plk
