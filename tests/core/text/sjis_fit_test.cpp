#include <gtest/gtest.h>

#include "core/text/sjis_fit.h"

namespace plk {
namespace {

struct FitCase {
    const char* utf8;
    const char* kept;
    std::vector<char32_t> refused;
};

class SjisFitTest : public testing::TestWithParam<FitCase> {};

TEST_P(SjisFitTest, KeepsWhatShiftJisHoldsAndNamesEachOtherCharacterOnce) {
    const SjisFit fit = FitToSjis(GetParam().utf8);
    EXPECT_EQ(fit.kept, GetParam().kept) << GetParam().utf8;
    EXPECT_EQ(fit.refused, GetParam().refused) << GetParam().utf8;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SjisFitTest,
    testing::Values(
        FitCase{"", "", {}}, FitCase{"～ですわ♡😀", "～ですわ", {0x2661, 0x1F600}},
        // Each refused character is named once, in order, wherever it stands.
        FitCase{"♡a♡b😀♡", "ab", {0x2661, 0x1F600}},
        // ASCII, half-width katakana, NEC specials and both forms of the wave dash are held.
        FitCase{"A-z \\ ｱｲｳ ① 〜～ −", "A-z \\ ｱｲｳ ① 〜～ −", {}},
        // Accented Latin, Hangul and emoji with a variation selector are not.
        FitCase{"café 한 ☺️", "caf  ", {0xE9, 0xD55C, 0x263A, 0xFE0F}},
        // Malformed UTF-8 and a stray U+FFFD never slip through as '?'.
        FitCase{"a\xFF"
                "b\xEF\xBF\xBD"
                "c\xE3\x81",
                "abc",
                {0xFFFD}}));

TEST(SjisFitTest, NamesCharactersWithTheirCodes) {
    EXPECT_EQ(NameCharacters({0x2661, 0x1F600}), "「♡」(U+2661)、「😀」(U+1F600)");
    // A control character has no picture of its own; its code still names it.
    EXPECT_EQ(NameCharacters({0x7}), "「」(U+0007)");
}

}  // namespace
}  // namespace plk
