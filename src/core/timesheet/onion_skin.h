#pragma once

#include <cstdint>
#include <vector>

#include "core/playback/playback_io.h"

namespace plk {

// Onion skin: the normal frames around the one on show, drawn faintly beneath it.
inline constexpr int kMaxOnionDepth = 3;  // frames on each side

// A neighbouring frame: `distance` normal frames before (negative) or after (positive).
struct OnionNeighbour {
    int row = 0;
    int distance = 0;
    bool operator==(const OnionNeighbour&) const = default;
};

// The normal frames within `depth` (clamped to 0..3) of frame number `frameNumber`, in the
// order to draw them: the farthest first, so nearer frames lie above farther ones, and at
// each distance the next frame before the previous one. Frames outside the cut are left out.
std::vector<OnionNeighbour> OnionNeighbours(const CutReader& cut, int frameNumber, int depth);

// How a neighbour is drawn: its pixels pulled `tintPercent` toward the tint colour and
// laid on at `opacityPercent`. Previous frames lean red, next frames blue-green; both
// fade with distance.
struct OnionLook {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    int tintPercent = 0;
    int opacityPercent = 0;
    bool operator==(const OnionLook&) const = default;
};
OnionLook OnionLookOf(int distance, int depth);

}  // namespace plk
