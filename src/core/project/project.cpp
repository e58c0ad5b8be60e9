#include "core/project/project.h"

#include "core/text/sjis.h"

namespace plk {

Project NewProject() {
    Project project;
    project.palette.ClearAll();
    for (int i = 0; i < kNewProjectCuts; ++i) {
        project.cuts.push_back(Cut::New());
    }
    project.cutNames = DefaultCutNames();
    ResetMessages(project.messages, MessageDefaults::NewProject);
    project.profile = ResetProfile();
    return project;
}

void ShowSituation(MessageTable& table, int k) {
    for (MessageLine& line : table.situations[static_cast<std::size_t>(k)].line) {
        if (FieldText(line.text).empty()) {
            line.frequency = 0;
        }
    }
}

}  // namespace plk
