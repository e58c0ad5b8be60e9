#include "core/timesheet/frame_steps.h"

#include <algorithm>

namespace plk {
namespace {

template <typename Wanted>
int Search(const Cut& cut, int from, int direction, Wanted wanted) {
    for (int row = from; row >= 0 && row < cut.FrameCount(); row += direction) {
        if (wanted(cut.Frame(row))) {
            return row;
        }
    }
    return -1;
}

bool IsNormal(const FrameRecord& frame) {
    return frame.IsNormal();
}

bool IsControl(const FrameRecord& frame) {
    return !frame.IsNormal();
}

}  // namespace

int StepRow(const Cut& cut, int row, FrameStep step) {
    const int count = cut.FrameCount();
    const int after = row < 0 ? 0 : std::min(row + 1, count);
    const int before = row >= count ? count - 1 : row - 1;
    switch (step) {
        case FrameStep::PreviousNormal:
            return Search(cut, before, -1, IsNormal);
        case FrameStep::NextNormal:
            return Search(cut, after, 1, IsNormal);
        case FrameStep::FirstNormal:
            return Search(cut, 0, 1, IsNormal);
        case FrameStep::LastNormal:
            return Search(cut, count - 1, -1, IsNormal);
        case FrameStep::PreviousControl:
            return Search(cut, before, -1, IsControl);
        case FrameStep::NextControl:
            return Search(cut, after, 1, IsControl);
    }
    return -1;
}

}  // namespace plk
