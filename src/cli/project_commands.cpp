#include <string>

#include "cli/command.h"
#include "cli/json.h"
#include "cli/option_reader.h"
#include "core/project/project_copy.h"
#include "core/project/project_file.h"
#include "core/text/sjis.h"

namespace plk::cli {
namespace {

const char* KindName(ResourceKind kind) {
    switch (kind) {
        case ResourceKind::Empty:
            return "empty";
        case ResourceKind::Image:
            return "image";
        case ResourceKind::Sound:
            return "sound";
    }
    return "unknown";
}

void PrintText(const ProjectSummary& project, std::ostream& out) {
    out << "version: " << static_cast<int>(project.version) << "\n";
    out << "cuts: " << project.cuts.size() << "\n";
    for (std::size_t i = 0; i < project.cuts.size(); ++i) {
        const ProjectSummary::CutShape& cut = project.cuts[i];
        out << "  cut " << i + 1 << ": " << cut.frameCount << " frames, " << cut.columnCount
            << " columns, name \"" << SjisToUtf8(project.cutNames.Name(static_cast<int>(i)))
            << "\"\n";
    }
    int used = 0;
    for (const ResourceSlot& slot : project.palette.slot) {
        used += slot.IsEmpty() ? 0 : 1;
    }
    out << "palette: " << used << " used slot" << (used == 1 ? "" : "s") << "\n";
    for (int s = 0; s < kResourceSlots; ++s) {
        const ResourceSlot& slot = project.palette.slot[static_cast<std::size_t>(s)];
        if (slot.IsEmpty()) {
            continue;
        }
        out << "  slot " << s << ": " << KindName(slot.Kind()) << " " << SjisToUtf8(slot.Name())
            << " (" << SjisToUtf8(slot.Path()) << ") at " << slot.worldX << ", " << slot.worldY
            << "\n";
    }
}

void PrintJson(const ProjectSummary& project, std::ostream& out) {
    JsonWriter json(out);
    json.BeginObject();
    json.Key("version").Number(static_cast<int>(project.version));
    json.Key("cutCount").Number(static_cast<long long>(project.cuts.size()));
    json.Key("cuts").BeginArray();
    for (std::size_t i = 0; i < project.cuts.size(); ++i) {
        const ProjectSummary::CutShape& cut = project.cuts[i];
        json.BeginObject();
        json.Key("index").Number(static_cast<long long>(i));
        json.Key("frames").Number(cut.frameCount);
        json.Key("columns").Number(cut.columnCount);
        json.Key("name").String(SjisToUtf8(project.cutNames.Name(static_cast<int>(i))));
        json.EndObject();
    }
    json.EndArray();
    json.Key("palette").BeginArray();
    for (int s = 0; s < kResourceSlots; ++s) {
        const ResourceSlot& slot = project.palette.slot[static_cast<std::size_t>(s)];
        if (slot.IsEmpty()) {
            continue;
        }
        json.BeginObject();
        json.Key("slot").Number(s);
        json.Key("kind").String(KindName(slot.Kind()));
        json.Key("name").String(SjisToUtf8(slot.Name()));
        json.Key("path").String(SjisToUtf8(slot.Path()));
        json.Key("worldX").Number(slot.worldX);
        json.Key("worldY").Number(slot.worldY);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << "\n";
}

}  // namespace

int RunNew(CommandArgs args, std::ostream&) {
    RequireArgs(args, 1);
    WriteProjectFile(args[0], NewProject());
    return kExitOk;
}

int RunInfo(CommandArgs args, std::ostream& out) {
    bool asJson = false;
    OptionReader reader(args);
    while (reader.Next()) {
        if (reader.Is("--json")) {
            asJson = true;
        } else {
            reader.TakeOperand();
        }
    }
    const std::string& file = reader.Operand("no project file given");
    // Only what is described is read: the frames are skipped, however many there are.
    const ProjectSummary summary = ReadProjectSummary(file);
    if (asJson) {
        PrintJson(summary, out);
    } else {
        PrintText(summary, out);
    }
    return kExitOk;
}

int RunConvert(CommandArgs args, std::ostream&) {
    RequireArgs(args, 2);
    OpenedProject opened = ReadProjectFile(args[0]);
    WriteProjectFile(args[1], opened.project);
    return kExitOk;
}

int RunCopy(CommandArgs args, std::ostream& out) {
    RequireArgs(args, 2);
    out << CopyProjectWithResources(args[0], args[1]).string() << "\n";
    return kExitOk;
}

}  // namespace plk::cli
