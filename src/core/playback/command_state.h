#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/timesheet/frame_record.h"

namespace plk {

// One command of a running command playback: started by its control frame, stopped by
// a click, its time running out, or another command.
struct CommandState {
    std::int32_t code = 0;  // the ControlCommand that started it; 0: inactive
    std::int64_t startMs = 0;
    std::uint32_t durationMs = 0;  // seconds x 1000, compared unsigned
    std::int32_t parameter = 0;
    std::string text;  // Shift-JIS

    void Stop() { *this = CommandState{}; }
    // The time has run out: now - start > duration, compared unsigned as 32-bit
    // milliseconds. A WAIT of 0 seconds never runs out.
    bool Expired(std::int64_t nowMs) const {
        if (code == static_cast<std::int32_t>(ControlCommand::Wait) && durationMs == 0) {
            return false;
        }
        return static_cast<std::uint32_t>(nowMs - startMs) > durationMs;
    }
};

// The REPEAT command: loops the rows from its target up to its own row while a MESSAGE or
// WAIT is pending.
struct RepeatState {
    bool active = false;
    std::int32_t returnType = 0;  // kept, not used
    int loopEnd = 0;              // the REPEAT row
    int target = 0;
    int cursor = 0;
    bool done = false;
};

}  // namespace plk
