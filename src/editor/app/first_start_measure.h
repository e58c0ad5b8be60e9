#pragma once

#include "editor/app/first_start_layout.h"

namespace plk {

class CTimeSheetBase;

// What the time sheet needs around its grid's rows, measured on its laid-out current page
// before it is first shown (its size and fold come back as they were).
TimeSheetMetrics MeasureTimeSheet(CTimeSheetBase& sheet);

}  // namespace plk
