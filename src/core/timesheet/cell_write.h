#pragma once

#include "core/timesheet/frame_record.h"

namespace plk {

// One cell written by an edit: the value cell slot `slot` of row `row` takes.
struct CellWrite {
    int row;
    int slot;
    CellRecord value;
};

}  // namespace plk
