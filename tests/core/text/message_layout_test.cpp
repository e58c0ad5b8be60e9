#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/text/message_layout.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

std::string Repeat(const std::string& utf8, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += utf8;
    }
    return text;
}

// Full-width characters 32 pixels wide, half-width 16, as the message font has them.
std::vector<PlacedCharacter> LayOut(const std::string& sjis) {
    MessageLayout layout;
    std::vector<PlacedCharacter> placed;
    while (!layout.IsComplete(sjis)) {
        if (auto character =
                layout.Step(sjis, 32, [](int code) { return code > 0xFF ? 32 : 16; })) {
            placed.push_back(*character);
        }
    }
    return placed;
}

struct Expected {
    int index;  // of the placed character
    int line;
    int x;
};

struct LayoutCase {
    const char* what;
    std::string sjis;
    std::size_t placedCount;
    std::vector<Expected> checks;
};

TEST(MessageLayoutTest, BreaksLinesByBytesKinsokuAndExplicitBreaks) {
    const std::vector<LayoutCase> cases = {
        {"50 full-width characters break after the 23rd and the 46th",
         ToSjis(Repeat("あ", 50)),
         50,
         {{0, 0, 0}, {22, 0, 704}, {23, 1, 32}, {45, 1, 32 + 22 * 32}, {46, 2, 32}}},
        {"an opening bracket as the 23rd character starts the next line",
         ToSjis(Repeat("あ", 22) + "「い"),
         24,
         {{21, 0, 672}, {22, 1, 32}, {23, 1, 64}}},
        {"closing marks hang on a full line",
         ToSjis(Repeat("あ", 23) + "。」い"),
         26,
         {{23, 0, 736}, {24, 0, 768}, {25, 1, 32}}},
        {"half-width: 45 bytes then a new line",
         ToSjis(Repeat("a", 47)),
         47,
         {{44, 0, 704}, {45, 1, 32}, {46, 1, 48}}},
        {"half-width opening bracket at byte 44",
         ToSjis(Repeat("a", 44) + "(b"),
         46,
         {{43, 0, 688}, {44, 1, 32}, {45, 1, 48}}},
        {"two backslashes break the line and are not drawn",
         "ab\\\\c\\d",
         5,
         {{1, 0, 16}, {2, 1, 32}, {3, 1, 48}, {4, 1, 64}}},
        {"trailing double backslash", "a\\\\", 1, {{0, 0, 0}}},
        {"invalid bytes are skipped",
         "a\x80\xA0\xFD"
         "b",
         2,
         {{0, 0, 0}, {1, 0, 16}}},
        {"a lead byte without its trail byte places nothing", "a\x82", 1, {{0, 0, 0}}},
        {"empty text", "", 0, {}},
        {"half-width katakana are single bytes", ToSjis("ｱｲ"), 2, {{1, 0, 16}}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<PlacedCharacter> placed = LayOut(c.sjis);
        ASSERT_EQ(placed.size(), c.placedCount);
        for (const Expected& e : c.checks) {
            const PlacedCharacter& p = placed[static_cast<std::size_t>(e.index)];
            EXPECT_EQ(p.line, e.line) << "character " << e.index;
            EXPECT_EQ(p.penX, e.x) << "character " << e.index;
            EXPECT_EQ(p.penY, 32 * e.line) << "character " << e.index;
        }
    }
}

TEST(MessageLayoutTest, KinsokuSetsMatchWholeCharacters) {
    EXPECT_TRUE(IsNoLineStart(ToSjis("。")));
    EXPECT_TRUE(IsNoLineStart(ToSjis("ー")));
    EXPECT_TRUE(IsNoLineStart("?"));
    EXPECT_TRUE(IsNoLineStart(ToSjis("ﾟ")));
    EXPECT_FALSE(IsNoLineStart(ToSjis("あ")));
    EXPECT_FALSE(IsNoLineStart("("));
    EXPECT_TRUE(IsNoLineEnd(ToSjis("『")));
    EXPECT_TRUE(IsNoLineEnd("["));
    EXPECT_TRUE(IsNoLineEnd(ToSjis("｢")));
    EXPECT_FALSE(IsNoLineEnd(ToSjis("」")));
    // The trail byte of "、" (0x81 0x41) is 'A': a single 'A' is in neither set, and a
    // lead byte must match with its own trail byte.
    EXPECT_FALSE(IsNoLineStart("A"));
    EXPECT_FALSE(IsNoLineStart("\x81\x40"));
}

TEST(MessageLayoutTest, StepsOneCharacterAtATime) {
    const std::string text = ToSjis("あa");
    MessageLayout layout;
    auto advance = [](int code) { return code > 0xFF ? 32 : 16; };
    EXPECT_FALSE(layout.IsComplete(text));
    EXPECT_EQ(layout.Step(text, 32, advance)->code, 0x82A0);
    EXPECT_EQ(layout.Progress(), 2u);
    EXPECT_EQ(layout.Step(text, 32, advance)->penX, 32);
    EXPECT_TRUE(layout.IsComplete(text));
    EXPECT_FALSE(layout.Step(text, 32, advance).has_value());
    EXPECT_TRUE(MessageLayout{}.IsComplete(""));
}

TEST(MessageLayoutTest, FindsThePartBelowTheThirdLine) {
    // 23 full-width characters fill a line (44 bytes and one more character).
    std::string three;
    for (int i = 0; i < 69; ++i) {
        three += ToSjis("あ");
    }
    EXPECT_EQ(FirstByteBeyondLines(three), std::nullopt);
    EXPECT_EQ(FirstByteBeyondLines(three + ToSjis("い")), 138u);
    // Explicit breaks count as lines; a break that only ends the text shows nothing.
    EXPECT_EQ(FirstByteBeyondLines("a\\\\\\\\b\\\\c"), 8u);
    EXPECT_EQ(FirstByteBeyondLines("a\\\\b\\\\c\\\\"), std::nullopt);
    // A closing mark hanging on a full third line stays on it.
    EXPECT_EQ(FirstByteBeyondLines(three + ToSjis("。")), std::nullopt);
    EXPECT_EQ(FirstByteBeyondLines(""), std::nullopt);
}

}  // namespace
}  // namespace plk
