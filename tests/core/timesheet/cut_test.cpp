#include <gtest/gtest.h>

#include "core/timesheet/cut.h"

namespace plk {
namespace {

// Builds a cut from a pattern of 'N' (normal) and 'C' (control) rows.
Cut CutFromPattern(std::string_view pattern) {
    std::vector<FrameRecord> frames;
    for (char c : pattern) {
        frames.push_back(c == 'N' ? NewNormalFrame() : NewControlFrame(ControlBlock{}));
    }
    return Cut(std::move(frames), 6);
}

struct FrameNumberCase {
    const char* pattern;
    int n;
    int rowOfFrameNumber;
    int rowAfterFrameNumber;
};

class FrameNumberTest : public testing::TestWithParam<FrameNumberCase> {};

TEST_P(FrameNumberTest, FindsRowsByFrameNumber) {
    const FrameNumberCase& c = GetParam();
    Cut cut = CutFromPattern(c.pattern);
    EXPECT_EQ(cut.RowOfFrameNumber(c.n), c.rowOfFrameNumber);
    EXPECT_EQ(cut.RowAfterFrameNumber(c.n), c.rowAfterFrameNumber);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FrameNumberTest,
    testing::Values(FrameNumberCase{"", 1, 0, 0},      // empty cut
                    FrameNumberCase{"NNN", 0, 0, 0},   // n = 0
                    FrameNumberCase{"NNN", -2, 0, 0},  // negative n
                    FrameNumberCase{"NNN", 1, 0, 1}, FrameNumberCase{"NNN", 3, 2, 3},
                    FrameNumberCase{"NNN", 4, 3, 3},   // past the last: frame count
                    FrameNumberCase{"CNCN", 1, 1, 2},  // control frames are skipped
                    FrameNumberCase{"CNCN", 2, 3, 4},
                    FrameNumberCase{"NCCN", 1, 0, 1},   // stops right after frame 1
                    FrameNumberCase{"CCC", 1, 3, 3}));  // no frame numbers at all

TEST(CutTest, CountsNormalFramesInRanges) {
    Cut cut = CutFromPattern("NCNNC");
    EXPECT_EQ(cut.CountNormalFrames(0, 5), 3);
    EXPECT_EQ(cut.CountNormalFrames(1, 3), 1);
    EXPECT_EQ(cut.CountNormalFrames(3, 3), 0);
    EXPECT_EQ(cut.CountNormalFrames(4, 2), 0);
    EXPECT_EQ(cut.NormalFramesBefore(0), 0);
    EXPECT_EQ(cut.NormalFramesBefore(-1), 0);
    EXPECT_EQ(cut.NormalFramesBefore(3), 2);
    EXPECT_EQ(cut.NormalFramesBefore(5), 3);
}

TEST(CutTest, KindOtherThanOneIsNotANormalFrame) {
    Cut cut = CutFromPattern("NN");
    cut.Frame(0).kind = 7;
    EXPECT_EQ(cut.CountNormalFrames(0, 2), 1);
    EXPECT_EQ(cut.RowOfFrameNumber(1), 1);
}

TEST(CutTest, InsertAndEraseWorkOnRowIndices) {
    Cut cut = CutFromPattern("NN");
    cut.Insert(1, NewControlFrame(ControlBlock{}));
    cut.Insert(3, NewControlFrame(ControlBlock{}));
    cut.Append(NewNormalFrame());
    EXPECT_EQ(cut.FrameCount(), 5);
    EXPECT_FALSE(cut.Frame(1).IsNormal());
    EXPECT_FALSE(cut.Frame(3).IsNormal());
    cut.Erase(1);
    EXPECT_EQ(cut.FrameCount(), 4);
    EXPECT_TRUE(cut.Frame(1).IsNormal());
    EXPECT_EQ(cut.RowOfFrameNumber(3), 3);
}

TEST(CutTest, NewCutHasSixtyDefaultFramesAndFiveParts) {
    Cut cut = Cut::New();
    EXPECT_EQ(cut.FrameCount(), 60);
    EXPECT_EQ(cut.ColumnCount(), 6);
    const FrameRecord& frame = cut.Frame(0);
    EXPECT_TRUE(frame.IsNormal());
    for (int slot = 0; slot < kCellSlots; ++slot) {
        const CellRecord& cell = frame.cells[slot];
        int expectedScale = slot < kPartCopySlot ? 100 : 0;
        EXPECT_EQ(cell.resource, 0);
        EXPECT_EQ(cell.scaleX, expectedScale);
        EXPECT_EQ(cell.scaleY, expectedScale);
        EXPECT_EQ(cell.alpha, expectedScale);
    }
    EXPECT_EQ(frame.control.command, 0);
}

}  // namespace
}  // namespace plk
