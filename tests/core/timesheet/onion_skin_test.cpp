#include <gtest/gtest.h>

#include "core/playback/recording_sink.h"
#include "core/timesheet/onion_skin.h"

namespace plk {
namespace {

using testing_support::Control;

TEST(OnionSkinTest, NeighboursSkipControlFramesStopAtTheEndsAndDrawFarthestFirst) {
    // Rows: 0 n1, 1 n2, 2 wait, 3 n3, 4 n4, 5 n5.
    const Cut cut({NewNormalFrame(), NewNormalFrame(), Control(ControlCommand::Wait),
                   NewNormalFrame(), NewNormalFrame(), NewNormalFrame()},
                  6);
    const CutView view(cut);
    struct Case {
        int frame, depth;
        std::vector<OnionNeighbour> neighbours;
    };
    const Case cases[] = {
        {3, 1, {{4, 1}, {1, -1}}},
        {3, 2, {{5, 2}, {0, -2}, {4, 1}, {1, -1}}},
        {1, 3, {{4, 3}, {3, 2}, {1, 1}}},
        {5, 9, {{1, -3}, {3, -2}, {4, -1}}},  // depth is at most 3 on each side
        {3, 0, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OnionNeighbours(view, c.frame, c.depth), c.neighbours)
            << "frame " << c.frame << " depth " << c.depth;
    }
}

TEST(OnionSkinTest, LooksLeanRedBeforeAndBlueGreenAfterAndFadeWithDistance) {
    for (int depth = 1; depth <= kMaxOnionDepth; ++depth) {
        for (int d = 1; d <= depth; ++d) {
            const OnionLook before = OnionLookOf(-d, depth);
            const OnionLook after = OnionLookOf(d, depth);
            EXPECT_GT(before.red, before.blue);
            EXPECT_GT(after.blue + after.green, 2 * after.red);
            EXPECT_EQ(before.opacityPercent, after.opacityPercent);
            if (d > 1) {
                const OnionLook nearer = OnionLookOf(d - 1, depth);
                EXPECT_LT(after.opacityPercent, nearer.opacityPercent);
                EXPECT_LT(after.tintPercent, nearer.tintPercent);
            }
            EXPECT_GT(after.opacityPercent, 0);
            EXPECT_LT(after.opacityPercent, 50);  // the frame on show stays the clearest
        }
    }
}

}  // namespace
}  // namespace plk
