#pragma once

#include <vector>

#include "core/content/message_table.h"
#include "core/content/profile.h"
#include "core/content/resource_table.h"
#include "core/timesheet/cut.h"

namespace plk {

// One character under construction: everything the project file and the game export hold.
// Cut i is the cut on tab i; its name is cutNames.Name(i).
struct Project {
    ResourceTable palette{};
    ProfileBlock profile{};
    MessageTable messages{};
    std::vector<Cut> cuts;
    CutNameTable cutNames{};
};

inline constexpr int kNewProjectCuts = 3;

// What New makes: an empty palette, three default cuts with the default name table, and
// the reset messages, profile and tendency.
Project NewProject();

// Frequencies of the empty lines of situation `k` become 0, as when the message browser
// shows that situation.
void ShowSituation(MessageTable& table, int k);

}  // namespace plk
