#include "core/timesheet/onion_skin.h"

#include <algorithm>
#include <cstdlib>

namespace plk {

std::vector<OnionNeighbour> OnionNeighbours(const CutReader& cut, int frameNumber, int depth) {
    depth = std::clamp(depth, 0, kMaxOnionDepth);
    const int last = cut.NormalFramesBefore(cut.RowCount());
    std::vector<OnionNeighbour> neighbours;
    for (int distance = depth; distance >= 1; --distance) {
        for (int signedDistance : {distance, -distance}) {
            const int number = frameNumber + signedDistance;
            if (number >= 1 && number <= last) {
                neighbours.push_back({cut.RowOfFrameNumber(number), signedDistance});
            }
        }
    }
    return neighbours;
}

OnionLook OnionLookOf(int distance, int depth) {
    depth = std::clamp(depth, 1, kMaxOnionDepth);
    const int steps = std::clamp(std::abs(distance), 1, depth);
    // 1 is the nearest and strongest; the farthest keeps a third of it.
    const int weight = depth + 1 - steps;  // depth .. 1
    OnionLook look;
    if (distance < 0) {
        look.red = 255;
        look.green = 48;
        look.blue = 48;
    } else {
        look.red = 0;
        look.green = 200;
        look.blue = 230;
    }
    look.tintPercent = 30 + 40 * weight / depth;
    look.opacityPercent = 10 + 35 * weight / depth;
    return look;
}

}  // namespace plk
