#pragma once

#include "editor/app/first_start_layout.h"

namespace plk {

class CTimeSheetBase;

// What the time sheet needs around its grid's rows, measured on its laid-out current page
// before it is first shown (its fold comes back as it was).
TimeSheetMetrics MeasureTimeSheet(CTimeSheetBase& sheet);

}  // namespace plk
