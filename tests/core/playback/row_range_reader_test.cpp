#include <gtest/gtest.h>

#include "core/playback/recording_sink.h"
#include "core/playback/row_range_reader.h"

namespace plk {
namespace {

using testing_support::Control;
using testing_support::RecordingSink;

TEST(RowRangeReaderTest, PlaysOnlyTheSelectedRowsAndRepeatsThem) {
    // Rows: 0 n1, 1 n2, 2 wait, 3 n3, 4 n4, 5 n5; rows 1..3 are selected.
    const Cut cut({NewNormalFrame(), NewNormalFrame(), Control(ControlCommand::Wait),
                   NewNormalFrame(), NewNormalFrame(), NewNormalFrame()},
                  6);
    const CutView whole(cut);
    const RowRangeReader range(whole, 1, 3);
    EXPECT_EQ(range.RowCount(), 3);
    EXPECT_EQ(range.FrameNumberOffset(), 1);
    EXPECT_EQ(range.RowOfFrameNumber(1), 0);
    EXPECT_EQ(range.RowOfFrameNumber(2), 2);
    EXPECT_EQ(range.RowOfFrameNumber(3), 3);  // past the range: its end
    EXPECT_EQ(range.NormalFramesBefore(3), 2);

    ScriptedInput input;
    input.autoRepeat = true;
    RecordingSink sink(input);
    SimplePlayback playback(range, input, sink);
    RunSimpleVirtual(playback, input, 6 * 33);
    std::vector<int> shown;
    for (const auto& present : sink.presents) {
        shown.push_back(present.row + 1);  // the whole cut's row
    }
    // Frames 2 and 3 of the cut, the wait's period, and again.
    EXPECT_EQ(shown, (std::vector<int>{1, 3, 1, 3}));

    const RowRangeReader beyond(whole, 4, 99);
    EXPECT_EQ(beyond.RowCount(), 2);
    FrameRecord frame;
    EXPECT_FALSE(beyond.CopyRow(2, frame));
}

}  // namespace
}  // namespace plk
