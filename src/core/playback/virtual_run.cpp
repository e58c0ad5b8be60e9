#include "core/playback/virtual_run.h"

#include <algorithm>

#include "core/playback/playback_speed.h"

namespace plk {

bool ScriptedInput::PressedSinceLastQuery() {
    auto pressedIn = [&](std::int64_t at) { return at > m_lastQuery && at <= now; };
    const bool pressed = std::any_of(clicks.begin(), clicks.end(), pressedIn) ||
                         std::any_of(holds.begin(), holds.end(),
                                     [&](const auto& hold) { return pressedIn(hold.first); });
    m_lastQuery = now;
    return pressed;
}

bool ScriptedInput::Held() {
    return std::any_of(holds.begin(), holds.end(),
                       [&](const auto& hold) { return hold.first <= now && now < hold.second; });
}

const char* RunEndName(RunEnd end) {
    switch (end) {
        case RunEnd::Rows:
            return "rows";
        case RunEnd::Until:
            return "until";
        case RunEnd::Stalled:
            return "stalled";
    }
    return "rows";
}

RunResult RunSimpleVirtual(SimplePlayback& playback, ScriptedInput& input, std::int64_t untilMs) {
    input.now = 0;
    while (input.now < untilMs) {
        const PassResult result = playback.Pass();
        const std::int64_t next = std::max(input.now, result.notBeforeMs);
        if (result.end == PlaybackEnd::Rows) {
            // The last frame is shown for its whole period before the playback ends.
            return {RunEnd::Rows, std::min(next, untilMs)};
        }
        input.now = next;
    }
    return {RunEnd::Until, untilMs};
}

RunResult RunCommandVirtual(CommandPlayback& playback, ScriptedInput& input, std::int64_t untilMs) {
    std::int64_t pass = 0;
    input.now = 0;
    playback.Start();
    while (input.now < untilMs) {
        const PassResult result = playback.Pass();
        if (result.end == PlaybackEnd::Rows) {
            return {RunEnd::Rows, input.now};
        }
        if (result.end == PlaybackEnd::Stalled) {
            return {RunEnd::Stalled, input.now};
        }
        pass = NextPassIndex(pass, result.notBeforeMs);
        input.now = PassTimeMs(pass);
    }
    return {RunEnd::Until, untilMs};
}

}  // namespace plk
