#include <gtest/gtest.h>

#include "core/timesheet/frame_steps.h"

namespace plk {
namespace {

Cut CutFromPattern(std::string_view pattern) {
    std::vector<FrameRecord> frames;
    for (char c : pattern) {
        frames.push_back(c == 'N' ? NewNormalFrame() : NewControlFrame(ControlBlock{}));
    }
    return Cut(std::move(frames), 6);
}

TEST(FrameStepsTest, StepsLandOnTheNextFrameOfTheirKind) {
    using enum FrameStep;
    struct Case {
        const char* pattern;
        int row;
        FrameStep step;
        int expected;
    };
    //                 rows: 0123456
    const char* script = "CNCCNNC";
    for (const Case& c : {
             Case{script, 1, NextNormal, 4},  // over two control frames
             Case{script, 4, NextNormal, 5},
             Case{script, 5, NextNormal, -1},  // the last normal frame
             Case{script, 4, PreviousNormal, 1},
             Case{script, 1, PreviousNormal, -1},  // the first normal frame
             Case{script, 3, PreviousNormal, 1},   // from a control row
             Case{script, 6, FirstNormal, 1},
             Case{script, 0, LastNormal, 5},
             Case{script, 1, NextControl, 2},
             Case{script, 3, NextControl, 6},
             Case{script, 2, PreviousControl, 0},
             Case{script, 0, PreviousControl, -1},
             Case{script, -1, NextNormal, 1},      // no row yet: from the top
             Case{script, 99, PreviousNormal, 5},  // past the end: from the bottom
             Case{"NNN", 1, NextControl, -1},
             Case{"", 0, FirstNormal, -1},
             Case{"CC", 0, LastNormal, -1},
         }) {
        EXPECT_EQ(StepRow(CutFromPattern(c.pattern), c.row, c.step), c.expected)
            << c.pattern << " row " << c.row << " step " << static_cast<int>(c.step);
    }
}

}  // namespace
}  // namespace plk
