#pragma once

#include <memory>

#include "editor/timesheet/cell_properties_panel.h"

namespace plk {

class CTimeSheet;

// The panel's view of a time-sheet page: the page's cut, rectangle, undoable cell edits,
// limited unit, palette and message boxes.
std::unique_ptr<CellPropertiesHost> MakePagePropertiesHost(CTimeSheet* page);

}  // namespace plk
