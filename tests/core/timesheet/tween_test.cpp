#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "core/timesheet/cell_edit.h"
#include "core/timesheet/tween.h"

namespace plk {
namespace {

// A cut from a pattern of 'N' (normal) and 'C' (control) rows.
Cut CutFromPattern(std::string_view pattern) {
    std::vector<FrameRecord> frames;
    for (char c : pattern) {
        frames.push_back(c == 'N' ? NewNormalFrame() : NewControlFrame(ControlBlock{}));
    }
    return Cut(std::move(frames), 6);
}

double PropertyOf(const CellRecord& cell, TweenProperty property) {
    switch (property) {
        case TweenProperty::X:
            return cell.x;
        case TweenProperty::Y:
            return cell.y;
        case TweenProperty::ScaleX:
            return cell.scaleX;
        case TweenProperty::ScaleY:
            return cell.scaleY;
        case TweenProperty::Rotation:
            return cell.rotation;
        case TweenProperty::Alpha:
            return cell.alpha;
    }
    return 0;
}

struct TweenCase {
    const char* name;
    const char* pattern;  // every row of the cut is in the rectangle
    TweenProperty property;
    int start;
    int end;
    int unit;
    ControlPoint control;
    // The property of slot 1 on each normal frame, in row order. Float properties are
    // compared as the single-precision values the cell holds.
    std::vector<double> expected;
};

class TweenTableTest : public testing::TestWithParam<TweenCase> {};

TEST_P(TweenTableTest, WritesTheCurveValuesBitForBit) {
    const TweenCase& c = GetParam();
    Cut cut = CutFromPattern(c.pattern);
    const Cut before = cut;
    const CellRange range{0, cut.FrameCount() - 1, 1, 2};
    TweenCells(cut, range, c.property, {c.start, c.end, c.unit, c.control, false});

    std::vector<double> values;
    for (int row = 0; row < cut.FrameCount(); ++row) {
        const FrameRecord& frame = cut.Frame(row);
        if (!frame.IsNormal()) {
            EXPECT_EQ(std::memcmp(&frame, &before.Frame(row), sizeof(FrameRecord)), 0)
                << "control frame " << row << " was written";
            continue;
        }
        values.push_back(PropertyOf(frame.cells[1], c.property));
        // Both columns of the rectangle get the value; the columns beside it do not.
        EXPECT_EQ(std::memcmp(&frame.cells[1], &frame.cells[2], sizeof(CellRecord)), 0);
        EXPECT_EQ(std::memcmp(&frame.cells[3], &before.Frame(row).cells[3], sizeof(CellRecord)), 0);
    }
    if (c.property == TweenProperty::X || c.property == TweenProperty::Y) {
        std::vector<double> expected;
        for (double value : c.expected) {
            expected.push_back(static_cast<float>(value));
        }
        EXPECT_EQ(values, expected);
    } else {
        EXPECT_EQ(values, c.expected);
    }
}

const ControlPoint kLine{50, 50};

INSTANTIATE_TEST_SUITE_P(
    Cases, TweenTableTest,
    testing::Values(
        // 0.01 is slightly below a hundredth: truncated integers fall one below.
        TweenCase{"ScaleTenFrames",
                  "NNNNNNNNNN",
                  TweenProperty::ScaleX,
                  0,
                  90,
                  1,
                  kLine,
                  {0, 10, 19, 29, 39, 50, 59, 70, 79, 90}},
        TweenCase{"XTenFrames",
                  "NNNNNNNNNN",
                  TweenProperty::X,
                  0,
                  90,
                  1,
                  kLine,
                  {0, 10.000003, 19.999998, 29.999994, 39.999996, 50, 59.999996, 70, 79.99999, 90}},
        TweenCase{"YTenFrames",
                  "NNNNNNNNNN",
                  TweenProperty::Y,
                  0,
                  90,
                  1,
                  kLine,
                  {0, 10.000003, 19.999998, 29.999994, 39.999996, 50, 59.999996, 70, 79.99999, 90}},
        TweenCase{"UnitThree",
                  "NNNNNNNNNN",
                  TweenProperty::ScaleX,
                  0,
                  90,
                  3,
                  kLine,
                  {0, 0, 0, 29, 29, 29, 59, 59, 59, 90}},
        // The last frame does not start a group: it never gets the end value.
        TweenCase{"UnitThreeLastInGroup",
                  "NNNNNNNN",
                  TweenProperty::ScaleY,
                  0,
                  70,
                  3,
                  kLine,
                  {0, 0, 0, 30, 30, 30, 60, 60}},
        TweenCase{
            "Downwards", "NNNNN", TweenProperty::ScaleX, 100, 0, 1, kLine, {100, 75, 50, 25, 0}},
        TweenCase{"ControlFramesSkipped",
                  "NCNNNCCNNNNNNC",
                  TweenProperty::ScaleY,
                  0,
                  90,
                  1,
                  kLine,
                  {0, 10, 19, 29, 39, 50, 59, 70, 79, 90}},
        TweenCase{"ControlFramesInGroups",
                  "NCNNNCN",
                  TweenProperty::Alpha,
                  0,
                  90,
                  2,
                  kLine,
                  {0, 0, 45, 45, 90}},
        TweenCase{
            "RotationWrapsOnce", "NNN", TweenProperty::Rotation, 0, 720, 1, kLine, {0, 0, 360}},
        TweenCase{
            "RotationBelowZero", "NNN", TweenProperty::Rotation, 0, -400, 1, kLine, {0, 160, -40}},
        TweenCase{"AlphaCappedAbove", "NNN", TweenProperty::Alpha, 0, 150, 1, kLine, {0, 75, 100}},
        TweenCase{
            "AlphaNotCappedBelow", "NNN", TweenProperty::Alpha, 0, -100, 1, kLine, {0, -50, -100}},
        TweenCase{"OneFrameGetsStart", "CNC", TweenProperty::ScaleX, 30, 80, 1, kLine, {30}},
        TweenCase{"OneFrameX", "N", TweenProperty::X, -7, 80, 4, kLine, {-7}},
        TweenCase{"NoNormalFrame", "CC", TweenProperty::ScaleX, 30, 80, 1, kLine, {}},
        // A point above the line bends the curve out of the box: the values stay at end.
        TweenCase{"CurveLeavesBox",
                  "NNNNN",
                  TweenProperty::ScaleX,
                  0,
                  100,
                  1,
                  ControlPoint{50, 0},
                  {0, 62, 100, 100, 100}},
        TweenCase{"CurveBelowLine",
                  "NNNNN",
                  TweenProperty::ScaleX,
                  0,
                  100,
                  1,
                  ControlPoint{50, 100},
                  {0, 0, 0, 37, 100}},
        TweenCase{"ExtremeValues",
                  "NNN",
                  TweenProperty::ScaleX,
                  -2000000000,
                  2000000000,
                  1,
                  kLine,
                  {-2000000000, 0, 2000000000}}),
    [](const testing::TestParamInfo<TweenCase>& info) { return std::string(info.param.name); });

TEST(TweenTest, AspectLockSetsBothScales) {
    Cut cut = CutFromPattern("NNN");
    TweenCells(cut, {0, 2, 1, 1}, TweenProperty::ScaleY, {0, 40, 1, kLine, true});
    EXPECT_EQ(cut.Frame(1).cells[1].scaleX, 20);
    EXPECT_EQ(cut.Frame(1).cells[1].scaleY, 20);

    TweenCells(cut, {0, 2, 1, 1}, TweenProperty::ScaleX, {0, 80, 1, kLine, false});
    EXPECT_EQ(cut.Frame(2).cells[1].scaleX, 80);
    EXPECT_EQ(cut.Frame(2).cells[1].scaleY, 40);
}

TEST(TweenTest, OnlyRowsOfTheRectangleCount) {
    Cut cut = CutFromPattern("NNNNNN");
    TweenCells(cut, {2, 4, 3, 3}, TweenProperty::Rotation, {10, 30, 1, kLine, false});
    EXPECT_EQ(cut.Frame(1).cells[3].rotation, 0);
    EXPECT_EQ(cut.Frame(2).cells[3].rotation, 10);
    EXPECT_EQ(cut.Frame(4).cells[3].rotation, 30);
    EXPECT_EQ(cut.Frame(5).cells[3].rotation, 0);
    EXPECT_EQ(cut.Frame(3).cells[2].rotation, 0);
}

TEST(TweenTest, ARectangleReachingTheLargestRowStopsAtTheEndOfTheCut) {
    const Cut cut = CutFromPattern("NCN");
    const CellRange range{1, std::numeric_limits<int>::max(), 2, 2};
    const auto tween = TweenChanges(cut, range, TweenProperty::Alpha, {0, 50, 1, kLine, false});
    ASSERT_EQ(tween.size(), 1u);
    EXPECT_EQ(tween[0].row, 2);
    const auto typed = RectangleChanges(cut, range, [](CellRecord& cell) { cell.alpha = 7; });
    ASSERT_EQ(typed.size(), 2u);
    EXPECT_EQ(typed[1].row, 2);
    EXPECT_EQ(range.RowCount(), std::numeric_limits<int>::max());
}

TEST(TweenCurveTest, DefaultPointIsTheDiagonal) {
    for (float x : {0.0f, 1.0f, 33.333332f, 50.0f, 99.0f, 100.0f}) {
        EXPECT_EQ(TweenCurveY(x, kLine), static_cast<float>(100.0 - x)) << x;
    }
}

TEST(TweenCurveTest, ClampsToTheBoxAndKeepsEdgePointsDefined) {
    EXPECT_EQ(TweenCurveY(75, {50, 0}), 0.0f);      // would be -12.5
    EXPECT_EQ(TweenCurveY(25, {50, 100}), 100.0f);  // would be 112.5
    for (float x : {0.0f, 10.0f, 50.0f, 100.0f}) {
        EXPECT_EQ(TweenCurveY(x, {0, 20}), TweenCurveY(x, {1, 20}));
        EXPECT_EQ(TweenCurveY(x, {100, 20}), TweenCurveY(x, {99, 20}));
        EXPECT_FALSE(std::isnan(TweenCurveY(x, {0, 20})));
    }
    EXPECT_EQ(ClampControlPoint({-5, 120}).x, 1);
    EXPECT_EQ(ClampControlPoint({-5, 120}).y, 120);
}

}  // namespace
}  // namespace plk
