#pragma once

#include <cstdint>
#include <vector>

#include "core/playback/virtual_run.h"
#include "core/timesheet/cut.h"

namespace plk {

// Runs command playback of a cut on virtual time to see what it really does with a
// pattern of control frames: an author who clicks rapidly all along (so messages end at
// once and charges fill), overlays that run one step per pass.
struct ProbeOptions {
    std::int64_t untilMs = 20000;
    int clickEveryMs = 100;  // 10 clicks a second: every second charges; 0: no clicks
    int watchRow = -1;       // see ProbeResult::presentedAfterWatch
};

struct ProbeResult {
    RunEnd end = RunEnd::Until;
    std::vector<bool> visited;   // rows the playback stood on after some pass
    std::vector<int> presented;  // rows whose picture reached the screen (-1: a blank record)
    // Rows presented once the playback first stood on the watched row.
    std::vector<int> presentedAfterWatch;
    bool waitPendingAtEnd = false;      // a MESSAGE or WAIT still held the sheet
    bool showStartActiveAtEnd = false;  // SHOWSTART still ran the sheet
};

ProbeResult ProbeCommandPlayback(const Cut& cut, const ProbeOptions& options);

// Rows [first, end) of `cut` as a cut of their own, so a probe starts right before the
// frames in question: REPEAT positions are counted again from the first row, and the times
// of WAIT, CHARGESTART and CHARGESTACK are cut to at most 2 seconds (0 stays 0).
Cut CutSegment(const Cut& cut, int first, int end);

}  // namespace plk
