#include <gtest/gtest.h>

#include "core/content/message_text.h"
#include "core/content/profile.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

struct EscapeCase {
    const char* text;
    bool commaMismatch;
    bool parenthesisMismatch;
};

class CharaEscapeTest : public testing::TestWithParam<EscapeCase> {};

TEST_P(CharaEscapeTest, CountsEscapesCommasAndParentheses) {
    CharaEscapeCheck check = CheckCharaEscapes(ToSjis(GetParam().text));
    EXPECT_EQ(check.commaMismatch, GetParam().commaMismatch) << GetParam().text;
    EXPECT_EQ(check.parenthesisMismatch, GetParam().parenthesisMismatch) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CharaEscapeTest,
    testing::Values(EscapeCase{"", false, false}, EscapeCase{"ロン！", false, false},
                    EscapeCase{"\\chara(1,2)ロン！", false, false},  // a well-formed escape
                    EscapeCase{"\\chara(1,2ロン！", false, true},    // no closing parenthesis
                    EscapeCase{"はい, そうです", true, false},       // a plain comma
                    EscapeCase{"\\chara(12)", true, false},          // the comma is missing
                    EscapeCase{"\\chara", true, true},               // both are missing
                    EscapeCase{"\\chara(1,2)\\chara(3,4)", false, false}));

TEST(CharaEscapeTest, LooksOnlyAtTheFirst1023Bytes) {
    // The escape lies inside the checked bytes, its comma and parenthesis past them.
    const std::string escape = "\\chara(1";
    std::string text = escape + std::string(1023 - escape.size(), 'a') + ",2)";
    EXPECT_FALSE(CheckCharaEscapes(text).Passed());
    EXPECT_TRUE(CheckCharaEscapes(std::string(1023, 'a') + ",").Passed());
}

TEST(CharaEscapeTest, WarningHasOneLinePerProblem) {
    EXPECT_EQ(CharaEscapeWarning({}), "");
    EXPECT_EQ(CharaEscapeWarning({true, false}),
              "\\charaの書式に誤りがあります：','が抜けている可能性があります\n");
    EXPECT_EQ(CharaEscapeWarning({true, true}),
              "\\charaの書式に誤りがあります：','が抜けている可能性があります\n"
              "\\charaの書式に誤りがあります：')'が抜けている可能性があります\n");
}

struct CutCase {
    std::string text;
    std::size_t keptBytes;
};

TEST(FieldTextTest, CutsAtCharacterBoundaries) {
    const std::string kana = ToSjis("あ");
    std::string kanaLine;
    for (int i = 0; i < 300; ++i) {
        kanaLine += kana;
    }
    const CutCase messageCases[] = {
        {std::string(511, 'a'), 511},
        {std::string(600, 'a'), 511},
        {kanaLine, 510},
        {"a" + kanaLine, 511},
        {"", 0},
    };
    for (const CutCase& c : messageCases) {
        EXPECT_EQ(MessageLineText(c.text), c.text.substr(0, c.keptBytes));
    }
    const CutCase profileCases[] = {
        {std::string(255, 'a'), 255},
        {std::string(256, 'a'), 255},
        {kanaLine, 254},
        {"a" + kanaLine, 255},
    };
    for (const CutCase& c : profileCases) {
        EXPECT_EQ(ProfileFieldText(c.text), c.text.substr(0, c.keptBytes));
    }
}

TEST(FieldTextTest, ProfileKeepsTheFirstLineOnly) {
    EXPECT_EQ(ProfileFieldText("Age:\r\n17"), "Age:");
    EXPECT_EQ(ProfileFieldText("one\ntwo"), "one");
    EXPECT_EQ(ProfileFieldText("\nlater"), "");
    // The message lines keep the whole text.
    EXPECT_EQ(MessageLineText("a\nb"), "a\nb");
}

}  // namespace
}  // namespace plk

namespace plk {
namespace {

TEST(FrequencyAfterTypingTest, AnUnusedEmptyLineThatGetsTextIsSpoken) {
    struct Case {
        const char* before;
        const char* after;
        std::int32_t frequency;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"", "ロン", 0, 2},  // the converse of empty lines becoming never used
        {"", "ロン", 1, 1},  // a frequency the author chose stays
        {"", "ロン", 3, 3}, {"ロ", "ロン", 0, 0},  // a line that had text keeps what the author set
        {"ロン", "", 2, 2},  // clearing waits until the situation is shown again
        {"", "", 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FrequencyAfterTyping(ToSjis(c.before), ToSjis(c.after), c.frequency), c.expected)
            << c.before << " -> " << c.after << " at " << c.frequency;
    }
}

}  // namespace
}  // namespace plk
