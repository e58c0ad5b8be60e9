#pragma once

#include "core/timesheet/cut.h"

namespace plk {

// Where a step through a cut's frames lands, as the preview and the time sheet step:
// normal frames are what the preview shows; control frames are the script between them.
enum class FrameStep {
    PreviousNormal,
    NextNormal,
    FirstNormal,
    LastNormal,
    PreviousControl,
    NextControl,
};

// The row a step from `row` lands on; -1 when there is none (the first normal frame has
// no previous one, a cut without control frames has no control frame to jump to). A row
// outside the cut steps as from before its first row (next) or after its last (previous).
int StepRow(const Cut& cut, int row, FrameStep step);

}  // namespace plk
