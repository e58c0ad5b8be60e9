#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>
#include <span>
#include <vector>

#include "media/render/band_pool.h"

namespace plk {

// Row `band` of `bands` equal horizontal bands of `height` rows starts here (the last one
// ends at `height`).
int BandTop(int height, int bands, int band);

// The edges of `bands` equal bands: bands + 1 rows from 0 to `height`.
std::vector<int> EqualBandEdges(int height, int bands);

// The edges of `bands` bands over rows whose drawing costs `rowCost[y]` each, cut so that
// every band costs about the same; every band keeps at least one row. A picture whose
// layers crowd one part of the canvas gets narrow bands there.
std::vector<int> BalancedBandEdges(std::span<const double> rowCost, int bands);

// Banded painting works in strips of at most this many rows. Qt's raster engine hands a
// blend of 96 or more spans to its own small thread pool and waits for it; the bands' threads
// would all queue on that pool, so each strip stays under that size (a quad gives one span a
// row).
inline constexpr int kStripRows = 64;

// Paints `target` in horizontal bands at once, the band from edges[b] to edges[b + 1] on a
// thread of its own, strip by strip: `paint` is called once per strip with a painter clipped
// to the strip's rows and the strip's rectangle. Each painter works on the whole canvas at
// the canvas's own coordinates (a header over the same pixels), so a shape crossing strip
// edges is drawn in every strip it touches with the very transform a single painter would
// use, and the strips join pixel for pixel into the single-painter picture.
// One band (edges {0, height}) or no pool paints straight on `target` with one painter, no
// clip and the whole canvas as the rectangle, as Qt draws by default. Band 0 runs on the
// calling thread. `target` must not have a painter open.
void PaintInBands(QImage& target, std::span<const int> edges, BandPool* pool,
                  const std::function<void(QPainter& painter, const QRect& area)>& paint);

}  // namespace plk
