#include <cerrno>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/chosen_cut.h"
#include "cli/command.h"
#include "cli/json.h"
#include "cli/option_reader.h"
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

PlaybackOptions ParseOptions(CommandArgs args) {
    PlaybackOptions options;
    OptionReader reader(args);
    while (reader.Next()) {
        if (reader.Is("--cut")) {
            options.cut = reader.Int(1, kMaxCuts, "a cut number");
        } else if (reader.Is("--simple")) {
            options.simple = true;
        } else if (reader.Is("--command")) {
            options.command = true;
        } else if (reader.Is("--repeat")) {
            options.repeat = true;
        } else if (reader.Is("--speed")) {
            options.speed = reader.Int(1, kSpeedPositions, "a position");
        } else if (reader.Is("--clicks")) {
            for (const std::int64_t click : reader.MsList()) {
                options.clicks.push_back(click);
            }
        } else if (reader.Is("--hold")) {
            options.holds.push_back(reader.MsRange());
        } else if (reader.Is("--until")) {
            options.until = reader.Ms();
        } else if (reader.Is("--frames")) {
            options.frames = reader.Value();
        } else {
            reader.TakeOperand();
        }
    }
    options.project = reader.Operand("no project file given");
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
    const Cut& cut = ChosenCut(project, options.project, options.cut);
    if (options.frames) {
        MakeFramesFolder(*options.frames);
    }

    Renderer& renderer = StartCommandRenderer(project.palette, options.project);

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
        .String(RunEndName(result.end))
        .EndObject();
    out << '\n';
    return kExitOk;
}

}  // namespace plk::cli
