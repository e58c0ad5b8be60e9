#include <array>
#include <charconv>
#include <optional>
#include <utility>

#include "cli/command.h"
#include "cli/json.h"
#include "core/project/project_file.h"
#include "core/timesheet/frame_steps.h"

namespace plk::cli {
namespace {

// The step names of --to, as the keys of the preview and the time sheet step.
constexpr std::array<std::pair<std::string_view, FrameStep>, 6> kSteps = {{
    {"prev", FrameStep::PreviousNormal},
    {"next", FrameStep::NextNormal},
    {"first", FrameStep::FirstNormal},
    {"last", FrameStep::LastNormal},
    {"prev-control", FrameStep::PreviousControl},
    {"next-control", FrameStep::NextControl},
}};

struct StepOptions {
    std::string project;
    int cut = 0;
    std::optional<int> row;
    std::optional<FrameStep> step;
};

int ParseNumber(const std::string& text, const std::string& option, int low, int high) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        throw UsageError(option + " takes an integer from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + text + "'");
    }
    return value;
}

FrameStep ParseStep(const std::string& name) {
    for (const auto& [text, step] : kSteps) {
        if (name == text) {
            return step;
        }
    }
    throw UsageError("--to takes prev, next, first, last, prev-control or next-control, not '" +
                     name + "'");
}

StepOptions ParseOptions(CommandArgs args) {
    StepOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) {
                throw UsageError(arg + " needs a value");
            }
            return args[++i];
        };
        if (arg == "--cut") {
            options.cut = ParseNumber(value(), arg, 1, kMaxCuts);
        } else if (arg == "--row") {
            options.row = ParseNumber(value(), arg, 0, 1 << 30);
        } else if (arg == "--to") {
            options.step = ParseStep(value());
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
    if (options.cut == 0 || !options.step) {
        throw UsageError("--cut and --to are required");
    }
    const bool fromAnywhere =
        *options.step == FrameStep::FirstNormal || *options.step == FrameStep::LastNormal;
    if (!options.row && !fromAnywhere) {
        throw UsageError("--row is required for this step");
    }
    return options;
}

}  // namespace

int RunStep(CommandArgs args, std::ostream& out) {
    const StepOptions options = ParseOptions(args);
    const OpenedProject opened = ReadProjectFile(options.project);
    const Project& project = opened.project;
    if (options.cut > static_cast<int>(project.cuts.size())) {
        throw InputError(options.project + ": there is no cut " + std::to_string(options.cut) +
                         " (the project has " + std::to_string(project.cuts.size()) + ")");
    }
    const Cut& cut = project.cuts[static_cast<std::size_t>(options.cut - 1)];
    if (options.row && *options.row >= cut.FrameCount()) {
        throw InputError(options.project + ": cut " + std::to_string(options.cut) + " has no row " +
                         std::to_string(*options.row) + " (its rows are 0 to " +
                         std::to_string(cut.FrameCount() - 1) + ")");
    }
    const int row = StepRow(cut, options.row.value_or(0), *options.step);

    // The row reached and, for a normal frame, its frame number as render --frame takes it.
    JsonWriter json(out);
    json.BeginObject().Key("row");
    row >= 0 ? json.Number(row) : json.Null();
    json.Key("frame");
    if (row >= 0 && cut.Frame(row).IsNormal()) {
        json.Number(cut.NormalFramesBefore(row) + 1);
    } else {
        json.Null();
    }
    json.EndObject();
    out << '\n';
    return kExitOk;
}

}  // namespace plk::cli
