#include <gtest/gtest.h>
#include <webp/demux.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <cstdlib>
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

// A picture with smooth gradients and hard edges, so a palette has work to do.
QImage Gradient(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y,
                           qRgb(x * 255 / width, y * 255 / height, (x / 16 + y / 16) % 2 * 200));
        }
    }
    return image;
}

FrameRecord Control(ControlCommand command, std::string_view utf8) {
    ControlBlock block{};
    block.command = static_cast<std::int32_t>(command);
    SetFieldText(block.message, ToSjis(utf8));
    return NewControlFrame(block);
}

// Cut 1: a gradient moving across three frames, a message typed and clicked away, a last
// frame; the canvas is cut to a region around them in the tests to keep them quick.
fs::path WriteProject(const TempFolder& dir) {
    testing_support::WriteFile(dir / "g.png", testing_support::PngBytes(Gradient(160, 120)));
    auto project = std::make_unique<Project>(NewProject());
    ResourceSlot& slot = project->palette.slot[1];
    SetFieldText(slot.name, "g.png");
    SetFieldText(slot.path, (dir / "g.png").string());
    slot.kind = static_cast<std::uint8_t>(ResourceKind::Image);
    Cut cut({NewNormalFrame(), NewNormalFrame(), NewNormalFrame(),
             Control(ControlCommand::Message, "はい、どうぞ"), NewNormalFrame()},
            6);
    for (int row : {0, 1, 2, 4}) {
        cut.Frame(row).cells[1].resource = 1;
        cut.Frame(row).cells[1].x = static_cast<float>(row * 10);
        cut.Frame(row).cells[1].rotation = row * 5;
    }
    project->cuts[0] = cut;
    fs::path file = dir / "p.cre";
    WriteProjectFile(file, *project);
    return file;
}

struct Present {
    std::int64_t t;
    QImage picture;
};

// The presents of `playback --frames` for the same run, with their times.
std::vector<Present> PlaybackPresents(const TempFolder& dir, std::vector<std::string> run,
                                      std::int64_t& endMs) {
    std::vector<std::string> args = {"playback"};
    args.insert(args.end(), run.begin(), run.end());
    args.insert(args.end(), {"--frames", "frames"});
    CliResult result = RunCli(dir, args);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::vector<Present> presents;
    std::stringstream lines(result.out);
    std::string line;
    while (std::getline(lines, line)) {
        const std::int64_t t = std::atoll(line.c_str() + line.find(':') + 1);
        if (line.find("\"end\"") != std::string::npos) {
            endMs = t;
            break;
        }
        char name[16];
        std::snprintf(name, sizeof name, "%06zu.png", presents.size() + 1);
        presents.push_back({t, QImage(QString::fromStdString((dir / "frames" / name).string()))
                                   .convertToFormat(QImage::Format_RGBA8888)});
    }
    return presents;
}

// The picture on show at `ms`: the last present at or before it.
const QImage& ShownAt(const std::vector<Present>& presents, std::int64_t ms) {
    std::size_t shown = 0;
    for (std::size_t i = 0; i < presents.size() && presents[i].t <= ms; ++i) {
        shown = i;
    }
    return presents[shown].picture;
}

double MeanAbsoluteError(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* p = a.constScanLine(y);
        const uchar* q = b.constScanLine(y);
        for (int x = 0; x < a.width() * 4; ++x) {
            sum += std::abs(p[x] - q[x]);
        }
    }
    return sum / (a.width() * a.height() * 4.0);
}

const std::vector<std::string> kRun = {"--cut", "1", "--command", "--clicks", "700"};

TEST(AnimCommandTest, LosslessWebpFramesAreThePlaybackPresentsMerged) {
    TempFolder dir;
    std::vector<std::string> run = kRun;
    run.insert(run.begin(), WriteProject(dir).string());
    std::int64_t endMs = -1;
    const std::vector<Present> presents = PlaybackPresents(dir, run, endMs);
    ASSERT_FALSE(presents.empty());

    std::vector<std::string> args = {"anim"};
    args.insert(args.end(), run.begin(), run.end());
    args.insert(args.end(), {"--out", "a.webp"});
    CliResult result = RunCli(dir, args);
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const std::vector<std::uint8_t> bytes = testing_support::ReadBytes(dir / "a.webp");
    WebPData data{bytes.data(), bytes.size()};
    WebPAnimDecoderOptions options;
    ASSERT_TRUE(WebPAnimDecoderOptionsInit(&options));
    options.color_mode = MODE_RGBA;
    std::unique_ptr<WebPAnimDecoder, void (*)(WebPAnimDecoder*)> decoder(
        WebPAnimDecoderNew(&data, &options), WebPAnimDecoderDelete);
    ASSERT_TRUE(decoder);
    int previousEnd = 0;
    int frames = 0;
    while (WebPAnimDecoderHasMoreFrames(decoder.get())) {
        std::uint8_t* pixels = nullptr;
        int end = 0;
        ASSERT_TRUE(WebPAnimDecoderGetNext(decoder.get(), &pixels, &end));
        const QImage frame(pixels, 1024, 768, QImage::Format_RGBA8888);
        EXPECT_TRUE(frame == ShownAt(presents, previousEnd)) << "frame at " << previousEnd;
        // A frame that merged repeats changes at its end.
        if (end < endMs) {
            EXPECT_FALSE(ShownAt(presents, end) == frame) << "frame ending at " << end;
        }
        previousEnd = end;
        ++frames;
    }
    EXPECT_EQ(previousEnd, endMs);
    EXPECT_LT(frames, static_cast<int>(presents.size()));  // the waiting message merged
    EXPECT_NE(result.out.find("\"t\":" + std::to_string(endMs)), std::string::npos) << result.out;
}

TEST(AnimCommandTest, GifFramesStayCloseToThePlaybackPresentsAndLastAsLong) {
    TempFolder dir;
    std::vector<std::string> run = kRun;
    run.insert(run.begin(), WriteProject(dir).string());
    std::int64_t endMs = -1;
    const std::vector<Present> presents = PlaybackPresents(dir, run, endMs);
    ASSERT_FALSE(presents.empty());

    std::vector<std::string> args = {"anim"};
    args.insert(args.end(), run.begin(), run.end());
    args.insert(args.end(), {"--out", "a.GIF"});
    CliResult result = RunCli(dir, args);
    ASSERT_EQ(result.exitCode, 0) << result.err;

    QImageReader reader(QString::fromStdString((dir / "a.GIF").string()), "gif");
    std::int64_t start = 0;
    int frames = 0;
    QImage frame;
    while (reader.read(&frame)) {
        const QImage rgba = frame.convertToFormat(QImage::Format_RGBA8888);
        ASSERT_EQ(rgba.size(), QSize(1024, 768));
        EXPECT_LE(MeanAbsoluteError(rgba, ShownAt(presents, start)), 4.0) << "frame at " << start;
        start += reader.nextImageDelay();
        ++frames;
    }
    EXPECT_GT(frames, 3);
    EXPECT_LE(std::abs(start - endMs), 10) << start << " against " << endMs;
}

TEST(AnimCommandTest, RefusesBadArgumentsAndLeavesNoFile) {
    TempFolder dir;
    const std::string p = WriteProject(dir).string();
    struct Case {
        std::vector<std::string> args;
        int exitCode;
    };
    const Case cases[] = {
        {{"anim", p, "--cut", "1"}, 1},
        {{"anim", p, "--cut", "1", "--out", "a.png"}, 1},
        {{"anim", p, "--cut", "1", "--out", "a.gif", "--simple", "--command"}, 1},
        {{"anim", p, "--cut", "1", "--out", "a.gif", "--simple", "--clicks", "5"}, 1},
        {{"anim", p, "--cut", "1", "--out", "a.gif", "--lossy", "50"}, 1},
        {{"anim", p, "--cut", "1", "--out", "a.gif", "--region", "1000,0,100,10"}, 1},
        {{"anim", p, "--cut", "1", "--out", "a.gif", "--scale", "0"}, 1},
        {{"anim", p, "--cut", "9", "--out", "a.gif"}, 2},
        {{"anim", p, "--cut", "1", "--out", "a.gif", "--until", "0"}, 2},
        {{"anim", p, "--cut", "1", "--out", "none/a.webp"}, 2},
    };
    for (const Case& c : cases) {
        CliResult result = RunCli(dir, c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args.back() << ": " << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"g.png", "p.cre"}));
}

}  // namespace
}  // namespace plk
