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

struct EditCase {
    const char* before;
    const char* after;
    const char* inserted;
};

class InsertedCharactersTest : public testing::TestWithParam<EditCase> {};

TEST_P(InsertedCharactersTest, FindsWhatAnEditPutIn) {
    const EditCase& edit = GetParam();
    EXPECT_EQ(InsertedCharacters(ToSjis(edit.before), ToSjis(edit.after)), ToSjis(edit.inserted))
        << edit.before << " -> " << edit.after;
}

INSTANTIATE_TEST_SUITE_P(
    Edits, InsertedCharactersTest,
    testing::Values(EditCase{"", "ゆき", "ゆき"},        // typed into an empty field
                    EditCase{"ゆき", "ゆきの", "の"},    // appended
                    EditCase{"ゆの", "ゆきの", "き"},    // put in the middle
                    EditCase{"ゆきの", "ゆの", ""},      // a deletion puts nothing in
                    EditCase{"ゆきの", "ゆAの", "A"},    // a replaced character
                    EditCase{"Yukino", "Yukinoa", "a"},  // a stored name that fails still
                    EditCase{"ああ", "あああ", "あ"},    // repeated characters
                    EditCase{"ソ", "ソ\\", "\\"}));      // a trail byte 0x5C is no backslash

TEST(InsertedCharactersTest, ComparesWholeCharactersNotBytes) {
    // "ア" (0x83 0x41) and "A" share their last byte: the whole "ア" is what came in.
    EXPECT_EQ(InsertedCharacters("A", ToSjis("アA")), ToSjis("ア"));
    EXPECT_EQ(InsertedCharacters(ToSjis("ア"), ToSjis("イア")), ToSjis("イ"));
}

}  // namespace
}  // namespace plk
