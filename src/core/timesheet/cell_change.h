#pragma once

#include <vector>

#include "core/timesheet/frame_record.h"

namespace plk {

// The new value of one cell slot of one row.
struct CellChange {
    int row;
    int slot;
    CellRecord after;
};

}  // namespace plk
