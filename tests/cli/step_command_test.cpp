#include <gtest/gtest.h>

#include <memory>

#include "cli/cli_runner.h"
#include "core/project/project_file.h"

namespace plk {
namespace {

using testing_support::CliResult;
using testing_support::RunCli;
using testing_support::TempFolder;
namespace fs = std::filesystem;

FrameRecord Control(ControlCommand command) {
    ControlBlock block{};
    block.command = static_cast<std::int32_t>(command);
    return NewControlFrame(block);
}

// Cut 1, rows: 0 WAIT, 1 frame 1, 2 frame 2, 3 REPEAT, 4 frame 3, 5 MESSAGE, 6 frame 4.
// Cut 2 has normal frames only.
fs::path WriteProject(const TempFolder& dir) {
    auto project = std::make_unique<Project>(NewProject());
    project->cuts[0] = Cut({Control(ControlCommand::Wait), NewNormalFrame(), NewNormalFrame(),
                            Control(ControlCommand::Repeat), NewNormalFrame(),
                            Control(ControlCommand::Message), NewNormalFrame()},
                           6);
    project->cuts[1] = Cut({NewNormalFrame(), NewNormalFrame()}, 6);
    fs::path file = dir / "p.cre";
    WriteProjectFile(file, *project);
    return file;
}

TEST(StepCommandTest, PrintsTheRowEachStepLandsOn) {
    TempFolder dir;
    const std::string project = WriteProject(dir).string();
    struct Case {
        std::vector<std::string> args;
        const char* out;
    };
    const Case cases[] = {
        {{"--row", "2", "--to", "next"}, R"({"row":4,"frame":3})"},  // over the control frame
        {{"--row", "4", "--to", "prev"}, R"({"row":2,"frame":2})"},
        {{"--row", "3", "--to", "prev"}, R"({"row":2,"frame":2})"},        // from a control row
        {{"--row", "1", "--to", "prev"}, R"({"row":null,"frame":null})"},  // none before
        {{"--row", "6", "--to", "next"}, R"({"row":null,"frame":null})"},
        {{"--to", "first"}, R"({"row":1,"frame":1})"},
        {{"--to", "last"}, R"({"row":6,"frame":4})"},
        {{"--row", "1", "--to", "next-control"}, R"({"row":3,"frame":null})"},
        {{"--row", "6", "--to", "prev-control"}, R"({"row":5,"frame":null})"},
        {{"--row", "0", "--to", "prev-control"}, R"({"row":null,"frame":null})"},
        {{"--cut", "2", "--row", "0", "--to", "next-control"}, R"({"row":null,"frame":null})"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"step", project};
        if (c.args.front() != "--cut") {
            args.insert(args.end(), {"--cut", "1"});
        }
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliResult result = RunCli(dir, args);
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, std::string(c.out) + "\n");
    }

    // Wrong input says what is wrong: usage errors exit 1, a row or cut the file lacks 2.
    const std::vector<std::pair<std::vector<std::string>, int>> errors = {
        {{"--cut", "1", "--to", "next"}, 1},  // no row to step from
        {{"--cut", "1", "--row", "1", "--to", "sideways"}, 1},
        {{"--cut", "1", "--row", "7", "--to", "next"}, 2},  // past the last row
        {{"--cut", "9", "--to", "first"}, 2},
    };
    for (const auto& [extra, code] : errors) {
        std::vector<std::string> args = {"step", project};
        args.insert(args.end(), extra.begin(), extra.end());
        const CliResult result = RunCli(dir, args);
        EXPECT_EQ(result.exitCode, code) << testing::PrintToString(extra);
        EXPECT_FALSE(result.err.empty());
        EXPECT_TRUE(result.out.empty());
    }
}

}  // namespace
}  // namespace plk
