#pragma once

#include <QString>

#include "core/timesheet/frame_record.h"

namespace plk {

// The tooltip of a part cell in the grid: all its values, so the result of a tween can be
// read without clicking through the frames. Positions are shown exactly (the shortest
// text that reads back as the same float).
QString CellToolTip(const CellRecord& cell);

}  // namespace plk
