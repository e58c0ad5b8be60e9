#include <algorithm>
#include <cctype>
#include <cmath>
#include <iostream>

#include "cli/chosen_cut.h"
#include "cli/command.h"
#include "cli/json.h"
#include "cli/option_reader.h"
#include "cli/picture_output.h"
#include "core/project/project_file.h"
#include "media/anim/animation_export.h"
#include "media/render/renderer.h"

namespace plk::cli {
namespace {

struct AnimOptions {
    std::string project;
    int cut = 0;
    std::string out;
    bool simple = false;
    bool command = false;
    AnimationExportOptions exported;
};

double ParseScale(const std::string& text) {
    std::size_t used = 0;
    double scale = 0;
    try {
        scale = std::stod(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || !std::isfinite(scale) || scale < 0.05 || scale > 4) {
        throw UsageError("--scale takes a factor from 0.05 to 4, not '" + text + "'");
    }
    return scale;
}

AnimationFormat FormatOf(const std::string& out) {
    std::string extension = std::filesystem::path(out).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".gif") {
        return AnimationFormat::Gif;
    }
    if (extension == ".webp") {
        return AnimationFormat::Webp;
    }
    throw UsageError("--out names a .gif or a .webp file, not '" + out + "'");
}

AnimOptions ParseOptions(CommandArgs args) {
    AnimOptions options;
    VirtualPlaybackOptions& playback = options.exported.playback;
    bool clicksOrHolds = false;
    OptionReader reader(args);
    while (reader.Next()) {
        if (reader.Is("--cut")) {
            options.cut = reader.Int(1, kMaxCuts, "a cut number");
        } else if (reader.Is("--out")) {
            options.out = reader.Value();
        } else if (reader.Is("--simple")) {
            options.simple = true;
        } else if (reader.Is("--command")) {
            options.command = true;
        } else if (reader.Is("--speed")) {
            playback.speed = reader.Int(1, kSpeedPositions, "a position");
        } else if (reader.Is("--clicks")) {
            for (const std::int64_t click : reader.MsList()) {
                playback.clicks.push_back(click);
            }
            clicksOrHolds = true;
        } else if (reader.Is("--hold")) {
            playback.holds.push_back(reader.MsRange());
            clicksOrHolds = true;
        } else if (reader.Is("--until")) {
            playback.until = reader.Ms();
        } else if (reader.Is("--region")) {
            const std::vector<std::string> parts = reader.Parts(',', 4, "X,Y,W,H");
            const int x = reader.IntOf(parts[0], 0, kCanvasWidth - 1, "X");
            const int y = reader.IntOf(parts[1], 0, kCanvasHeight - 1, "Y");
            const int w = reader.IntOf(parts[2], 1, kCanvasWidth - x, "a width");
            const int h = reader.IntOf(parts[3], 1, kCanvasHeight - y, "a height");
            options.exported.region = QRect(x, y, w, h);
        } else if (reader.Is("--scale")) {
            options.exported.scale = ParseScale(reader.Value());
        } else if (reader.Is("--lossy")) {
            options.exported.lossyQuality = reader.Int(0, 100, "a quality");
        } else {
            reader.TakeOperand();
        }
    }
    options.project = reader.Operand("no project file given");
    if (options.cut == 0 || options.out.empty()) {
        throw UsageError("--cut and --out are required");
    }
    if (options.simple && options.command) {
        throw UsageError("give one of --simple and --command");
    }
    if (options.simple && clicksOrHolds) {
        throw UsageError("--clicks and --hold go with --command");
    }
    options.exported.format = FormatOf(options.out);
    if (options.exported.lossyQuality && options.exported.format != AnimationFormat::Webp) {
        throw UsageError("--lossy goes with a .webp file");
    }
    // The game plays a cut by its commands; simple playback only when asked.
    playback.command = !options.simple;
    return options;
}

}  // namespace

int RunAnim(CommandArgs args, std::ostream& out) {
    const AnimOptions options = ParseOptions(args);
    OpenedProject opened = ReadProjectFile(options.project);
    const Project& project = opened.project;
    const Cut& cut = ChosenCut(project, options.project, options.cut);

    Renderer& renderer = StartCommandRenderer(project.palette, options.project);
    AnimationSummary summary;
    try {
        summary = ExportAnimation(cut, project.palette, options.exported, options.out);
    } catch (...) {
        renderer.Shutdown();
        throw;
    }
    renderer.Shutdown();
    const QSize size = AnimationSize(options.exported);
    JsonWriter(out)
        .BeginObject()
        .Key("width")
        .Number(size.width())
        .Key("height")
        .Number(size.height())
        .Key("presents")
        .Number(static_cast<long long>(summary.presents))
        .Key("frames")
        .Number(static_cast<long long>(summary.frames))
        .Key("t")
        .Number(summary.durationMs)
        .Key("end")
        .String(RunEndName(summary.end))
        .EndObject();
    out << '\n';
    return kExitOk;
}

}  // namespace plk::cli
