#include <string>

#include "core/check/check_rules.h"
#include "core/content/tendency.h"

namespace plk {

void CheckProfileNames(const CheckContext& context, Findings& out) {
    const ProfileNameCheck check = CheckProfileNames(context.project.profile.profile);
    if (check.characterNameFails) {
        Report(out, Severity::Warning, "profile.character-name", Place::Profile("characterName"),
               "キャラクター名に使えない文字があります。全角のかな・漢字・記号・英数字だけで"
               "書き直してください。",
               "The character name holds characters it may not; use only full-width kana, kanji, "
               "symbols, digits and letters.");
    }
    if (check.romanNameFails) {
        Report(out, Severity::Warning, "profile.roman-name", Place::Profile("romanName"),
               "ローマ字名に使えない文字があります。英数字だけで書き直してください。",
               "The roman name holds characters it may not; use only letters and digits.");
    }
}

void CheckTendencyValues(const CheckContext& context, Findings& out) {
    const TendencyRecord& t = context.project.profile.tendency;
    struct Field {
        const char* name;
        std::int32_t value;
        std::int32_t last;
    };
    const Field fields[] = {
        {"specialYaku1", t.specialYaku1, kSpecialYakuCount - 1},
        {"specialYaku2", t.specialYaku2, kSpecialYakuCount - 1},
        {"specialYaku3", t.specialYaku3, kSpecialYakuCount - 1},
        {"strength", t.strength, 4},
        {"styleTanyaoChanta", t.styleTanyaoChanta, 4},
        {"stylePinfuToitoi", t.stylePinfuToitoi, 4},
        {"styleLowHigh", t.styleLowHigh, 4},
        {"favourite1", t.favourite1, kFavouriteYakuCount - 1},
        {"weight1", t.weight1, 4},
        {"favourite2", t.favourite2, kFavouriteYakuCount - 1},
        {"weight2", t.weight2, 4},
        {"favourite3", t.favourite3, kFavouriteYakuCount - 1},
        {"weight3", t.weight3, 4},
        {"favourite4", t.favourite4, kFavouriteYakuCount - 1},
        {"weight4", t.weight4, 4},
        {"favourite5", t.favourite5, kFavouriteYakuCount - 1},
        {"weight5", t.weight5, 4},
    };
    for (const Field& field : fields) {
        if (field.value >= 0 && field.value <= field.last) {
            continue;
        }
        const std::string value = std::to_string(field.value);
        const std::string range = "0.." + std::to_string(field.last);
        Report(out, Severity::Error, "tendency.out-of-range", Place::Tendency(field.name),
               std::string("AI 傾向の ") + field.name + " の値 " + value + " が範囲 " + range +
                   " の外です。設定し直してください。",
               std::string("Tendency ") + field.name + " is " + value + ", outside " + range +
                   ". Set it again.");
    }
}

}  // namespace plk
