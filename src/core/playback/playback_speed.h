#pragma once

#include <array>
#include <cstdint>

namespace plk {

// The twelve playback speeds of the speed slider (positions 1..12).
inline constexpr int kSpeedPositions = 12;
inline constexpr int kDefaultSpeedPosition = 11;
inline constexpr std::array<int, kSpeedPositions> kSpeedFramesPerSecond = {1,  2,  3,  4,  5,  6,
                                                                           10, 12, 15, 20, 30, 60};
inline constexpr std::array<int, kSpeedPositions> kSpeedPeriodMs = {1000, 500, 333, 250, 200, 166,
                                                                    100,  83,  66,  50,  33,  16};

// Positions outside 1..12 are clamped to the nearest one.
constexpr int ClampSpeedPosition(int position) {
    return position < 1 ? 1 : (position > kSpeedPositions ? kSpeedPositions : position);
}
constexpr int SpeedFramesPerSecond(int position) {
    return kSpeedFramesPerSecond[static_cast<std::size_t>(ClampSpeedPosition(position) - 1)];
}
constexpr int SpeedPeriodMs(int position) {
    return kSpeedPeriodMs[static_cast<std::size_t>(ClampSpeedPosition(position) - 1)];
}

// The command loop runs one pass every 1/60 s, as a 60 Hz display would pace it. Pass k of
// a playback starts at floor(k * 1000 / 60) ms after its start.
inline constexpr std::int64_t kPassesPerSecond = 60;
constexpr std::int64_t PassTimeMs(std::int64_t pass) {
    return pass * 1000 / kPassesPerSecond;
}
// The first pass after `pass` that starts no earlier than `notBeforeMs`.
constexpr std::int64_t NextPassIndex(std::int64_t pass, std::int64_t notBeforeMs) {
    // The smallest k with k * 1000 / 60 >= notBeforeMs is ceil(notBeforeMs * 60 / 1000).
    const std::int64_t first = (notBeforeMs * kPassesPerSecond + 999) / 1000;
    return first > pass + 1 ? first : pass + 1;
}

}  // namespace plk
