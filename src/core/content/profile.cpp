#include "core/content/profile.h"

#include "core/text/name_validation.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

template <std::size_t N>
void Reterminate(char (&field)[N]) {
    SetFieldText(field, std::string(FieldText(field)));
}

// What the page's two name checks do to a shown record.
void ValidateNames(ProfileRecord& record) {
    if (!IsValidCharacterName(FieldText(record.characterName))) {
        SetFieldText(record.characterName, {});
    }
    if (!IsValidRomanName(FieldText(record.romanName))) {
        SetFieldText(record.romanName, {});
    }
}

}  // namespace

ProfileBlock ResetProfile() {
    ProfileBlock block{};
    SetFieldText(block.profile.age, "Age:");
    SetFieldText(block.profile.nationality, "Nation:");
    block.tendency = DefaultTendency();
    return block;
}

ProfileBlock LoadProfile(const ProfileBlock& stored) {
    ProfileBlock block = stored;
    ProfileRecord& p = block.profile;
    for (auto* field : {&p.characterName, &p.romanName, &p.nickname, &p.age, &p.nationality,
                        &p.heightWeight, &p.threeSizes, &p.freeWord1, &p.freeWord2, &p.freeWord3}) {
        Reterminate(*field);
    }
    ValidateNames(p);
    return block;
}

ProfileBlock ImportLegacyProfile(const LegacyProfileRecord& legacy) {
    ProfileBlock block = ResetProfile();
    ProfileRecord& p = block.profile;
    SetFieldText(p.characterName, std::string(FieldText(legacy.characterName)));
    SetFieldText(p.romanName, std::string(FieldText(legacy.romanName)));
    p.profileCut = legacy.profileCut;
    p.menuIconCut = legacy.menuIconCut;
    p.messageWindowCut = legacy.messageWindowCut;
    ValidateNames(p);
    block.tendency =
        LegacyTendency(legacy.specialYaku[0], legacy.specialYaku[1], legacy.specialYaku[2]);
    return block;
}

}  // namespace plk
