#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "core/playback/animation_timing.h"

namespace plk {
namespace {

struct Present {
    std::int64_t ms;
    bool same;
};

std::vector<AnimationFrame> Merge(const std::vector<Present>& presents, std::int64_t endMs) {
    PresentMerger merger;
    std::vector<AnimationFrame> frames;
    for (const Present& p : presents) {
        if (auto closed = merger.Push(p.ms, p.same)) {
            frames.push_back(*closed);
        }
    }
    if (auto last = merger.Finish(endMs)) {
        frames.push_back(*last);
    }
    return frames;
}

TEST(PresentMergerTest, MergesRepeatsDropsUnseenPresentsAndCoversTheWholeRun) {
    struct Case {
        const char* what;
        std::vector<Present> presents;
        std::int64_t endMs;
        std::vector<AnimationFrame> frames;
    };
    const Case cases[] = {
        {"distinct presents",
         {{0, false}, {33, false}, {66, false}},
         100,
         {{0, 0, 33}, {1, 33, 33}, {2, 66, 34}}},
        {"repeats lengthen the open frame",
         {{0, false}, {16, true}, {33, true}, {50, false}},
         66,
         {{0, 0, 50}, {3, 50, 16}}},
        {"a present replaced at the same instant is never seen",
         {{0, false}, {16, false}, {16, false}, {33, false}},
         50,
         {{0, 0, 16}, {2, 16, 17}, {3, 33, 17}}},
        {"the first frame starts at 0", {{40, false}, {90, false}}, 100, {{0, 0, 90}, {1, 90, 10}}},
        {"a run that ends at its last present drops it",
         {{0, false}, {50, false}},
         50,
         {{0, 0, 50}}},
        {"nothing presented", {}, 100, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Merge(c.presents, c.endMs), c.frames) << c.what;
    }
}

TEST(CentisecondDelayTest, CarriesRoundingSoTheTotalStaysExact) {
    // 60 passes a second: frames of 16 and 17 ms, each 1.6 or 1.7 centiseconds.
    std::vector<std::int64_t> bounds;
    for (std::int64_t pass = 0; pass <= 600; ++pass) {
        bounds.push_back(pass * 1000 / 60);
    }
    int total = 0;
    for (std::size_t i = 0; i + 1 < bounds.size(); ++i) {
        const int delay = CentisecondDelay(bounds[i], bounds[i + 1]);
        EXPECT_TRUE(delay == 1 || delay == 2) << i;
        total += delay;
        // Every frame ends within 5 ms of its true end.
        EXPECT_LE(std::abs(total * 10 - bounds[i + 1]), 5) << i;
    }
    EXPECT_EQ(total, 1000);

    struct Case {
        std::int64_t start, end;
        int delay;
    };
    const Case cases[] = {{0, 4, 0}, {0, 5, 1}, {4, 14, 1}, {5, 14, 0}, {995, 1005, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(CentisecondDelay(c.start, c.end), c.delay) << c.start << ".." << c.end;
    }
}

}  // namespace
}  // namespace plk
