#include <gtest/gtest.h>

#include <QImage>
#include <memory>

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

// A project whose cut 2 starts with a control frame, then frame 1 showing a 40 x 40 red
// image at world (100, 0) and frame 2 showing it turned by 90 degrees at half opacity.
fs::path WriteProject(const TempFolder& dir, bool withImageFile = true) {
    if (withImageFile) {
        testing_support::WriteFile(
            dir / "art" / "red.png",
            testing_support::PngBytes(testing_support::Filled(40, 40, Qt::red)));
    }
    auto project = std::make_unique<Project>(NewProject());
    ResourceSlot& slot = project->palette.slot[3];
    SetFieldText(slot.name, "red.png");
    SetFieldText(slot.path, (dir / "art" / "red.png").string());
    slot.kind = static_cast<std::uint8_t>(ResourceKind::Image);
    slot.worldX = 100;
    Cut& cut = project->cuts[1];
    ControlBlock wait{};
    wait.command = static_cast<std::int32_t>(ControlCommand::Wait);
    cut.Insert(0, NewControlFrame(wait));
    cut.Frame(1).cells[2].resource = 3;
    cut.Frame(2).cells[2].resource = 3;
    cut.Frame(2).cells[2].alpha = 50;
    fs::path file = dir / "p.cre";
    WriteProjectFile(file, *project);
    return file;
}

TEST(RenderCommandTest, DrawsTheNumberedFrameOfTheCut) {
    TempFolder dir;
    fs::path project = WriteProject(dir);
    fs::path out = dir / "f1.png";
    CliResult result = RunCli(
        dir, {"render", project.string(), "--cut", "2", "--frame", "1", "--out", out.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    QImage picture(QString::fromStdString(out.string()));
    ASSERT_EQ(picture.size(), QSize(1024, 768));
    EXPECT_EQ(picture.pixelColor(612, 384), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(512, 384), QColor(Qt::black));

    CliResult second = RunCli(
        dir, {"render", project.string(), "--cut", "2", "--frame", "2", "--out", out.string(),
              "--background", "0,0,255", "--guides", "crossbar,frame", "--size", "800x600"});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    picture.load(QString::fromStdString(out.string()));
    ASSERT_EQ(picture.size(), QSize(800, 600));
    EXPECT_EQ(picture.pixelColor(400, 10), QColor(Qt::white));  // the centre crossbar
    EXPECT_EQ(picture.pixelColor(50, 50), QColor(Qt::blue));
    const QColor half = picture.pixelColor(500, 310);  // red at half opacity over blue
    EXPECT_NEAR(half.red(), 128, 3);
    EXPECT_NEAR(half.blue(), 127, 3);
}

TEST(RenderCommandTest, OptionsTakeTheirValueAfterAnEqualsSignToo) {
    TempFolder dir;
    fs::path project = WriteProject(dir);
    const fs::path spaced = dir / "spaced.png", joined = dir / "joined.png";
    ASSERT_EQ(RunCli(dir, {"render", project.string(), "--cut", "2", "--frame", "2", "--out",
                           spaced.string(), "--zoom", "-1", "--background", "0,0,255"})
                  .exitCode,
              0);
    CliResult result =
        RunCli(dir, {"render", project.string(), "--cut=2", "--frame=2", "--out=" + joined.string(),
                     "--zoom=-1", "--background=0,0,255"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(QImage(QString::fromStdString(joined.string())),
              QImage(QString::fromStdString(spaced.string())));
    // A value out of range after '=' is refused as it is after a space.
    EXPECT_EQ(
        RunCli(dir, {"render", project.string(), "--cut=2", "--frame=1", "--out=x.png", "--zoom=9"})
            .exitCode,
        1);
}

TEST(RenderCommandTest, FindsAMovedImageByNameInTheCurrentFolder) {
    TempFolder dir;
    fs::path project = WriteProject(dir, false);
    testing_support::WriteFile(dir / "red.png",
                               testing_support::PngBytes(testing_support::Filled(40, 40, Qt::red)));
    // The project names the image by an absolute path that does not exist; the file
    // sits beside the project, in the folder the command runs in.
    ASSERT_EQ(
        RunCli(dir, {"render", "p.cre", "--cut", "2", "--frame", "1", "--out", "o.png"}).exitCode,
        0);
    EXPECT_EQ(QImage(QString::fromStdString((dir / "o.png").string())).pixelColor(612, 384),
              QColor(Qt::red));
}

TEST(RenderCommandTest, FindsImagesBesideTheProjectFromAnyFolderAndNamesThoseItCannot) {
    TempFolder dir;
    fs::create_directories(dir / "copy");
    fs::path project = WriteProject(dir, false);
    fs::rename(project, dir / "copy" / "p.cre");
    testing_support::WriteFile(dir / "copy" / "red.png",
                               testing_support::PngBytes(testing_support::Filled(40, 40, Qt::red)));
    CliResult found =
        RunCli(dir, {"render", "copy/p.cre", "--cut", "2", "--frame", "1", "--out", "found.png"});
    ASSERT_EQ(found.exitCode, 0) << found.err;
    EXPECT_EQ(found.err, "");
    EXPECT_EQ(QImage(QString::fromStdString((dir / "found.png").string())).pixelColor(612, 384),
              QColor(Qt::red));

    // With the file gone the frame is still drawn, but the author is told what is missing.
    fs::remove(dir / "copy" / "red.png");
    CliResult missing =
        RunCli(dir, {"render", "copy/p.cre", "--cut", "2", "--frame", "1", "--out", "missing.png"});
    ASSERT_EQ(missing.exitCode, 0) << missing.err;
    EXPECT_NE(missing.err.find("warning: slot 3 (red.png)"), std::string::npos) << missing.err;
    EXPECT_EQ(QImage(QString::fromStdString((dir / "missing.png").string())).pixelColor(612, 384),
              QColor(Qt::black));
}

TEST(RenderCommandTest, RefusesWhatItCannotDraw) {
    TempFolder dir;
    fs::path project = WriteProject(dir);
    const std::string p = project.string();
    const std::string out = (dir / "x.png").string();
    struct Case {
        std::vector<std::string> args;
        int exitCode;
    };
    const Case cases[] = {
        {{"render", p, "--cut", "4", "--frame", "1", "--out", out}, 2},   // no cut 4
        {{"render", p, "--cut", "1", "--frame", "61", "--out", out}, 2},  // 60 frames
        {{"render", (dir / "none.cre").string(), "--cut", "1", "--frame", "1", "--out", out}, 2},
        {{"render", p, "--cut", "1", "--frame", "1", "--out", out, "--zoom", "6"}, 1},
        {{"render", p, "--cut", "1", "--frame", "1", "--out", out, "--guides", "moon"}, 1},
        {{"render", p, "--cut", "1", "--out", out}, 1},
    };
    for (const Case& c : cases) {
        CliResult result = RunCli(dir, c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_FALSE(fs::exists(out));
    }
}

}  // namespace
}  // namespace plk

namespace plk {
namespace {

// Frames 1..4 of cut 1 show a white square 100 pixels further right each.
fs::path WriteSteppingProject(const TempFolder& dir) {
    testing_support::WriteFile(
        dir / "white.png", testing_support::PngBytes(testing_support::Filled(40, 40, Qt::white)));
    auto project = std::make_unique<Project>(NewProject());
    ResourceSlot& slot = project->palette.slot[1];
    SetFieldText(slot.name, "white.png");
    SetFieldText(slot.path, (dir / "white.png").string());
    slot.kind = static_cast<std::uint8_t>(ResourceKind::Image);
    Cut cut({NewNormalFrame(), NewNormalFrame(), NewNormalFrame(), NewNormalFrame()}, 6);
    for (int row = 0; row < 4; ++row) {
        cut.Frame(row).cells[1].resource = 1;
        cut.Frame(row).cells[1].x = static_cast<float>(100 * row - 100);
    }
    project->cuts[0] = cut;
    fs::path file = dir / "p.cre";
    WriteProjectFile(file, *project);
    return file;
}

TEST(RenderCommandTest, OnionSkinDrawsNeighboursTintedAndFadingBeneathTheFrame) {
    TempFolder dir;
    const std::string project = WriteSteppingProject(dir).string();
    auto render = [&](const char* onion) {
        const fs::path out = dir / (std::string("onion") + onion + ".png");
        CliResult result = RunCli(dir, {"render", project, "--cut", "1", "--frame", "2", "--out",
                                        out.string(), "--onion", onion});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return QImage(QString::fromStdString(out.string()));
    };
    const QImage none = render("0");
    const QImage one = render("1");
    const QImage two = render("2");

    EXPECT_EQ(none.pixelColor(412, 384), QColor(Qt::black));
    EXPECT_EQ(none.pixelColor(612, 384), QColor(Qt::black));
    for (const QImage& picture : {one, two}) {
        EXPECT_EQ(picture.pixelColor(512, 384), QColor(Qt::white));  // the frame itself
        const QColor before = picture.pixelColor(412, 384);
        const QColor after = picture.pixelColor(612, 384);
        EXPECT_GT(before.red(), 2 * before.green()) << before.name().toStdString();
        EXPECT_LT(before.red(), 200);  // faint
        EXPECT_GT(after.green(), 2 * after.red()) << after.name().toStdString();
        EXPECT_GT(after.blue(), 2 * after.red());
    }
    // Frame 4 is two away: only the deeper skin reaches it, fainter than frame 3.
    EXPECT_EQ(one.pixelColor(712, 384), QColor(Qt::black));
    const QColor far = two.pixelColor(712, 384);
    EXPECT_GT(far.blue(), 0);
    EXPECT_LT(far.blue(), two.pixelColor(612, 384).blue());

    CliResult bad = RunCli(dir, {"render", project, "--cut", "1", "--frame", "2", "--out",
                                 (dir / "x.png").string(), "--onion", "4"});
    EXPECT_EQ(bad.exitCode, 1);
}

}  // namespace
}  // namespace plk
