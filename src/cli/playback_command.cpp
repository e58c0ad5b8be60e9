#include <cerrno>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

#include "cli/command.h"
#include "cli/json.h"
#include "cli/picture_output.h"
#include "core/io/file_error.h"
#include "core/playback/playback_speed.h"
#include "core/project/project_file.h"
#include "media/anim/virtual_playback.h"
#include "media/render/renderer.h"

namespace plk::cli {
namespace {

struct PlaybackOptions {
    std::string project;
    int cut = 0;
    bool simple = false;
    bool command = false;
    bool repeat = false;
    int speed = kDefaultSpeedPosition;
    std::vector<std::int64_t> clicks;
    std::vector<std::pair<std::int64_t, std::int64_t>> holds;
    std::int64_t until = kDefaultVirtualUntilMs;
    std::optional<std::filesystem::path> frames;
};

std::int64_t ParseMs(const std::string& text, const std::string& option) {
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) {
        throw UsageError(option + " takes milliseconds (an integer of at least 0), not '" + text +
                         "'");
    }
    return value;
}

PlaybackOptions ParseOptions(CommandArgs args) {
    PlaybackOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) {
                throw UsageError(arg + " needs a value");
            }
            return args[++i];
        };
        if (arg == "--cut") {
            const std::int64_t cut = ParseMs(value(), arg);
            if (cut < 1 || cut > kMaxCuts) {
                throw UsageError("--cut takes a cut number from 1 to 16");
            }
            options.cut = static_cast<int>(cut);
        } else if (arg == "--simple") {
            options.simple = true;
        } else if (arg == "--command") {
            options.command = true;
        } else if (arg == "--repeat") {
            options.repeat = true;
        } else if (arg == "--speed") {
            const std::string& text = value();
            const std::int64_t speed = ParseMs(text, arg);
            if (speed < 1 || speed > kSpeedPositions) {
                throw UsageError("--speed takes a position from 1 to 12, not '" + text + "'");
            }
            options.speed = static_cast<int>(speed);
        } else if (arg == "--clicks") {
            std::stringstream list(value());
            std::string item;
            while (std::getline(list, item, ',')) {
                options.clicks.push_back(ParseMs(item, arg));
            }
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
            options.holds.emplace_back(from, to);
        } else if (arg == "--until") {
            options.until = ParseMs(value(), arg);
        } else if (arg == "--frames") {
            options.frames = value();
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
    if (options.cut == 0) {
        throw UsageError("--cut is required");
    }
    if (options.simple == options.command) {
        throw UsageError("give one of --simple and --command");
    }
    if (options.repeat && !options.simple) {
        throw UsageError("--repeat goes with --simple");
    }
    return options;
}

// One JSON line for a present, and the canvas as the next numbered PNG when asked.
class TraceWriter {
public:
    TraceWriter(std::ostream& out, std::optional<std::filesystem::path> frames)
        : m_out(out), m_frames(std::move(frames)) {}

    void Presented(std::int64_t ms, const PresentInfo& info) {
        JsonWriter json(m_out);
        json.BeginObject().Key("t").Number(ms).Key("row");
        info.row >= 0 ? json.Number(info.row) : json.Null();
        json.Key("frame").Number(info.frame).Key("message");
        info.message ? json.Number(static_cast<long long>(*info.message)) : json.Null();
        json.Key("overlay");
        info.overlay.empty() ? json.Null() : json.String(info.overlay);
        json.EndObject();
        m_out << '\n';
        if (m_frames) {
            char name[32];
            std::snprintf(name, sizeof name, "%06d.png", ++m_presents);
            WritePng(Renderer::Instance().Canvas(), (*m_frames / name).string());
        }
    }

private:
    std::ostream& m_out;
    std::optional<std::filesystem::path> m_frames;
    int m_presents = 0;
};

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

// Creates the folder the drawn frames go to. When a file stands where the folder or one
// of its parents should be, the error names that file as not being a folder.
void MakeFramesFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error && std::filesystem::is_directory(folder, error)) {
        return;
    }
    for (std::filesystem::path at = folder; !at.empty(); at = at.parent_path()) {
        std::error_code statError;
        const auto status = std::filesystem::status(at, statError);
        if (std::filesystem::exists(status)) {
            if (!std::filesystem::is_directory(status)) {
                throw FileError(FileError::Kind::BadPath, folder, at.string() + " is not a folder");
            }
            break;
        }
        if (at == at.parent_path()) {
            break;
        }
    }
    throw FileError::FromErrno(error ? error.value() : ENOTDIR, folder);
}

}  // namespace

int RunPlayback(CommandArgs args, std::ostream& out) {
    const PlaybackOptions options = ParseOptions(args);
    OpenedProject opened = ReadProjectFile(options.project);
    const Project& project = opened.project;
    if (options.cut > static_cast<int>(project.cuts.size())) {
        throw InputError(options.project + ": there is no cut " + std::to_string(options.cut) +
                         " (the project has " + std::to_string(project.cuts.size()) + ")");
    }
    if (options.frames) {
        MakeFramesFolder(*options.frames);
    }
    const Cut& cut = project.cuts[static_cast<std::size_t>(options.cut - 1)];

    Renderer& renderer = Renderer::Instance();
    if (renderer.Init() != Renderer::kOk) {
        throw InputError("the drawing canvas could not be created");
    }
    renderer.SetSoundPlayer([](std::string_view) {});
    LoadPaletteImages(project.palette, options.project, std::cerr);

    VirtualPlaybackOptions run;
    run.command = options.command;
    run.repeat = options.repeat;
    run.speed = options.speed;
    run.clicks = options.clicks;
    run.holds = options.holds;
    run.until = options.until;
    TraceWriter trace(out, options.frames);
    const RunResult result = PlayCutOnVirtualTime(
        cut, project.palette, run,
        [&](std::int64_t ms, const PresentInfo& info) { trace.Presented(ms, info); });
    renderer.Shutdown();
    JsonWriter(out)
        .BeginObject()
        .Key("t")
        .Number(result.endMs)
        .Key("end")
        .String(EndName(result.end))
        .EndObject();
    out << '\n';
    return kExitOk;
}

}  // namespace plk::cli
