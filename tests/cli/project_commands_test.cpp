#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "cli/cli_runner.h"
#include "core/io/file_io.h"
#include "core/project/project_file.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

using testing_support::CliResult;
using testing_support::RunCli;
using testing_support::TempFolder;
namespace fs = std::filesystem;

// One line on stderr, naming the file.
void ExpectOneLineError(const CliResult& result, const std::string& file) {
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find(file), std::string::npos) << result.err;
}

TEST(ProjectCommandsTest, NewWritesTheNewProjectAndInfoDescribesIt) {
    TempFolder dir;
    CliResult created = RunCli(dir, {"new", (dir / "a.cre").string()});
    ASSERT_EQ(created.exitCode, 0) << created.err;
    std::vector<std::uint8_t> bytes = ReadWholeFile(dir / "a.cre");
    EXPECT_EQ(bytes.size(), 440440u);
    EXPECT_EQ(bytes, SerializeProject(NewProject()));

    CliResult info = RunCli(dir, {"info", (dir / "a.cre").string()});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_NE(info.out.find("version: 2000"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("cut 3: 60 frames, 6 columns, name \"カット：3\""), std::string::npos)
        << info.out;

    CliResult json = RunCli(dir, {"info", "--json", (dir / "a.cre").string()});
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_NE(json.out.find(R"({"index":1,"frames":60,"columns":6,"name":"カット：2"})"),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find(R"("palette":[])"), std::string::npos);
}

TEST(ProjectCommandsTest, ConvertWritesWhatOpenAndSaveWrite) {
    TempFolder dir;
    auto project = std::make_unique<Project>(NewProject());
    ResourceSlot& slot = project->palette.slot[7];
    SetFieldText(slot.name, "face.png");
    SetFieldText(slot.path, "/art/face.png");
    slot.kind = 1;
    slot.worldX = -40;
    WriteProjectFile(dir / "in.cre", *project);

    CliResult converted =
        RunCli(dir, {"convert", (dir / "in.cre").string(), (dir / "out.cre").string()});
    ASSERT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(ReadWholeFile(dir / "out.cre"),
              SerializeProject(ReadProjectFile(dir / "in.cre").project));

    CliResult info = RunCli(dir, {"info", "--json", (dir / "out.cre").string()});
    EXPECT_NE(
        info.out.find(
            R"({"slot":7,"kind":"image","name":"face.png","path":"/art/face.png","worldX":-40,"worldY":0})"),
        std::string::npos)
        << info.out;
}

TEST(ProjectCommandsTest, ConvertKeepsStoredNamesThatFailTheirCheck) {
    TempFolder dir;
    auto project = std::make_unique<Project>(NewProject());
    SetFieldText(project->profile.profile.characterName, "Yukino");
    SetFieldText(project->profile.profile.romanName, ToSjis("ゆきの"));
    WriteProjectFile(dir / "in.cre", *project);
    CliResult converted =
        RunCli(dir, {"convert", (dir / "in.cre").string(), (dir / "out.cre").string()});
    ASSERT_EQ(converted.exitCode, 0) << converted.err;
    const ProfileRecord kept = ReadProjectFile(dir / "out.cre").project.profile.profile;
    EXPECT_EQ(FieldText(kept.characterName), "Yukino");
    EXPECT_EQ(FieldText(kept.romanName), ToSjis("ゆきの"));
}

TEST(ProjectCommandsTest, BadInputExitsTwoWithOneLineAndNoOutput) {
    TempFolder dir;
    std::vector<std::uint8_t> bytes = SerializeProject(NewProject());
    bytes.resize(bytes.size() / 2);
    {
        std::ofstream(dir / "half.cre", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        std::ofstream(dir / "text.cre") << "hello";
    }
    for (const char* input : {"half.cre", "text.cre", "missing.cre"}) {
        SCOPED_TRACE(input);
        CliResult result =
            RunCli(dir, {"convert", (dir / input).string(), (dir / "out.cre").string()});
        EXPECT_EQ(result.exitCode, 2);
        ExpectOneLineError(result, input);
        EXPECT_FALSE(fs::exists(dir / "out.cre"));
    }
    CliResult unwritable = RunCli(dir, {"new", (dir / "no" / "such" / "x.cre").string()});
    EXPECT_EQ(unwritable.exitCode, 2);
    ExpectOneLineError(unwritable, "x.cre");
}

TEST(ProjectCommandsTest, UsageErrorsExitOne) {
    TempFolder dir;
    const std::vector<std::vector<std::string>> cases = {
        {}, {"frobnicate"}, {"new"}, {"convert", "a.cre"}, {"info", "--yaml", "a.cre"}};
    for (const auto& args : cases) {
        CliResult result = RunCli(dir, args);
        EXPECT_EQ(result.exitCode, 1) << (args.empty() ? "" : args[0]);
        EXPECT_FALSE(result.err.empty());
    }
    CliResult help = RunCli(dir, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("convert IN.cre OUT.cre"), std::string::npos);

    // Each command lists its own options.
    CliResult render = RunCli(dir, {"render", "--help"});
    EXPECT_EQ(render.exitCode, 0);
    for (const char* option : {"--cut N", "--zoom STEP", "--size WxH", "--help"}) {
        EXPECT_NE(render.out.find(option), std::string::npos) << option;
    }
    CliResult info = RunCli(dir, {"info", "-h"});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_NE(info.out.find("--json"), std::string::npos);
    // A flag takes no value.
    CliResult flag = RunCli(dir, {"info", "--json=yes", "a.cre"});
    EXPECT_EQ(flag.exitCode, 1);
    EXPECT_NE(flag.err.find("--json takes no value"), std::string::npos) << flag.err;
}

}  // namespace
}  // namespace plk
