#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "core/content/cut_references.h"

namespace plk {
namespace {

struct ShiftCase {
    CutListChange change;
    std::int32_t position;
    std::int32_t newCount;
    CutReferences before;
    CutReferences after;
};

class CutShiftTest : public testing::TestWithParam<ShiftCase> {};

TEST_P(CutShiftTest, ShiftsStoredPositions) {
    CutReferences cuts = GetParam().before;
    ShiftCutReferences(cuts, GetParam().change, GetParam().position, GetParam().newCount);
    EXPECT_EQ(cuts, GetParam().after);
}

constexpr auto kIns = CutListChange::Inserted;
constexpr auto kDel = CutListChange::Deleted;
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Changes, CutShiftTest,
    testing::Values(ShiftCase{kIns, 2, 5, {0, 2, 3}, {0, 2, 4}},  // only past the position
                    ShiftCase{kDel, 2, 3, {0, 2, 3}, {0, 1, 2}},  // the deleted cut's refs go back
                    ShiftCase{kDel, 0, 3, {0, 2, 3}, {0, 1, 2}},  // 0 stays 0
                    ShiftCase{kIns, 1, 4, {2}, {3}},              // profile cut 2, insert at 1
                    ShiftCase{kDel, 2, 2, {2}, {1}},              // profile cut 2, delete at 2
                    ShiftCase{kIns, -1, 3, {0, 1}, {1, 2}},       // a new first cut
                    ShiftCase{kIns, 2, 4, {0, 1, 2}, {0, 1, 2}},  // appended after the last cut
                    ShiftCase{kDel, 3, 3, {3, 4, 2}, {2, 4, 2}},  // deleting the last of four
                    // Numbers that name no cut of the list are kept, however large.
                    ShiftCase{kDel, 1, 3, {-5, 99, kMax, kMin}, {-5, 99, kMax, kMin}},
                    ShiftCase{kIns, 0, 4, {-1, 3, 99, kMax, kMin}, {-1, 3, 99, kMax, kMin}},
                    ShiftCase{kIns, kMin, kMin, {0, kMax}, {0, kMax}}));

TEST(CutReferencesTest, MessageTableListsFiveCutsPerSituationInOrder) {
    auto table = std::make_unique<MessageTable>();
    ResetMessages(*table);
    table->situations[0].windowCut = 1;
    table->situations[0].lineCut[3] = 2;
    table->situations[40].lineCut[0] = 3;
    CutReferences cuts = CutReferencesOf(*table);
    ASSERT_EQ(cuts.size(), 41u * 5);
    EXPECT_EQ(cuts[0], 1);
    EXPECT_EQ(cuts[4], 2);
    EXPECT_EQ(cuts[40 * 5 + 1], 3);

    ShiftCutReferences(cuts, kIns, 0, 6);
    SetCutReferences(*table, cuts);
    EXPECT_EQ(table->situations[0].windowCut, 2);
    EXPECT_EQ(table->situations[0].lineCut[0], 0);
    EXPECT_EQ(table->situations[0].lineCut[3], 3);
    EXPECT_EQ(table->situations[40].lineCut[0], 4);
}

TEST(CutReferencesTest, ProfileListsItsThreeCuts) {
    ProfileRecord record = ResetProfile().profile;
    record.profileCut = 2;
    record.menuIconCut = 0;
    record.messageWindowCut = 5;
    CutReferences cuts = CutReferencesOf(record);
    EXPECT_EQ(cuts, (CutReferences{2, 0, 5}));
    ShiftCutReferences(cuts, kDel, 0, 5);
    SetCutReferences(record, cuts);
    EXPECT_EQ(record.profileCut, 1);
    EXPECT_EQ(record.menuIconCut, 0);
    EXPECT_EQ(record.messageWindowCut, 4);
}

}  // namespace
}  // namespace plk
