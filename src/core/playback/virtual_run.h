#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "core/playback/command_playback.h"
#include "core/playback/playback_io.h"
#include "core/playback/simple_playback.h"

namespace plk {

// Playback input on virtual time: the driver sets the time, clicks and held ranges are
// scripted in milliseconds since the start.
class ScriptedInput final : public PlaybackInput {
public:
    std::int64_t now = 0;
    int speedPosition = 11;
    bool autoRepeat = false;
    std::vector<std::int64_t> clicks;
    // [from, to): the button is held; pressing it at `from` also counts as a click.
    std::vector<std::pair<std::int64_t, std::int64_t>> holds;

    std::int64_t NowMs() override { return now; }
    bool PressedSinceLastQuery() override;
    bool Held() override;
    int SpeedPosition() override { return speedPosition; }
    bool AutoRepeat() override { return autoRepeat; }

private:
    std::int64_t m_lastQuery = INT64_MIN;
};

enum class RunEnd { Rows, Until, Stalled };

// The end's stable name, as the command line's JSON output gives it: "rows", "until", "stalled".
const char* RunEndName(RunEnd end);

struct RunResult {
    RunEnd end;
    std::int64_t endMs;
};

// Drives a playback on virtual time until it ends or the time reaches `untilMs` (no pass
// starts at or after it). Simple playback passes come when their frames are due; command
// playback passes every 1/60 s (PassTimeMs), skipping those before the time a pass asks.
RunResult RunSimpleVirtual(SimplePlayback& playback, ScriptedInput& input, std::int64_t untilMs);
RunResult RunCommandVirtual(CommandPlayback& playback, ScriptedInput& input, std::int64_t untilMs);

}  // namespace plk
