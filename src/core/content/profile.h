#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/content/tendency.h"
#include "core/records.h"

namespace plk {

// The character's card. Texts are zero-terminated Shift-JIS, at most 255 bytes each.
struct ProfileRecord {
    char characterName[256];
    char romanName[256];
    char nickname[256];
    char age[256];
    char nationality[256];
    char heightWeight[256];
    char threeSizes[256];
    char freeWord1[256];
    char freeWord2[256];
    char freeWord3[256];
    std::int32_t reserved;
    std::int32_t profileCut;  // cut indices, 0-based
    std::int32_t menuIconCut;
    std::int32_t messageWindowCut;
    std::uint8_t reserved2[32];
};
static_assert(IsPlainRecord<ProfileRecord> && sizeof(ProfileRecord) == 2608);
static_assert(offsetof(ProfileRecord, freeWord3) == 2304 &&
              offsetof(ProfileRecord, profileCut) == 2564 &&
              offsetof(ProfileRecord, messageWindowCut) == 2572);

// The profile block of the older project format.
struct LegacyProfileRecord {
    char characterName[256];
    char romanName[256];
    std::uint8_t unused[256];
    std::int32_t specialYaku[3];
    std::int32_t profileCut;
    std::int32_t menuIconCut;
    std::int32_t messageWindowCut;
    std::uint8_t unused2[32];
};
static_assert(IsPlainRecord<LegacyProfileRecord> && sizeof(LegacyProfileRecord) == 824);
static_assert(offsetof(LegacyProfileRecord, specialYaku) == 768 &&
              offsetof(LegacyProfileRecord, messageWindowCut) == 788);

// What the profile browser stores: its two pages' records back to back.
struct ProfileBlock {
    ProfileRecord profile;
    TendencyRecord tendency;
};
static_assert(IsPlainRecord<ProfileBlock> && sizeof(ProfileBlock) == 2708);
static_assert(offsetof(ProfileBlock, tendency) == 2608);

// Both pages at their defaults: texts empty but age "Age:" and nationality "Nation:",
// cuts 0, tendency defaults.
ProfileBlock ResetProfile();

// The block as the profile pages hold it once shown: every text field re-read as a
// zero-terminated string of at most 255 bytes. Names that fail their character check are
// kept as stored: only typing is checked, so opening and saving a project never loses them.
ProfileBlock LoadProfile(const ProfileBlock& stored);

// The block an older project yields: the two names and three cuts from the record, the
// other texts at their reset values, and the tendency defaults with its special yaku.
ProfileBlock ImportLegacyProfile(const LegacyProfileRecord& legacy);

// Which stored names fail their character check (the editor warns about them once).
struct ProfileNameCheck {
    bool characterNameFails = false;
    bool romanNameFails = false;
};
ProfileNameCheck CheckProfileNames(const ProfileRecord& record);

// What a text field keeps of an edit's text: its first line, at most 255 bytes, cut at a
// character boundary.
inline constexpr std::size_t kProfileTextMax = 255;
std::string ProfileFieldText(std::string_view sjis);

}  // namespace plk
