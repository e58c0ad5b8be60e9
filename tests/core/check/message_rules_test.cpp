#include <gtest/gtest.h>

#include "core/check/check_rules.h"
#include "support/character_fixture.h"

namespace plk {
namespace {

using namespace testing_support;
using Rule = void (*)(const CheckContext&, Findings&);

struct LineCase {
    const char* name;
    int situation;
    std::string text;  // Shift-JIS
    int frequency;
    const char* code;  // nullptr: no finding
};

void ExpectLineFindings(Rule rule, const std::vector<LineCase>& cases) {
    for (const LineCase& c : cases) {
        Project project = CleanProject();
        MessageLine& line =
            project.messages.situations[static_cast<std::size_t>(c.situation)].line[1];
        SetFieldText(line.text, c.text);
        line.frequency = c.frequency;
        Findings findings;
        rule(CheckContext{project}, findings);
        if (c.code == nullptr) {
            EXPECT_TRUE(findings.empty()) << c.name << ": " << findings.front().code;
            continue;
        }
        ASSERT_EQ(findings.size(), 1u) << c.name;
        EXPECT_EQ(findings[0].code, c.code) << c.name;
        EXPECT_EQ(findings[0].place, Place::Line(c.situation, 1)) << c.name;
    }
}

std::string Repeated(std::string_view utf8, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += ToSjis(utf8);
    }
    return text;
}

TEST(MessageRules, LinesWithTextThatAreNeverSpoken) {
    ExpectLineFindings(CheckNeverSpokenLines,
                       {
                           {"never", 4, ToSjis("カン！"), 0, "message.never-spoken"},
                           {"empty and never", 4, "", 0, nullptr},
                           {"normal", 4, ToSjis("カン！"), 2, nullptr},
                           {"unknown frequency", 4, ToSjis("カン！"), 7, "message.bad-frequency"},
                       });
}

TEST(MessageRules, PlaceholderTextIsRecognisedExactly) {
    const auto& labels = SituationLabels();
    ExpectLineFindings(
        CheckPlaceholderLines,
        {
            {"new project's label", 5, labels[5], 2, "message.placeholder"},
            {"first start's label", 16, labels[16].substr(4), 3, "message.placeholder"},
            {"no first-start text past 16", 20, labels[20].substr(4), 2, nullptr},
            {"another situation's label", 5, labels[6], 2, nullptr},
            {"the author's own words", 5, labels[5] + ToSjis("だ！"), 2, nullptr},
            {"never spoken", 5, labels[5], 0, nullptr},
        });
}

TEST(MessageRules, LinesLongerThanTheWindowsThreeLines) {
    // A line holds 23 full-width characters: 44 bytes and one more character.
    ExpectLineFindings(CheckLongLines,
                       {
                           {"three full lines", 0, Repeated("あ", 69), 2, nullptr},
                           {"one more character", 0, Repeated("あ", 70), 2, "message.too-long"},
                           {"breaks", 0, ToSjis("あ\\\\い\\\\う\\\\え"), 2, "message.too-long"},
                           {"two breaks", 0, ToSjis("あ\\\\い\\\\う"), 2, nullptr},
                       });
}

TEST(MessageRules, CharaEscapesThatDoNotMatch) {
    ExpectLineFindings(CheckCharaEscapeLines,
                       {
                           {"matched", 2, "\\chara(1,2)", 2, nullptr},
                           {"comma missing", 2, "\\chara(12)", 2, "message.chara-escape"},
                           {"parenthesis missing", 2, "\\chara(1,2", 2, "message.chara-escape"},
                           {"plain speech", 2, "Yes, (really)", 2, nullptr},
                       });
}

TEST(MessageRules, CutReferencesOutsideTheCutList) {
    struct Case {
        const char* name;
        void (*set)(Project&);
        const char* code;
        Place place;
    };
    const Case cases[] = {
        {"window cut", [](Project& p) { p.messages.situations[7].windowCut = 3; },
         "message.cut-out-of-range", Place::Situation(7)},
        {"line cut", [](Project& p) { p.messages.situations[7].lineCut[2] = -1; },
         "message.cut-out-of-range", Place::Line(7, 2)},
        {"profile cut", [](Project& p) { p.profile.profile.menuIconCut = 5; },
         "profile.cut-out-of-range", Place::Profile("menuIconCut")},
    };
    for (const Case& c : cases) {
        Project project = CleanProject();
        c.set(project);
        Findings findings;
        CheckCutReferences(CheckContext{project}, findings);
        ASSERT_EQ(findings.size(), 1u) << c.name;
        EXPECT_EQ(findings[0].code, c.code) << c.name;
        EXPECT_EQ(findings[0].place, c.place) << c.name;
        EXPECT_EQ(findings[0].severity, Severity::Error) << c.name;
    }
    Findings none;
    CheckCutReferences(CheckContext{CleanProject()}, none);
    EXPECT_TRUE(none.empty());
}

TEST(ProfileRules, NamesAndTendencyValues) {
    struct Case {
        const char* name;
        void (*set)(Project&);
        std::vector<Place> places;
    };
    const Case cases[] = {
        {"defaults", [](Project&) {}, {}},
        {"half-width character name",
         [](Project& p) { SetFieldText(p.profile.profile.characterName, "abc"); },
         {Place::Profile("characterName")}},
        {"kana roman name",
         [](Project& p) { SetFieldText(p.profile.profile.romanName, ToSjis("あい")); },
         {Place::Profile("romanName")}},
        {"strength 5",
         [](Project& p) { p.profile.tendency.strength = 5; },
         {Place::Tendency("strength")}},
        {"special yaku 113",
         [](Project& p) { p.profile.tendency.specialYaku2 = 113; },
         {Place::Tendency("specialYaku2")}},
        {"favourite -1",
         [](Project& p) { p.profile.tendency.favourite5 = -1; },
         {Place::Tendency("favourite5")}},
    };
    for (const Case& c : cases) {
        Project project = CleanProject();
        c.set(project);
        Findings findings;
        CheckProfileNames(CheckContext{project}, findings);
        CheckTendencyValues(CheckContext{project}, findings);
        std::vector<Place> places;
        for (const Finding& finding : findings) {
            places.push_back(finding.place);
        }
        EXPECT_EQ(places, c.places) << c.name;
    }
}

}  // namespace
}  // namespace plk
