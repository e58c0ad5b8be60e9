#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <sstream>

#include "cli/cli_runner.h"
#include "core/project/project_file.h"
#include "core/text/sjis.h"
#include "render/test_images.h"

namespace plk {
namespace {

using testing_support::CliResult;
using testing_support::RunCli;
using testing_support::TempFolder;
namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        lines.push_back(line);
    }
    return lines;
}

FrameRecord Control(ControlCommand command, int position, int time, std::string_view utf8 = {}) {
    ControlBlock block{};
    block.command = static_cast<std::int32_t>(command);
    block.position = position;
    block.time = time;
    SetFieldText(block.message, ToSjis(utf8));
    return NewControlFrame(block);
}

// Cut 1: two frames showing a red image, a MESSAGE "はい", one more frame.
fs::path WriteProject(const TempFolder& dir) {
    testing_support::WriteFile(dir / "red.png",
                               testing_support::PngBytes(testing_support::Filled(40, 40, Qt::red)));
    auto project = std::make_unique<Project>(NewProject());
    ResourceSlot& slot = project->palette.slot[1];
    SetFieldText(slot.name, "red.png");
    SetFieldText(slot.path, (dir / "red.png").string());
    slot.kind = static_cast<std::uint8_t>(ResourceKind::Image);
    Cut cut({NewNormalFrame(), NewNormalFrame(), Control(ControlCommand::Message, 0, 0, "はい"),
             NewNormalFrame()},
            6);
    cut.Frame(0).cells[1].resource = 1;
    cut.Frame(1).cells[1].resource = 1;
    project->cuts[0] = cut;
    ControlBlock odd{};
    odd.command = 11;
    project->cuts[1] = Cut({NewNormalFrame(), NewControlFrame(odd)}, 6);
    fs::path file = dir / "p.cre";
    WriteProjectFile(file, *project);
    return file;
}

TEST(PlaybackCommandTest, TracesACommandPlaybackWithClicks) {
    TempFolder dir;
    const fs::path project = WriteProject(dir);
    CliResult result = RunCli(dir, {"playback", project.string(), "--cut", "1", "--command",
                                    "--clicks", "500", "--frames", "frames"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[0], R"({"t":0,"row":0,"frame":1,"message":null,"overlay":null})");
    EXPECT_EQ(lines[2], R"({"t":33,"row":0,"frame":1,"message":null,"overlay":null})");
    EXPECT_EQ(lines[3], R"({"t":50,"row":1,"frame":2,"message":null,"overlay":null})");
    // The message types one character per pass ("はい" is 4 bytes), then waits for the
    // click at 500 ms; the last frame follows.
    EXPECT_NE(result.out.find(R"("row":2,"frame":3,"message":2,"overlay":null)"),
              std::string::npos);
    EXPECT_NE(result.out.find(R"("row":2,"frame":3,"message":4,"overlay":null)"),
              std::string::npos);
    EXPECT_NE(result.out.find(R"({"t":516,"row":3,"frame":3,"message":null,"overlay":null})"),
              std::string::npos);
    EXPECT_EQ(lines.back(), R"({"t":550,"end":"rows"})");

    // Every present was written; the red image is in the first one, the text in a later.
    const QImage first(QString::fromStdString((dir / "frames" / "000001.png").string()));
    ASSERT_EQ(first.size(), QSize(1024, 768));
    EXPECT_EQ(first.pixelColor(512, 384), QColor(Qt::red));
    char last[16];
    std::snprintf(last, sizeof last, "%06zu.png", lines.size() - 1);
    EXPECT_TRUE(fs::exists(dir / "frames" / last));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "frames"), fs::directory_iterator{}),
              static_cast<std::ptrdiff_t>(lines.size() - 1));
}

TEST(PlaybackCommandTest, SimplePlaybackRepeatsUntilTheGivenTime) {
    TempFolder dir;
    const fs::path project = WriteProject(dir);
    CliResult result = RunCli(dir, {"playback", project.string(), "--cut", "1", "--simple",
                                    "--repeat", "--speed", "7", "--until", "450"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, R"({"t":0,"row":0,"frame":1,"message":null,"overlay":null})"
                          "\n"
                          R"({"t":100,"row":1,"frame":2,"message":null,"overlay":null})"
                          "\n"
                          R"({"t":200,"row":3,"frame":3,"message":null,"overlay":null})"
                          "\n"
                          R"({"t":400,"row":0,"frame":1,"message":null,"overlay":null})"
                          "\n"
                          R"({"t":450,"end":"until"})"
                          "\n");
}

TEST(PlaybackCommandTest, ReportsAStallAndRefusesBadArguments) {
    TempFolder dir;
    const fs::path project = WriteProject(dir);
    const std::string p = project.string();
    CliResult stalled = RunCli(dir, {"playback", p, "--cut", "2", "--command"});
    ASSERT_EQ(stalled.exitCode, 0) << stalled.err;
    EXPECT_EQ(Lines(stalled.out).back(), R"({"t":50,"end":"stalled"})");

    struct Case {
        std::vector<std::string> args;
        int exitCode;
    };
    const Case cases[] = {
        {{"playback", p, "--cut", "1"}, 1},
        {{"playback", p, "--cut", "1", "--simple", "--command"}, 1},
        {{"playback", p, "--cut", "1", "--command", "--repeat"}, 1},
        {{"playback", p, "--cut", "1", "--simple", "--speed", "13"}, 1},
        {{"playback", p, "--cut", "1", "--command", "--clicks", "5,x"}, 1},
        {{"playback", p, "--cut", "1", "--command", "--hold", "30"}, 1},
        {{"playback", p, "--cut", "9", "--command"}, 2},
        {{"playback", (dir / "none.cre").string(), "--cut", "1", "--command"}, 2},
    };
    for (const Case& c : cases) {
        CliResult result = RunCli(dir, c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
}

TEST(PlaybackCommandTest, FramesOnAFileSayItIsNotAFolder) {
    TempFolder dir;
    const fs::path project = WriteProject(dir);
    for (const fs::path& frames : {project, project / "frames"}) {
        CliResult result = RunCli(dir, {"playback", project.string(), "--cut", "1", "--command",
                                        "--frames", frames.string()});
        EXPECT_EQ(result.exitCode, 2) << result.err;
        EXPECT_NE(result.err.find(project.string() + " is not a folder"), std::string::npos)
            << result.err;
        EXPECT_EQ(result.err.find("not found"), std::string::npos) << result.err;
    }
}

TEST(MessageCommandTest, PrintsPositionsAndWritesTheStrip) {
    TempFolder dir;
    CliResult result = RunCli(dir, {"message", "あいa\\\\「b", "--json", "--out", "strip.png"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, R"({"byte":0,"line":0,"x":0,"y":0})"
                          "\n"
                          R"({"byte":2,"line":0,"x":32,"y":0})"
                          "\n"
                          R"({"byte":4,"line":0,"x":64,"y":0})"
                          "\n"
                          R"({"byte":7,"line":1,"x":32,"y":32})"
                          "\n"
                          R"({"byte":9,"line":1,"x":64,"y":32})"
                          "\n");
    const QImage strip(QString::fromStdString((dir / "strip.png").string()));
    ASSERT_EQ(strip.size(), QSize(800, 96));
    EXPECT_EQ(strip.pixelColor(790, 90), QColor(Qt::black));
    int inked = 0;
    for (int x = 0; x < 32; ++x) {
        for (int y = 0; y < 32; ++y) {
            inked += qGray(strip.pixel(x, y)) >= 192 ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 20);
    EXPECT_EQ(RunCli(dir, {"message"}).exitCode, 1);
}

}  // namespace
}  // namespace plk
