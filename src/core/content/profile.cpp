#include "core/content/profile.h"

#include "core/text/name_validation.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

template <std::size_t N>
void Reterminate(char (&field)[N]) {
    SetFieldText(field, std::string(FieldText(field)));
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
    block.tendency =
        LegacyTendency(legacy.specialYaku[0], legacy.specialYaku[1], legacy.specialYaku[2]);
    return block;
}

ProfileNameCheck CheckProfileNames(const ProfileRecord& record) {
    return {!IsValidCharacterName(FieldText(record.characterName)),
            !IsValidRomanName(FieldText(record.romanName))};
}

std::string ProfileFieldText(std::string_view sjis) {
    std::string_view line = sjis.substr(0, sjis.find_first_of("\r\n"));
    return std::string(line.substr(0, SjisPrefixLength(line, kProfileTextMax)));
}

}  // namespace plk
