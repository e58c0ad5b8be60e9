#pragma once

#include <QImage>
#include <QPainter>
#include <functional>

#include "media/render/band_pool.h"

namespace plk {

// Row `band` of `bands` equal horizontal bands of `height` rows starts here (the last one
// ends at `height`).
int BandTop(int height, int bands, int band);

// Paints `target` in `bands` horizontal bands at once, `paint` being called once per band
// with a painter of its own that is clipped to the band's rows. Each painter works on the
// whole canvas at the canvas's own coordinates (a header over the same pixels), so a shape
// crossing band edges is drawn in every band it touches with the very transform a single
// painter would use, and the bands join pixel for pixel into the single-painter picture.
// One band (or no pool) paints straight on `target` without a clip. Band 0 runs on the
// calling thread. `target` must not have a painter open.
void PaintInBands(QImage& target, int bands, BandPool* pool,
                  const std::function<void(QPainter& painter, int band)>& paint);

}  // namespace plk
