#include <gtest/gtest.h>

#include "core/text/name_validation.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

struct NameCase {
    const char* utf8;
    bool validCharacterName;
    bool validRomanName;
};

class NameValidationTest : public testing::TestWithParam<NameCase> {};

TEST_P(NameValidationTest, ChecksEachCharacter) {
    std::string sjis = ToSjis(GetParam().utf8);
    EXPECT_EQ(IsValidCharacterName(sjis), GetParam().validCharacterName) << GetParam().utf8;
    EXPECT_EQ(IsValidRomanName(sjis), GetParam().validRomanName) << GetParam().utf8;
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameValidationTest,
    testing::Values(NameCase{"", true, true}, NameCase{"ゆきの", true, false},  // hiragana
                    NameCase{"ユキノ", true, false},                            // katakana
                    NameCase{"雪乃", true, false},                              // level-1 kanji
                    NameCase{"ー　", true, false},         // long vowel mark, full-width space
                    NameCase{"ＡＢ１", true, true},        // full-width letters and digits
                    NameCase{"Yukino 2.0!", false, true},  // ASCII, space, punctuation
                    NameCase{"ゆきA", false, false},       // one ASCII letter spoils a name
                    NameCase{"ｱｲｳ", false, false},         // half-width katakana
                    NameCase{"ｙｕｋｉ", true, true}));

TEST(NameValidationTest, LeadByteWithoutTrailFails) {
    EXPECT_FALSE(IsValidCharacterName("\x82"));
    EXPECT_FALSE(IsValidRomanName("A\x82"));
}

}  // namespace
}  // namespace plk
