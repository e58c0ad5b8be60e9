#include "core/content/cut_references.h"

#include <cassert>

namespace plk {

void ShiftCutReferences(CutReferences& cuts, CutListChange change, std::int32_t position,
                        std::int32_t newCount) {
    for (std::int32_t& cut : cuts) {
        cut = change == CutListChange::Inserted ? ShiftForInsertedCut(cut, position, newCount)
                                                : ShiftForDeletedCut(cut, position, newCount);
    }
}

CutReferences CutReferencesOf(const MessageTable& table) {
    CutReferences cuts;
    cuts.reserve(table.situations.size() * kCutsPerSituation);
    for (const SituationMessages& situation : table.situations) {
        cuts.push_back(situation.windowCut);
        cuts.insert(cuts.end(), std::begin(situation.lineCut), std::end(situation.lineCut));
    }
    return cuts;
}

void SetCutReferences(MessageTable& table, const CutReferences& cuts) {
    assert(cuts.size() == table.situations.size() * kCutsPerSituation);
    auto next = cuts.begin();
    for (SituationMessages& situation : table.situations) {
        situation.windowCut = *next++;
        for (std::int32_t& cut : situation.lineCut) {
            cut = *next++;
        }
    }
}

CutReferences CutReferencesOf(const ProfileRecord& record) {
    return {record.profileCut, record.menuIconCut, record.messageWindowCut};
}

void SetCutReferences(ProfileRecord& record, const CutReferences& cuts) {
    assert(cuts.size() == kProfileCuts);
    record.profileCut = cuts[0];
    record.menuIconCut = cuts[1];
    record.messageWindowCut = cuts[2];
}

}  // namespace plk
