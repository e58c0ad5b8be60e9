#pragma once

#include <vector>

#include "core/timesheet/cell_range.h"
#include "core/timesheet/cell_write.h"
#include "core/timesheet/cut.h"

namespace plk {

// The curve box is 100 x 100 pixels; the curve runs from its bottom-left corner (0, 100)
// to its top-right corner (100, 0) through the control point.
inline constexpr int kCurveBoxSize = 100;

struct ControlPoint {
    int x = kCurveBoxSize / 2;
    int y = kCurveBoxSize / 2;
};

// Keeps x inside 1..99: at 0 or 100 the parabola through the three points is undefined.
ControlPoint ClampControlPoint(ControlPoint point);

// y(x) of the parabola through (0, 100), the control point and (100, 0), in box pixels,
// rounded to single precision and clamped to 0..100. With the default point it is the
// straight line 100 - x.
float TweenCurveY(float x, ControlPoint control);

enum class TweenProperty { X, Y, ScaleX, ScaleY, Rotation, Alpha };

struct TweenParameters {
    int start = 0;
    int end = 0;
    int unit = 1;  // limited unit: frames that share one value, 1..9
    ControlPoint control;
    bool lockAspect = false;  // scale tweens set both scales
};

// The cells a tween writes: the property of every part slot in the rectangle's columns (slot
// 0 and the part copy slot are never written), for the
// normal frames of its rows (control frames are skipped and not counted). Each group of
// `unit` frames holds the value of its first frame; a rectangle of one normal frame gets
// the start value. Empty when the rows hold no normal frame.
std::vector<CellWrite> TweenChanges(const Cut& cut, const CellRange& range, TweenProperty property,
                                    const TweenParameters& params);

// Applies TweenChanges to the cut.
void TweenCells(Cut& cut, const CellRange& range, TweenProperty property,
                const TweenParameters& params);

// Writes the changes into the cut.
void ApplyCellWrites(Cut& cut, const std::vector<CellWrite>& changes);

}  // namespace plk
