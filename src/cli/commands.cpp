#include <array>

#include "cli/command.h"

namespace plk::cli {

std::span<const Command> AllCommands() {
    static constexpr std::array kCommands = {
        Command{"new", "OUT.cre", "write a new project (three default cuts)", RunNew},
        Command{"info", "FILE.cre [--json]", "describe a project: version, cuts, palette", RunInfo},
        Command{"convert", "IN.cre OUT.cre", "read a project (either version) and save it anew",
                RunConvert},
    };
    return kCommands;
}

}  // namespace plk::cli
