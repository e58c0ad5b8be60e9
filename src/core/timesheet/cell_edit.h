#pragma once

#include <functional>
#include <vector>

#include "core/timesheet/cell_range.h"
#include "core/timesheet/cell_write.h"
#include "core/timesheet/cut.h"

namespace plk {

// The cells a typed property writes: `edit` applied to every cell slot of every row of the
// rectangle, control frames included (their cells are never shown, but they get the value
// all the same). Rows and columns outside the cut are left out, and so are slot 0 (the
// frame-number column) and the part copy slot, which no grid column shows.
std::vector<CellWrite> RectangleChanges(const Cut& cut, const CellRange& range,
                                        const std::function<void(CellRecord&)>& edit);

// The changes that would alter the cut: those that write a cell's own bytes back are left
// out, so an edit that changes nothing records no step.
std::vector<CellWrite> DropUnchanged(const Cut& cut, std::vector<CellWrite> changes);

}  // namespace plk
