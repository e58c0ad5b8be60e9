#include <gtest/gtest.h>

#include "core/check/check_rules.h"
#include "support/character_fixture.h"

namespace plk {
namespace {

using namespace testing_support;
using Rule = void (*)(const CheckContext&, Findings&);

struct CutCase {
    const char* name;
    Cut cut;
    std::vector<int> rows;  // rows of cut 1 the rule reports, 0-based
    Severity severity = Severity::Warning;
};

// Runs `rule` over a character whose first cut is each case's cut.
void ExpectRows(Rule rule, const char* code, const std::vector<CutCase>& cases) {
    for (const CutCase& c : cases) {
        Project project = CleanProject();
        project.cuts[0] = c.cut;
        Findings findings;
        rule(CheckContext{project}, findings);
        std::vector<int> rows;
        for (const Finding& finding : findings) {
            EXPECT_EQ(finding.code, code) << c.name;
            EXPECT_EQ(finding.place.cut, 0) << c.name;
            EXPECT_EQ(finding.severity, c.severity) << c.name;
            EXPECT_FALSE(finding.japanese.empty() || finding.english.empty()) << c.name;
            rows.push_back(finding.place.row);
        }
        EXPECT_EQ(rows, c.rows) << c.name;
    }
}

TEST(CutRules, UnknownCommandStallsPlayback) {
    ExpectRows(CheckUnknownCommands, "cut.unknown-command",
               {
                   {"code 11", MakeCut({Normals(2), {Ctl(11)}, Normals(1)}), {2}, Severity::Error},
                   {"code 0", MakeCut({Normals(1), {Ctl(0)}}), {1}, Severity::Error},
                   {"known codes", MakeCut({Normals(1), {Message(), Ctl(3), Wait(1)}}), {}},
               });
}

TEST(CutRules, RepeatNeedsAMessageOrWaitBeforeTheNextNormalFrame) {
    ExpectRows(CheckRepeatWithoutWait, "cut.repeat-without-wait",
               {
                   {"normal frame next", MakeCut({Normals(3), {Repeat(1)}, Normals(1)}), {3}},
                   {"end of the cut", MakeCut({Normals(3), {Repeat(1)}}), {3}},
                   {"message next", MakeCut({Normals(3), {Repeat(1), Message()}}), {}},
                   {"chat, then wait", MakeCut({Normals(3), {Repeat(1), Ctl(2), Wait(1)}}), {}},
               });
}

TEST(CutRules, RepeatBeforeWaitIsNeverDrawnOnThePlayback) {
    ExpectRows(CheckRepeatBeforeWait, "cut.repeat-before-wait",
               {
                   {"wait 2 s", MakeCut({Normals(4), {Repeat(1), Wait(2)}, Normals(1)}), {4}},
                   {"wait for ever", MakeCut({Normals(4), {Repeat(2), Wait(0)}, Normals(1)}), {4}},
                   {"message draws the loop",
                    MakeCut({Normals(4), {Repeat(1), Message()}, Normals(1)}),
                    {}},
                   {"no repeat", MakeCut({Normals(4), {Wait(2)}, Normals(1)}), {}},
               });
}

TEST(CutRules, RepeatTargetsFrameZeroOrAFrameAfterIt) {
    ExpectRows(CheckRepeatTargets, "cut.repeat-frame-zero",
               {
                   {"frame 0", MakeCut({Normals(3), {Repeat(0), Message()}}), {3}},
                   {"its own last frame", MakeCut({Normals(3), {Repeat(3), Message()}}), {}},
               });
    // The message waits, the rows run on past the end: the cut ends mid-message.
    ExpectRows(CheckRepeatTargets, "cut.repeat-target-after",
               {
                   {"frame after, message",
                    MakeCut({Normals(3), {Repeat(5), Message()}, Normals(3)}),
                    {3},
                    Severity::Error},
               });
    ExpectRows(CheckRepeatTargets, "cut.repeat-target-after",
               {
                   {"frame after, nothing to wait for",
                    MakeCut({Normals(3), {Repeat(5)}, Normals(3)}),
                    {3},
                    Severity::Warning},
               });
}

TEST(CutRules, RepeatLoopWithoutANormalFrame) {
    ExpectRows(
        CheckRepeatLoopsWithoutPicture, "cut.repeat-loop-without-picture",
        {
            {"only control rows", MakeCut({{Ctl(3), Repeat(0), Message()}}), {1}},
            {"frame 1 starts the loop", MakeCut({Normals(2), {Repeat(1), Message()}}), {}},
            {"controls between", MakeCut({Normals(1), {Ctl(3), Ctl(3), Repeat(1), Message()}}), {}},
            {"target after", MakeCut({Normals(1), {Repeat(4), Message()}, Normals(4)}), {}},
        });
}

TEST(CutRules, ChargeStartNeedsAChargeEndBelow) {
    ExpectRows(CheckChargeStartWithoutEnd, "cut.chargestart-without-end",
               {
                   {"none below", MakeCut({Normals(1), {ChargeStart(2)}, Normals(2)}), {1}},
                   {"one above only", MakeCut({Normals(1), {ChargeEnd(), ChargeStart(1)}}), {2}},
                   {"paired", MakeCut({Normals(1), {ChargeStart(2), N(), ChargeEnd(), N()}}), {}},
               });
}

TEST(CutRules, ZeroChargeRightBeforeItsEndSkipsIt) {
    ExpectRows(
        CheckZeroChargeBeforeEnd, "cut.zero-charge-before-end",
        {
            {"to the end", MakeCut({Normals(1), {ChargeStart(0), ChargeEnd()}, Normals(3)}), {1}},
            {"to a later end",
             MakeCut({Normals(1), {ChargeStart(0), ChargeEnd(), N(), ChargeEnd(), N()}}),
             {1}},
            {"one second", MakeCut({Normals(1), {ChargeStart(1), ChargeEnd()}, Normals(3)}), {}},
            {"not adjacent", MakeCut({Normals(1), {ChargeStart(0), N(), ChargeEnd(), N()}}), {}},
        });
}

TEST(CutRules, RowsAfterChargeStackAreNeverDrawn) {
    ExpectRows(CheckRowsAfterChargeStack, "cut.rows-after-chargestack",
               {
                   {"frames after", MakeCut({Normals(1), {ChargeStack(2)}, Normals(3)}), {1}},
                   {"last row", MakeCut({Normals(3), {ChargeStack(2)}}), {}},
                   {"only control rows after", MakeCut({Normals(1), {ChargeStack(1), Ctl(3)}}), {}},
               });
}

TEST(CutRules, ShowStartNeverGivesPlaybackBack) {
    ExpectRows(CheckShowStartWithoutReturn, "cut.showstart-without-return",
               {
                   {"with a SHOWEND",
                    MakeCut({Normals(1), {ShowStart()}, Normals(2), {ShowEnd()}, Normals(1)}),
                    {1}},
                   {"falling back", MakeCut({Normals(1), {ShowStart(1)}, Normals(2)}), {1}},
                   {"last row", MakeCut({Normals(2), {ShowStart()}}), {}},
               });
}

TEST(CutRules, MessageWithoutText) {
    ExpectRows(CheckEmptyMessages, "cut.empty-message",
               {
                   {"empty", MakeCut({Normals(1), {Message("")}, Normals(1)}), {1}},
                   {"written", MakeCut({Normals(1), {Message("やあ")}}), {}},
                   {"empty chat", MakeCut({Normals(1), {Ctl(2)}}), {}},
               });
}

TEST(CutRules, CutsTheMessagesOrProfileUseNeedANormalFrame) {
    struct Case {
        const char* name;
        void (*use)(Project&);
        std::vector<int> cuts;
    };
    const Case cases[] = {
        {"window cut", [](Project& p) { p.messages.situations[3].windowCut = 1; }, {1}},
        {"line cut", [](Project& p) { p.messages.situations[40].lineCut[3] = 1; }, {1}},
        {"menu icon", [](Project& p) { p.profile.profile.menuIconCut = 1; }, {1}},
        {"unused", [](Project&) {}, {}},
    };
    for (const Case& c : cases) {
        Project project = CleanProject();
        project.cuts[1] = MakeCut({{Message(), Wait(1)}});
        c.use(project);
        Findings findings;
        CheckUsedCutsWithoutPicture(CheckContext{project}, findings);
        std::vector<int> cuts;
        for (const Finding& finding : findings) {
            EXPECT_EQ(finding.code, "cut.used-without-picture");
            EXPECT_EQ(finding.place, Place::Cut(finding.place.cut));
            cuts.push_back(finding.place.cut);
        }
        EXPECT_EQ(cuts, c.cuts) << c.name;
    }
}

}  // namespace
}  // namespace plk
