#include <gtest/gtest.h>

#include "core/playback/recording_sink.h"
#include "core/playback/simple_playback.h"

namespace plk {
namespace {

using testing_support::Control;
using testing_support::MakeCut;
using testing_support::RecordingSink;

TEST(SimplePlaybackTest, ShowsEachFrameForOnePeriodAndSpendsOneOnEachControlFrame) {
    const Cut cut = MakeCut(3, {Control(ControlCommand::Wait)});
    CutView view(cut);
    ScriptedInput input;
    RecordingSink sink(input);
    SimplePlayback playback(view, input, sink);
    const RunResult result = RunSimpleVirtual(playback, input, 100000);

    ASSERT_EQ(sink.presents.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sink.presents[i].t, 33 * i);
        EXPECT_EQ(sink.presents[i].row, i);
        EXPECT_EQ(sink.presents[i].frame, i + 1);
    }
    EXPECT_EQ(sink.label, 4);  // frame numbers run up to the number of rows
    EXPECT_EQ(result.end, RunEnd::Rows);
    EXPECT_EQ(result.endMs, 4 * 33);
}

TEST(SimplePlaybackTest, AutoRepeatStartsAgainAtFrameOne) {
    const Cut cut = Cut::New();
    CutView view(cut);
    ScriptedInput input;
    input.autoRepeat = true;
    input.speedPosition = 12;  // 16 ms
    RecordingSink sink(input);
    SimplePlayback playback(view, input, sink);
    const RunResult result = RunSimpleVirtual(playback, input, 16 * 125);

    ASSERT_EQ(sink.presents.size(), 125u);
    for (std::size_t i = 0; i < sink.presents.size(); ++i) {
        EXPECT_EQ(sink.presents[i].row, static_cast<int>(i % 60));
        EXPECT_EQ(sink.presents[i].t, static_cast<std::int64_t>(16 * i));
    }
    EXPECT_EQ(result.end, RunEnd::Until);
}

// A pass that comes late does not shift the frames after it; after a long stall the
// schedule starts again.
TEST(SimplePlaybackTest, DueTimesDoNotDrift) {
    const Cut cut = Cut::New();
    CutView view(cut);
    ScriptedInput input;
    RecordingSink sink(input);
    SimplePlayback playback(view, input, sink);
    input.now = 0;
    EXPECT_EQ(playback.Pass().notBeforeMs, 33);
    input.now = 40;  // 7 ms late
    EXPECT_EQ(playback.Pass().notBeforeMs, 66);
    input.now = 120;  // 54 ms late: the next frame is due at once
    EXPECT_EQ(playback.Pass().notBeforeMs, 99);
    input.now = 2000;  // after a stall of seconds the schedule starts again
    EXPECT_EQ(playback.Pass().notBeforeMs, 2033);
}

// What PrepareNext hands over is always the frame the next pass draws: through the
// control frames at the end, the wrap of auto repeat, and nothing after the last pass.
TEST(SimplePlaybackTest, PrepareNextHandsOverTheFrameTheNextPassDraws) {
    struct AheadSink : RecordingSink {
        using RecordingSink::RecordingSink;
        void PrepareCellFrame(int row, const FrameRecord&) override { prepared.push_back(row); }
        std::vector<int> prepared;
    };
    for (const bool repeat : {true, false}) {
        const Cut cut = MakeCut(3, {Control(ControlCommand::Wait)});
        CutView view(cut);
        ScriptedInput input;
        input.autoRepeat = repeat;
        AheadSink sink(input);
        SimplePlayback playback(view, input, sink);
        std::vector<int> expected;  // the row each pass draws after a preparing
        for (int pass = 0; pass < 10; ++pass) {
            const std::size_t drawn = sink.presents.size();
            const PassResult result = playback.Pass();
            if (pass > 0) {
                expected.push_back(sink.presents.size() > drawn ? sink.presents.back().row : -1);
            }
            if (result.end != PlaybackEnd::None) {
                break;
            }
            const std::size_t before = sink.prepared.size();
            playback.PrepareNext();
            if (sink.prepared.size() == before) {
                sink.prepared.push_back(-1);  // nothing to draw ahead
            }
            input.now = result.notBeforeMs;
        }
        // The last preparing has no pass after it when the loop stopped on the count.
        std::vector<int> prepared = sink.prepared;
        prepared.resize(expected.size());
        EXPECT_EQ(prepared, expected) << (repeat ? "with" : "without") << " repeat";
    }
}

}  // namespace
}  // namespace plk
