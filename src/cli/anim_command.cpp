#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <iostream>
#include <sstream>

#include "cli/command.h"
#include "cli/json.h"
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

std::int64_t ParseInteger(const std::string& text, const std::string& option, std::int64_t low,
                          std::int64_t high, const char* what) {
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        throw UsageError(option + " takes " + what + ", not '" + text + "'");
    }
    return value;
}

std::int64_t ParseMs(const std::string& text, const std::string& option) {
    return ParseInteger(text, option, 0, INT64_MAX / 1000,
                        "milliseconds (an integer of at least 0)");
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator)) {
        parts.push_back(part);
    }
    if (!text.empty() && text.back() == separator) {
        parts.emplace_back();
    }
    return parts;
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
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) {
                throw UsageError(arg + " needs a value");
            }
            return args[++i];
        };
        if (arg == "--cut") {
            options.cut =
                static_cast<int>(ParseInteger(value(), arg, 1, kMaxCuts, "a cut number 1..16"));
        } else if (arg == "--out") {
            options.out = value();
        } else if (arg == "--simple") {
            options.simple = true;
        } else if (arg == "--command") {
            options.command = true;
        } else if (arg == "--speed") {
            playback.speed = static_cast<int>(
                ParseInteger(value(), arg, 1, kSpeedPositions, "a position from 1 to 12"));
        } else if (arg == "--clicks") {
            for (const std::string& item : Split(value(), ',')) {
                playback.clicks.push_back(ParseMs(item, arg));
            }
            clicksOrHolds = true;
        } else if (arg == "--hold") {
            const std::string& text = value();
            const auto dash = text.find('-');
            if (dash == std::string::npos) {
                throw UsageError("--hold takes FROM-TO in milliseconds, not '" + text + "'");
            }
            const std::int64_t from = ParseMs(text.substr(0, dash), arg);
            const std::int64_t to = ParseMs(text.substr(dash + 1), arg);
            if (to < from) {
                throw UsageError("--hold: the range " + text + " ends before it starts");
            }
            playback.holds.emplace_back(from, to);
            clicksOrHolds = true;
        } else if (arg == "--until") {
            playback.until = ParseMs(value(), arg);
        } else if (arg == "--region") {
            const std::vector<std::string> parts = Split(value(), ',');
            if (parts.size() != 4) {
                throw UsageError("--region takes X,Y,W,H");
            }
            const int x = static_cast<int>(
                ParseInteger(parts[0], arg, 0, kCanvasWidth - 1, "X from 0 to 1023"));
            const int y = static_cast<int>(
                ParseInteger(parts[1], arg, 0, kCanvasHeight - 1, "Y from 0 to 767"));
            const int w = static_cast<int>(
                ParseInteger(parts[2], arg, 1, kCanvasWidth - x, "a width within the canvas"));
            const int h = static_cast<int>(
                ParseInteger(parts[3], arg, 1, kCanvasHeight - y, "a height within the canvas"));
            options.exported.region = QRect(x, y, w, h);
        } else if (arg == "--scale") {
            const std::string& text = value();
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
            options.exported.scale = scale;
        } else if (arg == "--lossy") {
            options.exported.lossyQuality =
                static_cast<int>(ParseInteger(value(), arg, 0, 100, "a quality from 0 to 100"));
        } else if (!arg.empty() && arg[0] == '-') {
            throw UsageError("unknown option " + arg);
        } else if (options.project.empty()) {
            options.project = arg;
        } else {
            throw UsageError("unexpected argument " + arg);
        }
    }
    if (options.project.empty()) {
        throw UsageError("no project file given");
    }
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

const char* EndName(RunEnd end) {
    switch (end) {
        case RunEnd::Rows:
            return "rows";
        case RunEnd::Until:
            return "until";
        case RunEnd::Stalled:
            return "stalled";
    }
    return "rows";
}

}  // namespace

int RunAnim(CommandArgs args, std::ostream& out) {
    const AnimOptions options = ParseOptions(args);
    OpenedProject opened = ReadProjectFile(options.project);
    const Project& project = opened.project;
    if (options.cut > static_cast<int>(project.cuts.size())) {
        throw InputError(options.project + ": there is no cut " + std::to_string(options.cut) +
                         " (the project has " + std::to_string(project.cuts.size()) + ")");
    }
    const Cut& cut = project.cuts[static_cast<std::size_t>(options.cut - 1)];

    Renderer& renderer = Renderer::Instance();
    if (renderer.Init() != Renderer::kOk) {
        throw InputError("the drawing canvas could not be created");
    }
    renderer.SetSoundPlayer([](std::string_view) {});
    LoadPaletteImages(project.palette, options.project, std::cerr);
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
        .String(EndName(summary.end))
        .EndObject();
    out << '\n';
    return kExitOk;
}

}  // namespace plk::cli
