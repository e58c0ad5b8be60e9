#include "core/content/message_table.h"

#include "core/text/sjis.h"

namespace plk {

const std::array<std::string, kSituationCount>& SituationLabels() {
    static const std::array<std::string, kSituationCount> labels = [] {
        constexpr const char* kUtf8[kSituationCount] = {
            "Ａ：テンパイ",       "Ｂ：ノーテン",     "Ｃ：ポン",         "Ｄ：チー",
            "Ｅ：カン",           "Ｆ：リーチ",       "Ｇ：ツモ",         "Ｈ：ロン",
            "Ｉ：トップ",         "Ｊ：最下位",       "Ｋ：流し満貫",     "Ｌ：マネ満",
            "Ｍ：被直撃時",       "Ｎ：他家アガリ安", "Ｏ：他家アガリ中", "Ｐ：他家アガリ高",
            "Ｑ：他家チョンボ",   "Ｒ：特殊役１",     "Ｓ：特殊役２",     "Ｔ：特殊役３",
            "Ｕ：ランダム負",     "Ｖ：ランダム中",   "Ｗ：ランダム勝",   "Ｘ：ランダム他",
            "Ｙ：開始時",         "Ｚ：序盤",         "ａ：終盤",         "ｂ：オーラス時",
            "ｃ：指名",           "ｄ：被指名",       "ｅ：自家アガリ安", "ｆ：自家アガリ中",
            "ｇ：自家アガリ高",   "ｈ：自家チョンボ", "ｉ：捨牌・危険",   "ｊ：捨牌・安全",
            "ｋ：ＥＸＩＴ",       "ｌ：ヤキトリ脱出", "ｍ：ヤキブタ脱出", "ｎ：割れ目時",
            "ｚ：メンバー選択時",
        };
        std::array<std::string, kSituationCount> sjis;
        for (int i = 0; i < kSituationCount; ++i) {
            sjis[static_cast<std::size_t>(i)] = ToSjis(kUtf8[i]);
        }
        return sjis;
    }();
    return labels;
}

bool HasLineText(const SituationMessages& situation) {
    for (const MessageLine& line : situation.line) {
        if (!FieldText(line.text).empty()) {
            return true;
        }
    }
    return false;
}

void ResetMessages(MessageTable& table, MessageDefaults variant) {
    // Each label starts with a full-width letter and a full-width colon: 4 bytes.
    constexpr std::size_t kLetterPrefix = 4;
    constexpr int kLastLabelledOnFirstCreation = 16;
    table = {};
    const auto& labels = SituationLabels();
    for (int i = 0; i < kSituationCount; ++i) {
        SituationMessages& situation = table.situations[static_cast<std::size_t>(i)];
        for (MessageLine& line : situation.line) {
            line.frequency = 2;
        }
        std::string_view label = labels[static_cast<std::size_t>(i)];
        if (variant == MessageDefaults::NewProject) {
            SetFieldText(situation.line[0].text, label);
        } else if (i <= kLastLabelledOnFirstCreation) {
            SetFieldText(situation.line[0].text, label.substr(kLetterPrefix));
        }
    }
}

void ImportMessages(MessageTable& table, std::span<const SituationMessages> block) {
    std::size_t count = std::min(block.size(), table.situations.size());
    for (std::size_t i = 0; i < count; ++i) {
        const SituationMessages& from = block[i];
        SituationMessages& to = table.situations[i];
        to.windowCut = from.windowCut;
        for (int k = 0; k < 4; ++k) {
            to.lineCut[k] = from.lineCut[k];
            SetFieldText(to.line[k].text, FieldText(from.line[k].text));
            to.line[k].frequency = from.line[k].frequency;
        }
    }
}

}  // namespace plk
