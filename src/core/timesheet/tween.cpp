#include "core/timesheet/tween.h"

#include <algorithm>

namespace plk {
namespace {

// The single-precision constant the factor is scaled with (0.0099999998), slightly below
// one hundredth: truncated integers often land one below the exact fraction.
constexpr float kPercent = 0.01f;

void SetProperty(CellRecord& cell, TweenProperty property, double value, bool lockAspect) {
    switch (property) {
        case TweenProperty::X:
            cell.x = static_cast<float>(value);
            break;
        case TweenProperty::Y:
            cell.y = static_cast<float>(value);
            break;
        case TweenProperty::ScaleX:
            cell.scaleX = static_cast<std::int32_t>(value);
            if (lockAspect) {
                cell.scaleY = cell.scaleX;
            }
            break;
        case TweenProperty::ScaleY:
            cell.scaleY = static_cast<std::int32_t>(value);
            if (lockAspect) {
                cell.scaleX = cell.scaleY;
            }
            break;
        case TweenProperty::Rotation: {
            // One wrap only: a tween reaching beyond -360..719 leaves values outside 0..359.
            std::int32_t rotation = static_cast<std::int32_t>(value);
            if (rotation > 359) {
                rotation -= 360;
            } else if (rotation < 0) {
                rotation += 360;
            }
            cell.rotation = rotation;
            break;
        }
        case TweenProperty::Alpha:
            cell.alpha = std::min(static_cast<std::int32_t>(value), 100);
            break;
    }
}

bool IsFloatProperty(TweenProperty property) {
    return property == TweenProperty::X || property == TweenProperty::Y;
}

// The value of the frame at `index` of `count` normal frames.
double TweenValue(int index, int count, TweenProperty property, const TweenParameters& params) {
    constexpr double kHeight = kCurveBoxSize;
    if (count < 2) {
        return params.start;
    }
    const double t = static_cast<double>(index) / (count - 1);
    const float x = static_cast<float>(100.0 * t);
    const float y = TweenCurveY(x, params.control);
    double factor = (kHeight - y) * static_cast<double>(kPercent);
    if (!IsFloatProperty(property)) {
        factor = static_cast<float>(factor);
    }
    // start and end have no range: their difference is taken in double precision.
    return (static_cast<double>(params.end) - params.start) * factor + params.start;
}

}  // namespace

ControlPoint ClampControlPoint(ControlPoint point) {
    point.x = std::clamp(point.x, 1, kCurveBoxSize - 1);
    return point;
}

float TweenCurveY(float x, ControlPoint control) {
    const ControlPoint point = ClampControlPoint(control);
    const double cx = static_cast<float>(point.x);
    const double cy = static_cast<float>(point.y);
    const double y0 = static_cast<float>(kCurveBoxSize);
    const double x1 = static_cast<float>(kCurveBoxSize);
    const double y1 = 0.0;
    const double a = ((y1 - y0) - x1 * (cy - y0) / cx) / (x1 * x1 - cx * x1);
    const double b = (y1 - y0) / x1 - a * x1;
    const double xd = x;
    float y = static_cast<float>(a * xd * xd + b * xd + y0);
    const float upper = static_cast<float>(std::max(y0, y1));
    const float lower = static_cast<float>(std::min(y0, y1));
    if (y > upper) {
        y = upper;
    }
    if (y < lower) {
        y = lower;
    }
    return y;
}

std::vector<CellWrite> TweenChanges(const Cut& cut, const CellRange& range, TweenProperty property,
                                    const TweenParameters& params) {
    std::vector<CellWrite> changes;
    if (range.IsEmpty()) {
        return changes;
    }
    const int firstRow = std::max(range.firstRow, 0);
    const int endRow = range.EndRowWithin(cut.FrameCount());
    const int firstSlot = std::max(range.firstColumn, kFirstPartSlot);
    const int lastSlot = std::min(range.lastColumn, kMaxParts);
    const int count = cut.CountNormalFrames(firstRow, endRow);
    if (count < 1) {
        return changes;
    }
    const int unit = std::max(params.unit, 1);
    int row = firstRow;
    for (int index = 0; index < count; index += unit) {
        const double value = TweenValue(index, count, property, params);
        for (int k = 0; k < unit && index + k < count; ++k) {
            while (!cut.Frame(row).IsNormal()) {
                ++row;
            }
            for (int slot = firstSlot; slot <= lastSlot; ++slot) {
                CellRecord cell = cut.Frame(row).cells[slot];
                SetProperty(cell, property, value, params.lockAspect);
                changes.push_back({row, slot, cell});
            }
            ++row;
        }
    }
    return changes;
}

void TweenCells(Cut& cut, const CellRange& range, TweenProperty property,
                const TweenParameters& params) {
    ApplyCellWrites(cut, TweenChanges(cut, range, property, params));
}

void ApplyCellWrites(Cut& cut, const std::vector<CellWrite>& changes) {
    for (const CellWrite& change : changes) {
        cut.Frame(change.row).cells[change.slot] = change.value;
    }
}

}  // namespace plk
