#include <array>
#include <optional>
#include <utility>

#include "cli/chosen_cut.h"
#include "cli/command.h"
#include "cli/json.h"
#include "cli/option_reader.h"
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
    OptionReader reader(args);
    while (reader.Next()) {
        if (reader.Is("--cut")) {
            options.cut = reader.Int(1, kMaxCuts, "a cut number");
        } else if (reader.Is("--row")) {
            options.row = reader.Int(0, 1 << 30);
        } else if (reader.Is("--to")) {
            options.step = ParseStep(reader.Value());
        } else {
            reader.TakeOperand();
        }
    }
    options.project = reader.Operand("no project file given");
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
    const Cut& cut = ChosenCut(project, options.project, options.cut);
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
