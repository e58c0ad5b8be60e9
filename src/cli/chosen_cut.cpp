#include "cli/chosen_cut.h"

#include "cli/command.h"

namespace plk::cli {

const Cut& ChosenCut(const Project& project, const std::string& file, int number) {
    if (number < 1 || number > static_cast<int>(project.cuts.size())) {
        throw InputError(file + ": there is no cut " + std::to_string(number) +
                         " (the project has " + std::to_string(project.cuts.size()) + ")");
    }
    return project.cuts[static_cast<std::size_t>(number - 1)];
}

}  // namespace plk::cli
