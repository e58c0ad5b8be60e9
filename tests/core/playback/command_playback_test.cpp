#include <gtest/gtest.h>

#include <algorithm>

#include "core/playback/command_playback.h"
#include "core/playback/playback_speed.h"
#include "core/playback/recording_sink.h"

namespace plk {
namespace {

using testing_support::Control;
using testing_support::MakeCut;
using testing_support::Present;
using testing_support::RecordingSink;
using C = ControlCommand;

struct Player {
    ScriptedInput input;
    RecordingSink sink{input};
    RunResult result{};

    explicit Player(std::vector<std::int64_t> clicks = {}) {
        input.clicks = std::move(clicks);
        sink.overlayFrames = {{std::string(kCountdownOverlay), 3},
                              {std::string(kHitAnyKeyOverlay), 4}};
    }
    void Play(const Cut& cut, std::int64_t untilMs) {
        CutView view(cut);
        CommandPlayback playback(view, input, sink);
        result = RunCommandVirtual(playback, input, untilMs);
    }
    // Consecutive presents of the same row and message state merged into one.
    std::vector<int> RowRuns() const {
        std::vector<int> rows = sink.PresentedRows();
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        return rows;
    }
    const Present* FirstPresentOfRow(int row) const {
        for (const Present& present : sink.presents) {
            if (present.row == row) {
                return &present;
            }
        }
        return nullptr;
    }
};

TEST(CommandPlaybackTest, NormalFramesAdvanceOnTicksOfTheSpeedPeriod) {
    Player run;
    run.Play(MakeCut(3), 100000);
    // Passes every 1/60 s; a row is redrawn until the tick that moves on.
    EXPECT_EQ(run.RowRuns(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(run.FirstPresentOfRow(1)->t, 50);
    EXPECT_EQ(run.FirstPresentOfRow(2)->t, 83);
    EXPECT_EQ(run.sink.soundRows, (std::vector<int>{0, 1, 2}));  // once per row shown
    EXPECT_EQ(run.result.end, RunEnd::Rows);
    EXPECT_EQ(run.result.endMs, 116);
}

TEST(CommandPlaybackTest, TicksKeepThePeriodWithoutDrift) {
    for (int position : {7, 9, 11, 12}) {
        Player run;
        run.input.speedPosition = position;
        run.Play(MakeCut(5000), 60000);
        const int period = SpeedPeriodMs(position);
        // Rows advanced = ticks in 60 s, one tick per period on average, at most one per
        // pass (60 a second).
        const int advanced = run.sink.presents.back().row;
        EXPECT_NEAR(advanced, std::min(60000 / period, 3600), 2) << "position " << position;
    }
}

// Frames 1-10, REPEAT back to frame 1, MESSAGE: frames 2..10 and 1 cycle under the text
// until a click after it is complete; then the sheet goes on after the MESSAGE row.
TEST(CommandPlaybackTest, RepeatLoopsAnimationWhileAMessageWaitsForItsClick) {
    const Cut cut = MakeCut(10, {Control(C::Repeat, 1), Control(C::Message, 0, 0, "abc"),
                                 NewNormalFrame(), NewNormalFrame()});
    Player run({2000});
    run.Play(cut, 100000);

    std::vector<int> underMessage;
    std::int64_t lastMessageAt = 0;
    for (const Present& present : run.sink.presents) {
        if (present.message >= 0) {
            underMessage.push_back(present.row);
            lastMessageAt = present.t;
        }
    }
    underMessage.erase(std::unique(underMessage.begin(), underMessage.end()), underMessage.end());
    ASSERT_GE(underMessage.size(), 12u);
    const std::vector<int> expected = {11, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), underMessage.begin()));
    EXPECT_LE(lastMessageAt, 2000);

    const Present* after = run.FirstPresentOfRow(12);
    ASSERT_NE(after, nullptr);
    EXPECT_GT(after->t, 2000);
    EXPECT_LT(after->t, 2000 + 3 * 33);
    EXPECT_EQ(after->message, -1);
    EXPECT_EQ(run.RowRuns().back(), 13);
    EXPECT_EQ(run.result.end, RunEnd::Rows);
}

TEST(CommandPlaybackTest, AMessageIgnoresClicksUntilItsTextIsComplete) {
    const Cut cut = MakeCut(1, {Control(C::Message, 0, 0, "abcdefghij"), NewNormalFrame()});
    Player early({60});  // while "abcdefghij" is still being typed
    early.Play(cut, 3000);
    EXPECT_EQ(early.result.end, RunEnd::Until);
    EXPECT_EQ(early.sink.presents.back().message, 10);

    Player held;
    held.input.holds = {{40, 80}};  // holding the button lays out the rest at once
    held.Play(cut, 3000);
    const auto typed = std::find_if(held.sink.presents.begin(), held.sink.presents.end(),
                                    [](const Present& p) { return p.message >= 0; });
    ASSERT_NE(typed, held.sink.presents.end());
    EXPECT_EQ(typed->message, 10);
}

TEST(CommandPlaybackTest, WaitHoldsTheLastImageForItsSeconds) {
    const Cut cut = MakeCut(10, {Control(C::Wait, 0, 2), NewNormalFrame()});
    Player run;
    run.Play(cut, 100000);
    std::int64_t lastOfRow9 = 0;
    for (const Present& present : run.sink.presents) {
        if (present.row == 9) {
            lastOfRow9 = present.t;
        }
    }
    const Present* after = run.FirstPresentOfRow(11);
    ASSERT_NE(after, nullptr);
    EXPECT_GE(after->t - lastOfRow9, 2000);
    EXPECT_LE(after->t - lastOfRow9, 2000 + 4 * 17);
    EXPECT_EQ(run.RowRuns(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11}));

    Player forever;  // WAIT 0 never runs out
    forever.Play(MakeCut(1, {Control(C::Wait, 0, 0), NewNormalFrame()}), 20000);
    EXPECT_EQ(forever.result.end, RunEnd::Until);
    EXPECT_EQ(forever.FirstPresentOfRow(2), nullptr);
}

// Countdown over the last frame, then the charge plays on for its seconds and jumps to
// the CHARGEEND below.
TEST(CommandPlaybackTest, ChargeStartCountsDownThenJumpsToChargeEndWhenItsTimeRunsOut) {
    std::vector<FrameRecord> tail = {Control(C::ChargeStart, 0, 1)};
    for (int i = 0; i < 60; ++i) {
        tail.push_back(NewNormalFrame());
    }
    tail.push_back(Control(C::ChargeEnd));
    tail.push_back(NewNormalFrame());
    const Cut cut = MakeCut(2, tail);  // rows 0,1; 2 CHARGESTART; 3..62; 63 CHARGEEND; 64
    Player run;
    run.Play(cut, 100000);

    std::vector<Present> countdown;
    for (const Present& present : run.sink.presents) {
        if (present.overlay == kCountdownOverlay) {
            countdown.push_back(present);
        }
    }
    ASSERT_EQ(countdown.size(), 3u);
    for (std::size_t i = 0; i < countdown.size(); ++i) {
        EXPECT_EQ(countdown[i].row, 1);  // over the last normal frame
        if (i > 0) {
            EXPECT_GE(countdown[i].t - countdown[i - 1].t, 33);  // one step per period
        }
    }
    const Present* charged = run.FirstPresentOfRow(3);
    const Present* last = run.FirstPresentOfRow(64);
    ASSERT_NE(charged, nullptr);
    ASSERT_NE(last, nullptr);
    // About one second of rows 3.. before the jump.
    EXPECT_NEAR(static_cast<double>(last->t - charged->t), 1000, 70);
    EXPECT_EQ(run.FirstPresentOfRow(62), nullptr);
    EXPECT_EQ(run.result.end, RunEnd::Rows);
}

TEST(CommandPlaybackTest, ChargeStartWithoutChargeEndEndsAtTheLastRow) {
    Player run;
    run.Play(
        MakeCut(1, {Control(C::ChargeStart, 0, 0), Control(C::Wait, 0, 0), Control(C::Wait, 0, 0)}),
        100000);
    EXPECT_EQ(run.result.end, RunEnd::Rows);
    EXPECT_EQ(run.sink.openScenes, 0);
}

std::vector<std::int64_t> RapidClicks(std::int64_t from) {
    std::vector<std::int64_t> clicks;
    for (int i = 0; i < 6; ++i) {
        clicks.push_back(from + 60 * i);
    }
    return clicks;
}

TEST(CommandPlaybackTest, ChargeStackHoldsUntilEnoughRapidClickSeconds) {
    const Cut cut = MakeCut(1, {Control(C::ChargeStack, 0, 2), NewNormalFrame(), NewNormalFrame()});
    Player idle;
    idle.Play(cut, 5000);
    EXPECT_EQ(idle.result.end, RunEnd::Until);
    EXPECT_TRUE(std::all_of(idle.sink.presents.begin() + 3, idle.sink.presents.end(),
                            [](const Present& p) { return p.overlay == kHitAnyKeyOverlay; }));

    std::vector<std::int64_t> clicks = RapidClicks(100);
    std::vector<std::int64_t> second = RapidClicks(1200);
    clicks.insert(clicks.end(), second.begin(), second.end());
    clicks.push_back(2500);  // one click alone is no rapid second
    Player mashed(clicks);
    mashed.Play(cut, 5000);
    EXPECT_EQ(mashed.result.end, RunEnd::Rows);
    // The second rapid second is counted when the next second starts, after 2032 ms; the
    // stack stays active and walks through the remaining rows one per pass.
    EXPECT_GT(mashed.result.endMs, 2032);
    EXPECT_LT(mashed.result.endMs, 2032 + 5 * 17);
    EXPECT_EQ(mashed.FirstPresentOfRow(2), nullptr);
}

TEST(CommandPlaybackTest, ShowStartAdvancesOnRapidSecondsAndFallsBackOtherwise) {
    std::vector<FrameRecord> tail = {Control(C::ShowStart, 1)};
    for (int i = 0; i < 10; ++i) {
        tail.push_back(NewNormalFrame());
    }
    const Cut cut = MakeCut(1, tail);  // row 1 SHOWSTART, rows 2..11
    std::vector<std::int64_t> clicks = RapidClicks(100);
    Player run(clicks);
    run.Play(cut, 3000);
    // Falls back to the row after SHOWSTART, steps forward once after the rapid second,
    // and falls back again.
    EXPECT_EQ(run.RowRuns(), (std::vector<int>{0, 2, 3, 2}));
    EXPECT_EQ(run.result.end, RunEnd::Until);

    // Position 0: no falling back; each rapid second moves it on.
    const Cut steady = MakeCut(1, {Control(C::ShowStart, 0), NewNormalFrame(), NewNormalFrame()});
    std::vector<std::int64_t> twice = RapidClicks(100);
    std::vector<std::int64_t> again = RapidClicks(1200);
    twice.insert(twice.end(), again.begin(), again.end());
    Player forward(twice);
    forward.Play(steady, 3000);
    EXPECT_EQ(forward.RowRuns(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(forward.sink.openScenes, 0);
}

TEST(CommandPlaybackTest, StallsOnUnknownCodesAndMissingCountdowns) {
    Player unknown;
    ControlBlock odd{};
    odd.command = 42;
    unknown.Play(MakeCut(2, {NewControlFrame(odd), NewNormalFrame()}), 100000);
    EXPECT_EQ(unknown.result.end, RunEnd::Stalled);
    EXPECT_EQ(unknown.result.endMs, 83);
    EXPECT_EQ(unknown.RowRuns(), (std::vector<int>{0, 1}));

    Player missing;
    missing.sink.overlayFrames.clear();
    missing.Play(MakeCut(1, {Control(C::ChargeStart, 0, 1), NewNormalFrame()}), 100000);
    EXPECT_EQ(missing.result.end, RunEnd::Stalled);
    EXPECT_EQ(missing.sink.openScenes, 0);  // the countdown's scene was closed all the same
}

// A WAIT that ran out with no REPEAT behind it must not leave the wait flag set: a later
// REPEAT would otherwise loop for good and its MESSAGE would never show.
TEST(CommandPlaybackTest, ALaterRepeatWaitsForItsOwnMessage) {
    const Cut cut = MakeCut(2, {Control(C::Wait, 0, 1), NewNormalFrame(), Control(C::Repeat, 3),
                                Control(C::Message, 0, 0, "x"), NewNormalFrame()});
    Player run({4000});
    run.Play(cut, 100000);
    const Present* message = nullptr;
    for (const Present& present : run.sink.presents) {
        if (present.message >= 0) {
            message = &present;
            break;
        }
    }
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(run.result.end, RunEnd::Rows);
}

}  // namespace
}  // namespace plk
