#include "editor/content/situation_names.h"

#include <QCoreApplication>
#include <iterator>

#include "core/content/message_table.h"

namespace plk {
namespace {

// lupdate reads the labels from here; the core holds the same ones in Shift-JIS.
constexpr const char* kNames[] = {
    QT_TRANSLATE_NOOP("SituationNames", "Ａ：テンパイ"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｂ：ノーテン"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｃ：ポン"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｄ：チー"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｅ：カン"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｆ：リーチ"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｇ：ツモ"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｈ：ロン"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｉ：トップ"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｊ：最下位"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｋ：流し満貫"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｌ：マネ満"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｍ：被直撃時"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｎ：他家アガリ安"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｏ：他家アガリ中"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｐ：他家アガリ高"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｑ：他家チョンボ"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｒ：特殊役１"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｓ：特殊役２"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｔ：特殊役３"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｕ：ランダム負"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｖ：ランダム中"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｗ：ランダム勝"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｘ：ランダム他"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｙ：開始時"),
    QT_TRANSLATE_NOOP("SituationNames", "Ｚ：序盤"),
    QT_TRANSLATE_NOOP("SituationNames", "ａ：終盤"),
    QT_TRANSLATE_NOOP("SituationNames", "ｂ：オーラス時"),
    QT_TRANSLATE_NOOP("SituationNames", "ｃ：指名"),
    QT_TRANSLATE_NOOP("SituationNames", "ｄ：被指名"),
    QT_TRANSLATE_NOOP("SituationNames", "ｅ：自家アガリ安"),
    QT_TRANSLATE_NOOP("SituationNames", "ｆ：自家アガリ中"),
    QT_TRANSLATE_NOOP("SituationNames", "ｇ：自家アガリ高"),
    QT_TRANSLATE_NOOP("SituationNames", "ｈ：自家チョンボ"),
    QT_TRANSLATE_NOOP("SituationNames", "ｉ：捨牌・危険"),
    QT_TRANSLATE_NOOP("SituationNames", "ｊ：捨牌・安全"),
    QT_TRANSLATE_NOOP("SituationNames", "ｋ：ＥＸＩＴ"),
    QT_TRANSLATE_NOOP("SituationNames", "ｌ：ヤキトリ脱出"),
    QT_TRANSLATE_NOOP("SituationNames", "ｍ：ヤキブタ脱出"),
    QT_TRANSLATE_NOOP("SituationNames", "ｎ：割れ目時"),
    QT_TRANSLATE_NOOP("SituationNames", "ｚ：メンバー選択時"),
};
static_assert(std::size(kNames) == kSituationCount);

}  // namespace

const char* SituationSourceName(int situation) {
    if (situation < 0 || situation >= kSituationCount) {
        return "";
    }
    return kNames[situation];
}

QString SituationName(int situation) {
    const char* name = SituationSourceName(situation);
    return *name == '\0' ? QString() : QCoreApplication::translate("SituationNames", name);
}

}  // namespace plk
