#pragma once

#include <QImage>
#include <QRect>

#include "core/timesheet/onion_skin.h"

namespace plk {

// Source-over of `layer` within `bounds` onto `canvas`, each pixel first pulled toward the
// look's colour, then faded by its opacity. Both images are premultiplied ARGB32 of the same
// size. Four pixels at a time in 16-bit lanes (every product of the formula fits in them),
// giving the same bytes as the pixel-by-pixel formula.
void BlendTinted(QImage& canvas, const QImage& layer, const QRect& bounds, const OnionLook& look);

// Plain source-over of `layer` within `bounds` (a look without tint at full opacity), with
// the same rounding as BlendTinted.
void BlendOver(QImage& canvas, const QImage& layer, const QRect& bounds);

}  // namespace plk
