#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "core/content/message_table.h"
#include "core/content/profile.h"
#include "core/content/tendency.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

TEST(MessageDefaultsTest, FirstCreationAndNewProjectDifferInLineOne) {
    auto first = std::make_unique<MessageTable>();
    auto fresh = std::make_unique<MessageTable>();
    ResetMessages(*first, MessageDefaults::FirstCreation);
    ResetMessages(*fresh, MessageDefaults::NewProject);
    EXPECT_EQ(FieldText(first->situations[0].line[0].text), ToSjis("テンパイ"));
    EXPECT_EQ(FieldText(first->situations[16].line[0].text), ToSjis("他家チョンボ"));
    EXPECT_EQ(FieldText(first->situations[17].line[0].text), "");
    EXPECT_EQ(FieldText(fresh->situations[0].line[0].text), ToSjis("Ａ：テンパイ"));
    EXPECT_EQ(FieldText(fresh->situations[40].line[0].text), ToSjis("ｚ：メンバー選択時"));
    for (const auto* table : {first.get(), fresh.get()}) {
        for (const SituationMessages& s : table->situations) {
            EXPECT_EQ(s.windowCut, 0);
            for (const MessageLine& line : s.line) {
                EXPECT_EQ(line.frequency, 2);
            }
            EXPECT_EQ(FieldText(s.line[3].text), "");
        }
    }
}

TEST(MessageImportTest, CopiesTextsAsStringsAndCutsUnterminatedOnes) {
    auto table = std::make_unique<MessageTable>();
    ResetMessages(*table);
    std::vector<SituationMessages> block(2);
    std::memset(block[0].line[0].text, 'a', 512);  // no terminator at all
    std::string kana = ToSjis("あ");
    for (int i = 0; i < 256; ++i) {  // 512 bytes of double-byte characters
        std::memcpy(block[1].line[2].text + 2 * i, kana.data(), 2);
    }
    SetFieldText(block[1].line[0].text, "hi");
    block[1].line[0].text[10] = 'z';  // junk after the terminator is not carried over
    block[1].lineCut[2] = 7;

    ImportMessages(*table, block);
    EXPECT_EQ(FieldText(table->situations[0].line[0].text), std::string(511, 'a'));
    EXPECT_EQ(FieldText(table->situations[1].line[2].text).size(), 510u);
    EXPECT_EQ(table->situations[1].line[0].text[10], '\0');
    EXPECT_EQ(table->situations[1].lineCut[2], 7);
    EXPECT_EQ(FieldText(table->situations[2].line[0].text), SituationLabels()[2]);
}

TEST(ProfileTest, LoadKeepsNamesThatFailTheirCheckAndReportsThem) {
    ProfileBlock stored = ResetProfile();
    SetFieldText(stored.profile.characterName, "Yukino");      // ASCII: not allowed here
    SetFieldText(stored.profile.romanName, ToSjis("ゆきの"));  // kana: not allowed here
    SetFieldText(stored.profile.nickname, "Yuki");
    stored.profile.nickname[100] = 'x';  // junk after the terminator is not carried over
    ProfileBlock shown = LoadProfile(stored);
    EXPECT_EQ(FieldText(shown.profile.characterName), "Yukino");
    EXPECT_EQ(FieldText(shown.profile.romanName), ToSjis("ゆきの"));
    EXPECT_EQ(shown.profile.nickname[100], '\0');
    ProfileNameCheck check = CheckProfileNames(shown.profile);
    EXPECT_TRUE(check.characterNameFails);
    EXPECT_TRUE(check.romanNameFails);

    LegacyProfileRecord legacy{};
    SetFieldText(legacy.characterName, "Yukino");
    legacy.messageWindowCut = 2;
    ProfileBlock imported = ImportLegacyProfile(legacy);
    EXPECT_EQ(FieldText(imported.profile.characterName), "Yukino");
    EXPECT_EQ(FieldText(imported.profile.age), "Age:");
    EXPECT_EQ(imported.profile.messageWindowCut, 2);
    EXPECT_FALSE(CheckProfileNames(ResetProfile().profile).characterNameFails);
}

TEST(YakuTablesTest, HoldTheListedNamesAsShiftJis) {
    const auto& special = SpecialYakuTable();
    EXPECT_EQ(SjisToUtf8(YakuText(special[0])), "単鶏金糸(1翻)");
    EXPECT_EQ(SjisToUtf8(YakuText(special[10])), "ラストオーダーマーボードウフ(1翻)");
    EXPECT_EQ(SjisToUtf8(YakuText(special[81])), "石の上にも三年(役満)");
    EXPECT_EQ(SjisToUtf8(YakuText(special[108])), "石の上にも三年(ダブル役満)");
    EXPECT_EQ(SjisToUtf8(YakuText(special[112])), "十三龍門(トリプル役満)");
    const auto& favourite = FavouriteYakuTable();
    EXPECT_EQ(SjisToUtf8(YakuText(favourite[0])), "なし");
    EXPECT_EQ(SjisToUtf8(YakuText(favourite[14])), "七対子");
    EXPECT_EQ(SjisToUtf8(YakuText(favourite[43])), "特殊役３");
    // Every name converts without loss, so nothing was replaced by '?'.
    for (const auto& name : special) {
        EXPECT_EQ(YakuText(name).find('?'), std::string_view::npos);
    }
}

}  // namespace
}  // namespace plk
