#pragma once

#include <cstdint>
#include <vector>

#include "core/content/message_table.h"
#include "core/content/profile.h"

namespace plk {

// Outside the time sheets a cut is named by its 0-based position in the cut list, so every
// holder of such positions shifts them when the list changes.

// A number that names no cut of the list (a negative one, or one at or past the count
// before the change) is kept as stored: only positions inside the list follow a change.
constexpr bool NamesCutOfList(std::int32_t cut, std::int64_t count) {
    return cut >= 0 && cut < count;
}

// A cut was inserted so that it stands right after `position`, leaving `newCount` cuts:
// positions past it move up.
constexpr std::int32_t ShiftForInsertedCut(std::int32_t cut, std::int32_t position,
                                           std::int32_t newCount) {
    const std::int64_t countBefore = std::int64_t{newCount} - 1;
    return cut > position && NamesCutOfList(cut, countBefore) ? cut + 1 : cut;
}

// The cut at `position` was deleted, leaving `newCount` cuts: positions from it on move
// down, and a reference to the deleted cut 0 stays on the new cut 0.
constexpr std::int32_t ShiftForDeletedCut(std::int32_t cut, std::int32_t position,
                                          std::int32_t newCount) {
    const std::int64_t countBefore = std::int64_t{newCount} + 1;
    if (cut < position || !NamesCutOfList(cut, countBefore)) {
        return cut;
    }
    return cut == 0 ? 0 : cut - 1;
}

// Every cut position a holder stores, in a fixed order, so a change of the cut list can be
// applied and undone on one flat list.
using CutReferences = std::vector<std::int32_t>;

enum class CutListChange { Inserted, Deleted };

void ShiftCutReferences(CutReferences& cuts, CutListChange change, std::int32_t position,
                        std::int32_t newCount);

// Per situation: windowCut, then lineCut[0..3].
inline constexpr int kCutsPerSituation = 5;
CutReferences CutReferencesOf(const MessageTable& table);
void SetCutReferences(MessageTable& table, const CutReferences& cuts);

// profileCut, menuIconCut, messageWindowCut.
inline constexpr int kProfileCuts = 3;
CutReferences CutReferencesOf(const ProfileRecord& record);
void SetCutReferences(ProfileRecord& record, const CutReferences& cuts);

}  // namespace plk
