#pragma once

#include <string>

#include "core/project/project.h"

namespace plk::cli {

// The cut numbered `number` (from 1, in tab order, as --cut takes it) of the project read from
// `file`; a number past the project's cuts is an InputError naming the file.
const Cut& ChosenCut(const Project& project, const std::string& file, int number);

}  // namespace plk::cli
