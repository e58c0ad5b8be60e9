#include <string>

#include "cli/command.h"
#include "cli/json.h"
#include "cli/option_reader.h"
#include "core/check/check_character.h"
#include "core/project/project_file.h"

namespace plk::cli {
namespace {

// The place as the editor numbers it: cuts, rows and lines from 1, situations and slots
// as their tabs and slots are numbered.
void WritePlace(JsonWriter& json, const Place& place) {
    json.BeginObject();
    if (place.cut >= 0) {
        json.Key("cut").Number(place.cut + 1);
    }
    if (place.row >= 0) {
        json.Key("row").Number(place.row + 1);
    }
    if (place.situation >= 0) {
        json.Key("situation").Number(place.situation);
    }
    if (place.line >= 0) {
        json.Key("line").Number(place.line + 1);
    }
    if (place.slot >= 0) {
        json.Key("slot").Number(place.slot);
    }
    if (!place.profile.empty()) {
        json.Key("profile").String(place.profile);
    }
    if (!place.tendency.empty()) {
        json.Key("tendency").String(place.tendency);
    }
    json.EndObject();
}

std::string PlaceText(const Place& place) {
    std::string text;
    auto add = [&text](const std::string& part) { text += (text.empty() ? "" : " ") + part; };
    if (place.slot >= 0) {
        add("slot " + std::to_string(place.slot));
    }
    if (place.cut >= 0) {
        add("cut " + std::to_string(place.cut + 1));
    }
    if (place.row >= 0) {
        add("row " + std::to_string(place.row + 1));
    }
    if (place.situation >= 0) {
        add("situation " + std::to_string(place.situation));
    }
    if (place.line >= 0) {
        add("line " + std::to_string(place.line + 1));
    }
    if (!place.profile.empty()) {
        add("profile " + place.profile);
    }
    if (!place.tendency.empty()) {
        add("tendency " + place.tendency);
    }
    return text;
}

}  // namespace

int RunCheck(CommandArgs args, std::ostream& out) {
    bool json = false;
    OptionReader reader(args);
    while (reader.Next()) {
        if (reader.Is("--json")) {
            json = true;
        } else {
            reader.TakeOperand();
        }
    }
    const std::string& file = reader.Operand("no project file given");
    const OpenedProject opened = ReadProjectFile(file);
    const Findings findings = CheckCharacterWithFiles(opened.project, file);
    for (const Finding& finding : findings) {
        if (json) {
            JsonWriter writer(out);
            writer.BeginObject();
            writer.Key("severity").String(SeverityName(finding.severity));
            writer.Key("code").String(finding.code);
            writer.Key("place");
            WritePlace(writer, finding.place);
            writer.Key("text").String(finding.english);
            writer.EndObject();
            out << "\n";
        } else {
            out << SeverityName(finding.severity) << " " << finding.code << " ["
                << PlaceText(finding.place) << "] " << finding.english << "\n";
        }
    }
    return HasErrors(findings) ? kExitCheckErrors : kExitOk;
}

}  // namespace plk::cli
