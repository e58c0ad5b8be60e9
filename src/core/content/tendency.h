#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/records.h"

namespace plk {

// How the character plays: indices into the two yaku tables and 0..4 sliders.
struct TendencyRecord {
    std::int32_t specialYaku1;  // index into SpecialYakuTable
    std::int32_t specialYaku2;
    std::int32_t specialYaku3;
    std::int32_t strength;           // 0 weak .. 4 strong
    std::int32_t styleTanyaoChanta;  // 0 tanyao .. 4 chanta
    std::int32_t stylePinfuToitoi;   // 0 pinfu .. 4 toitoi
    std::int32_t styleLowHigh;       // 0 low .. 4 high
    std::int32_t favourite1;         // index into FavouriteYakuTable
    std::int32_t weight1;            // 0 = never aimed for
    std::int32_t favourite2;
    std::int32_t weight2;
    std::int32_t favourite3;
    std::int32_t weight3;
    std::int32_t favourite4;
    std::int32_t weight4;
    std::int32_t favourite5;
    std::int32_t weight5;
    std::uint8_t reserved[32];
};
static_assert(IsPlainRecord<TendencyRecord> && sizeof(TendencyRecord) == 100);
static_assert(offsetof(TendencyRecord, favourite1) == 28 &&
              offsetof(TendencyRecord, weight5) == 64 && offsetof(TendencyRecord, reserved) == 68);

TendencyRecord DefaultTendency();
// What an older project yields: the defaults with its three special yaku.
TendencyRecord LegacyTendency(std::int32_t special1, std::int32_t special2, std::int32_t special3);

inline constexpr int kSpecialYakuCount = 113;
inline constexpr int kFavouriteYakuCount = 44;
inline constexpr std::size_t kYakuNameSize = 34;
using YakuName = std::array<char, kYakuNameSize>;  // zero-terminated Shift-JIS

// "単鶏金糸(1翻)" .. "十三龍門(トリプル役満)": names with their value.
const std::array<YakuName, kSpecialYakuCount>& SpecialYakuTable();
// "なし" .. "特殊役３".
const std::array<YakuName, kFavouriteYakuCount>& FavouriteYakuTable();

std::string_view YakuText(const YakuName& name);

}  // namespace plk
