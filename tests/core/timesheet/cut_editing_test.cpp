#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "core/timesheet/cell_edit.h"
#include "core/timesheet/cut_editing.h"
#include "core/timesheet/tween.h"

namespace plk {
namespace {

// A cut of `pattern` rows ('N' normal, 'C' control) whose normal frames carry resource
// 100 * row + slot in every slot, so moved cells can be recognised.
Cut MarkedCut(std::string_view pattern, int parts = 5) {
    std::vector<FrameRecord> frames;
    for (char kind : pattern) {
        FrameRecord frame = kind == 'N' ? NewNormalFrame() : NewControlFrame(ControlBlock{});
        if (kind == 'N') {
            for (int slot = 0; slot < kCellSlots; ++slot) {
                frame.cells[slot].resource = 100 * static_cast<int>(frames.size()) + slot;
            }
        }
        frames.push_back(frame);
    }
    return Cut(std::move(frames), parts + 1);
}

std::vector<int> Resources(const Cut& cut, int row) {
    std::vector<int> resources;
    for (const CellRecord& cell : cut.Frame(row).cells) {
        resources.push_back(cell.resource);
    }
    return resources;
}

TEST(CutEditingTest, DeletingPartBMovesTheLaterPartsAndRenewsSlot26) {
    Cut cut = MarkedCut("NCN");
    cut.Frame(0).cells[3].scaleX = 250;
    cut.Frame(0).cells[3].alpha = 40;
    const FrameRecord control = cut.Frame(1);
    DeletePart(cut, 2);

    EXPECT_EQ(cut.PartCount(), 4);
    const std::vector<int> row0 = Resources(cut, 0);
    EXPECT_EQ(row0[1], 1);
    EXPECT_EQ(row0[2], 3);  // C is now B, with its scale and alpha
    EXPECT_EQ(cut.Frame(0).cells[2].scaleX, 250);
    EXPECT_EQ(cut.Frame(0).cells[2].alpha, 40);
    EXPECT_EQ(row0[25], 26);
    EXPECT_EQ(row0[27], 27);  // the copy buffer stays
    const CellRecord renewed = cut.Frame(2).cells[26];
    EXPECT_EQ(renewed.resource, 0);
    EXPECT_EQ(renewed.scaleX, 100);
    EXPECT_EQ(renewed.alpha, 100);
    EXPECT_EQ(std::memcmp(&cut.Frame(1), &control, sizeof control), 0);  // control untouched
}

TEST(CutEditingTest, InsertingAPartShiftsRightAndDropsSlot26) {
    struct Case {
        int slot;
        std::vector<int> expectedSlots0To3;
    };
    for (const Case& c : {Case{1, {0, 0, 1, 2}}, Case{0, {0, 0, 1, 2}}, Case{3, {0, 1, 2, 0}}}) {
        Cut cut = MarkedCut("N");
        InsertPart(cut, c.slot);
        std::vector<int> resources = Resources(cut, 0);
        EXPECT_EQ(std::vector<int>(resources.begin(), resources.begin() + 4), c.expectedSlots0To3)
            << c.slot;
        EXPECT_EQ(cut.Frame(0).cells[c.slot].scaleX, 100) << c.slot;  // a new cell
        EXPECT_EQ(resources[26], 25) << c.slot;                       // old 26 is gone
        EXPECT_EQ(cut.PartCount(), 6);
    }
    Cut last = MarkedCut("N");
    InsertPart(last, 26);  // only slot 26 is renewed
    EXPECT_EQ(Resources(last, 0)[25], 25);
    EXPECT_EQ(Resources(last, 0)[26], 0);
}

TEST(CutEditingTest, PartCopyBufferSurvivesInsertionAndNewFramesPasteZeroCells) {
    Cut cut = MarkedCut("NN");
    CopyPart(cut, 2);
    InsertPart(cut, 2);
    cut.Insert(1, NewNormalFrame());  // made after the copy: its slot 27 is zero
    PastePart(cut, 4);
    EXPECT_EQ(cut.Frame(0).cells[4].resource, 2);
    EXPECT_EQ(cut.Frame(2).cells[4].resource, 102);
    const CellRecord zero = cut.Frame(1).cells[4];
    EXPECT_EQ(zero.resource, 0);
    EXPECT_EQ(zero.scaleX, 0);
    EXPECT_EQ(zero.alpha, 0);
}

TEST(CutEditingTest, PartLimitsAndColumnsOfNormalFrames) {
    EXPECT_FALSE(CanDeletePart(MarkedCut("N", 4)));
    EXPECT_TRUE(CanDeletePart(MarkedCut("N", 5)));
    EXPECT_TRUE(CanInsertPart(MarkedCut("N", 25)));
    EXPECT_FALSE(CanInsertPart(MarkedCut("N", 26)));

    Cut cut = MarkedCut("NCN");
    const std::vector<CellRecord> column = NormalFrameCells(cut, 3);
    ASSERT_EQ(column.size(), 2u);
    EXPECT_EQ(column[1].resource, 203);
    std::vector<CellRecord> swapped{column[1], column[0]};
    SetNormalFrameCells(cut, 3, swapped);
    EXPECT_EQ(cut.Frame(0).cells[3].resource, 203);
    EXPECT_EQ(cut.Frame(1).cells[3].resource, 0);  // control frames keep their cells
}

TEST(CutEditingTest, FrameRangesStopAtTheEndOfTheCut) {
    struct Case {
        int rows, row, asked, deleted;
    };
    // Deleting never removes the last row of the sheet.
    for (const Case& c : {Case{10, 2, 3, 3}, Case{10, 2, 8, 7}, Case{10, 2, 2048, 7},
                          Case{10, 9, 1, 0}, Case{2, 0, 1, 1}, Case{1, 0, 1, 0},
                          // rows the sheet does not have delete nothing
                          Case{10, -2, 3, 0}, Case{10, INT_MIN, 5, 0}, Case{10, 12, 1, 0}}) {
        Cut cut(std::vector<FrameRecord>(static_cast<std::size_t>(c.rows), NewNormalFrame()), 6);
        EXPECT_EQ(ClampedDeleteCount(cut, c.row, c.asked), c.deleted)
            << c.rows << " " << c.row << " " << c.asked;
    }
    // A row outside the cut deletes nothing (a row of -1 with a count used to reach
    // before the first record), and the cut itself refuses such ranges.
    Cut ten(std::vector<FrameRecord>(10, NewNormalFrame()), 6);
    EXPECT_EQ(ClampedDeleteCount(ten, -1, 3), 0);
    EXPECT_EQ(ClampedDeleteCount(ten, 10, 1), 0);
    for (auto [row, count] : {std::pair{-1, 3}, {-1, 0}, {8, 3}, {11, 0}, {2, -1}}) {
        EXPECT_FALSE(ten.EraseFrames(row, count)) << row << " " << count;
    }
    EXPECT_FALSE(ten.InsertFrames(-1, std::vector<FrameRecord>(2, NewNormalFrame())));
    EXPECT_FALSE(ten.Erase(10));
    EXPECT_EQ(ten.FrameCount(), 10);
    EXPECT_TRUE(ten.EraseFrames(8, 2));
    EXPECT_EQ(ten.FrameCount(), 8);

    Cut cut = MarkedCut("NNCNN");
    EXPECT_EQ(PaintedRowCount(cut, 1, 3), 3);
    EXPECT_EQ(PaintedRowCount(cut, 3, 3), 2);
    EXPECT_EQ(PaintedRowCount(cut, 5, 1), 0);
    EXPECT_EQ(CopyFrames(cut, 3, 9).size(), 2u);
    EXPECT_EQ(CopyFrames(cut, 4, 3).size(), 0u);
    EXPECT_EQ(CopyFrames(cut, 1, 2)[0].cells[1].resource, 101);
}

TEST(CutEditingTest, FrameNumbersStandForTheirRowsParts) {
    const Cut cut = MarkedCut("NNN", 5);
    struct Case {
        CellRange spanned, expected;
    };
    for (const Case& c : {
             Case{{0, 2, 0, 0}, {0, 2, 1, 5}},  // click and Shift-click on frame numbers
             Case{{1, 1, 0, 0}, {1, 1, 1, 5}},  // one frame number
             Case{{0, 2, 0, 3}, {0, 2, 1, 3}},  // starts on frame numbers: from part A
             Case{{0, 1, 2, 4}, {0, 1, 2, 4}},  // parts only: as spanned
             Case{{0, 1, 3, 9}, {0, 1, 3, 5}},  // past the last part
             Case{{}, {}},
         }) {
        EXPECT_EQ(PartRectangle(cut, c.spanned), c.expected)
            << c.spanned.firstRow << ".." << c.spanned.lastRow << " x " << c.spanned.firstColumn
            << ".." << c.spanned.lastColumn;
    }
}

TEST(CutEditingTest, GridEditsNeverWriteSlotZeroOrTheCopySlot) {
    const Cut cut = MarkedCut("NCN", 26);
    const CellRange all{0, 2, 0, kCellSlots - 1};
    const auto typed = RectangleChanges(cut, all, [](CellRecord& cell) { cell.resource = 6; });
    TweenParameters params;
    params.start = 0;
    params.end = 90;
    const auto tweened = TweenChanges(cut, all, TweenProperty::Rotation, params);
    for (const auto* changes : {&typed, &tweened}) {
        ASSERT_FALSE(changes->empty());
        for (const CellWrite& write : *changes) {
            EXPECT_GE(write.slot, 1);
            EXPECT_LE(write.slot, kMaxParts);
        }
    }
}

TEST(CutEditingTest, ControlCommandLabels) {
    const char* expected[] = {"MESSAGE",     "CHAT",      "CHATCLEAR", "CHARGESTART", "CHARGEEND",
                              "CHARGESTACK", "SHOWSTART", "SHOWEND",   "REPEAT",      "WAIT"};
    for (int code = 1; code <= 10; ++code) {
        EXPECT_STREQ(ControlCommandLabel(code), expected[code - 1]);
    }
    EXPECT_STREQ(ControlCommandLabel(0), "CONTROL");
    EXPECT_STREQ(ControlCommandLabel(77), "CONTROL");
}

}  // namespace
}  // namespace plk
