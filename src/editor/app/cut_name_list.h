#pragma once

#include <QStringList>

#include "editor/app/window_messages.h"

namespace plk {

// The cut names carried by WM_CUT_NAMES: wParam is the address of the 16 x 256-byte name
// table, lParam the number of cuts. At most 16 names are read.
QStringList CutNamesFromMessage(WParam names, LParam count);

// What the cut combos list between a cut's insertion or deletion and the names that follow
// it: "カット:1" to "カット:<count>" (count clamped to 0..16).
QStringList NumberedCutItems(LParam count);

}  // namespace plk
