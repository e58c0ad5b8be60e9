#pragma once

#include <span>
#include <vector>

#include "core/timesheet/cell_range.h"
#include "core/timesheet/cut.h"

namespace plk {

// Editing operations of one cut's time sheet. Part operations change every normal frame
// and leave control frames untouched; frame operations work on row indices.

// Parts are offered for insertion below 26 and for deletion from 5 on.
bool CanInsertPart(const Cut& cut);
bool CanDeletePart(const Cut& cut);

// Moves slots `slot`..25 one place right (slot 26 is lost), renews `slot`, and adds a grid
// column.
void InsertPart(Cut& cut, int slot);
// Moves slots `slot`+1..26 one place left, renews slot 26, and removes the last grid column.
void DeletePart(Cut& cut, int slot);
// Copies slot `slot` into the part copy buffer (slot 27) of every normal frame.
void CopyPart(Cut& cut, int slot);
// Copies the part copy buffer into slot `slot` of every normal frame.
void PastePart(Cut& cut, int slot);

// The cells of one slot across the normal frames, in row order; what a part operation
// loses, kept to take it back.
std::vector<CellRecord> NormalFrameCells(const Cut& cut, int slot);
void SetNormalFrameCells(Cut& cut, int slot, std::span<const CellRecord> cells);

// Rows [row, row + count) removed by "delete frames": a count reaching the last row stops
// one short of it, so the sheet keeps its last row. 0 for a row outside the cut.
int ClampedDeleteCount(const Cut& cut, int row, int count);

// Rows `firstRow`..`lastRow` (inclusive, clipped to the cut) copied in order.
std::vector<FrameRecord> CopyFrames(const Cut& cut, int firstRow, int lastRow);

// The rows painting touches from `row`: `unit` rows, stopping at the end of the cut.
int PaintedRowCount(const Cut& cut, int row, int unit);

// The rectangle a selection of the grid stands for. Column 0 shows frame numbers, not a
// part: a rectangle lying wholly on it stands for its rows' parts A to last, one that starts
// on it starts at part A. Columns past the last part are cut off.
CellRange PartRectangle(const Cut& cut, CellRange spanned);

// The label of a control command in the frame-number column.
const char* ControlCommandLabel(std::int32_t command);

}  // namespace plk
