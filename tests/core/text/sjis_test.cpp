#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "core/text/sjis.h"

namespace plk {
namespace {

TEST(SjisTest, RoundTripsJapaneseText) {
    std::string sjis = ToSjis("カット：1");
    EXPECT_EQ(sjis,
              "\x83\x4A\x83\x62\x83\x67\x81\x46"
              "1");
    EXPECT_EQ(SjisToUtf8(sjis), "カット：1");
    EXPECT_EQ(SjisToUtf8("\x81"), "\xEF\xBF\xBD");  // a lone lead byte does not vanish silently
}

TEST(SjisTest, FieldsAreCutAtCharacterBoundaries) {
    // "ab" + three double-byte characters = 8 bytes.
    std::string text = "ab" + ToSjis("あいう");
    char field[6];
    std::memset(field, 'x', sizeof field);
    SetFieldText(field, text);  // room for 5 bytes: "ab" + one character, not half of "い"
    EXPECT_EQ(std::string(field, 5), "ab" + ToSjis("あ") + std::string(1, '\0'));
    EXPECT_EQ(field[5], '\0');

    // Half-width katakana are single bytes and never mistaken for lead bytes.
    EXPECT_EQ(SjisPrefixLength("\xB1\xB2\xB3", 2), 2u);
}

TEST(SjisTest, UnterminatedFieldReadsAsItsLongestWholePrefix) {
    char full[8];
    std::memcpy(full, "abcdefgh", 8);
    EXPECT_EQ(FieldText(full), "abcdefg");
    std::string kana = ToSjis("あいうえ");  // 8 bytes, no terminator
    std::memcpy(full, kana.data(), 8);
    EXPECT_EQ(FieldText(full), ToSjis("あいう"));
}

TEST(SjisTest, ARefusedSequenceBecomesOneReplacementAndTheRestIsKept) {
    struct Case {
        std::string_view utf8;
        std::string sjis;
    };
    const std::string a = ToSjis("あ");
    const Case toSjis[] = {
        {"\xFF"
         "abc",
         "?abc"},
        {"\xE3"
         "abc",
         "?abc"},  // a lead byte without its continuation
        {"\xE3\x81"
         "abc",
         "?abc"},             // a cut-off character is one sequence
        {"x\xE3\x81", "x?"},  // ... also at the end
        {"\xED\xA0\x80"
         "a",
         "???a"},  // a surrogate is no character
        {"\xC0\xAF"
         "a",
         "??a"},  // nor is an overlong form
        {"\xF0\x9F\x98\x80"
         "a",
         "?a"},                         // a character Shift-JIS lacks
        {"\x80\xE3\x81\x82", "?" + a},  // a stray continuation byte
    };
    for (const Case& c : toSjis) {
        EXPECT_EQ(ToSjis(c.utf8), c.sjis) << testing::PrintToString(std::string(c.utf8));
    }
    // Shift-JIS: a byte that starts no character, or a lead byte whose partner is missing,
    // stands alone; the byte after it is read afresh.
    EXPECT_EQ(SjisToUtf8("\xFF"
                         "abc"),
              "\xEF\xBF\xBD"
              "abc");
    EXPECT_EQ(SjisToUtf8("ab\x81"), "ab\xEF\xBF\xBD");
    EXPECT_EQ(SjisToUtf8("\x81"
                         " " +
                         a),
              "\xEF\xBF\xBD"
              " あ");
}

}  // namespace
}  // namespace plk

TEST(SjisTest, ExactConversionRefusesWhatShiftJisCannotHold) {
    struct Case {
        const char* utf8;
        bool storable;
    };
    const Case cases[] = {
        {"face.png", true},
        {"\xE9\xA1\x94\xE3\x81\xA7\xE3\x81\x99.png", true},  // 顔です.png
        {"caf\xC3\xA9.png", false},                          // café.png
        {"smile\xF0\x9F\x98\x80.png", false},                // an emoji
        {"bad\xFF.png", false},                              // not UTF-8 at all
        {"question?.png", true},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> sjis = plk::ToSjisExact(c.utf8);
        EXPECT_EQ(sjis.has_value(), c.storable) << c.utf8;
        if (sjis) {
            EXPECT_EQ(plk::SjisToUtf8(*sjis), c.utf8);
        }
    }
}
