#include <gtest/gtest.h>

#include <memory>

#include "cli/cli_runner.h"
#include "core/project/project_file.h"
#include "support/character_fixture.h"

namespace plk {
namespace {

using namespace testing_support;

struct Planted {
    const char* name;
    void (*plant)(Project&, const TempFolder&);
    int exitCode;
    std::string expected;  // a part of one JSON line
};

TEST(CheckCommandTest, EachPlantedProblemIsFoundAtItsPlace) {
    const Planted cases[] = {
        {"missing file",
         [](Project& p, const TempFolder& dir) {
             FillSlot(p, 4, "gone.png", (dir / "gone.png").string());
             p.cuts[1].Frame(4).cells[2].resource = 4;
         },
         3, R"({"severity":"error","code":"resource.missing-file","place":{"slot":4},"text":")"},
        {"VOC bytes named .wav",
         [](Project& p, const TempFolder& dir) {
             const std::string voc = "Creative Voice File\x1a\x1a\x00\x0a\x01";
             WriteBytes(dir / "v.wav", std::vector<std::uint8_t>(voc.begin(), voc.end()));
             FillSlot(p, 9, "v.wav", (dir / "v.wav").string());
             p.cuts[0].Frame(0).cells[1].resource = 9;
         },
         3, R"("code":"resource.not-wave","place":{"slot":9})"},
        {"unknown command", [](Project& p, const TempFolder&) { p.cuts[1].Frame(2) = Ctl(12); }, 3,
         R"({"severity":"error","code":"cut.unknown-command","place":{"cut":2,"row":3})"},
        {"repeat before wait",
         [](Project& p, const TempFolder&) {
             p.cuts[2] = MakeCut({Normals(6), {Repeat(2), Wait(3)}, Normals(2)});
         },
         0, R"({"severity":"warning","code":"cut.repeat-before-wait","place":{"cut":3,"row":7})"},
        {"never spoken",
         [](Project& p, const TempFolder&) {
             SetFieldText(p.messages.situations[40].line[3].text, ToSjis("またね"));
         },
         0, R"("code":"message.never-spoken","place":{"situation":40,"line":4})"},
        {"roman name",
         [](Project& p, const TempFolder&) {
             SetFieldText(p.profile.profile.romanName, ToSjis("ゆき"));
         },
         0, R"("code":"profile.roman-name","place":{"profile":"romanName"})"},
    };
    for (const Planted& c : cases) {
        TempFolder dir;
        auto project = std::make_unique<Project>(CleanProject());
        c.plant(*project, dir);
        WriteProjectFile(dir / "c.cre", *project);
        const CliResult result = RunCli(dir, {"check", "--json", (dir / "c.cre").string()});
        EXPECT_EQ(result.exitCode, c.exitCode) << c.name << "\n" << result.out << result.err;
        EXPECT_NE(result.out.find(c.expected), std::string::npos) << c.name << "\n" << result.out;
    }
}

TEST(CheckCommandTest, ACleanCharacterPassesAndTextLinesNameThePlace) {
    TempFolder dir;
    auto project = std::make_unique<Project>(CleanProject());
    WriteProjectFile(dir / "clean.cre", *project);
    const CliResult clean = RunCli(dir, {"check", (dir / "clean.cre").string()});
    EXPECT_EQ(clean.exitCode, 0) << clean.err;
    EXPECT_EQ(clean.out, "");

    project->cuts[0].Frame(1) = Message("");
    WriteProjectFile(dir / "warn.cre", *project);
    const CliResult warned = RunCli(dir, {"check", (dir / "warn.cre").string()});
    EXPECT_EQ(warned.exitCode, 0);
    EXPECT_EQ(warned.out.rfind("warning cut.empty-message [cut 1 row 2] Cut 1 row 2: ", 0), 0u)
        << warned.out;
}

TEST(CheckCommandTest, UnreadableInputAndBadArguments) {
    TempFolder dir;
    WriteBytes(dir / "junk.cre", std::vector<std::uint8_t>(100, 7));
    EXPECT_EQ(RunCli(dir, {"check", (dir / "junk.cre").string()}).exitCode, 2);
    EXPECT_EQ(RunCli(dir, {"check", (dir / "none.cre").string()}).exitCode, 2);
    EXPECT_EQ(RunCli(dir, {"check"}).exitCode, 1);
    EXPECT_EQ(RunCli(dir, {"check", "--fast", "a.cre"}).exitCode, 1);
}

}  // namespace
}  // namespace plk
