#include <exception>
#include <new>
#include <string>

#include "cli/command.h"
#include "core/io/file_error.h"

namespace plk::cli {
namespace {

void PrintHelp(std::ostream& out) {
    out << "usage: plkce-cli COMMAND [ARGS]\n\nCommands:\n";
    for (const Command& command : AllCommands()) {
        std::string line = "  " + std::string(command.name) + " " + std::string(command.usage);
        out << line;
        if (line.size() < 40) {
            out << std::string(40 - line.size(), ' ');
        } else {
            out << "\n" << std::string(40, ' ');
        }
        out << command.summary << "\n";
    }
    out << "\nExit status: 0 success, 1 usage error, 2 bad input or IO error.\n";
}

const Command* FindCommand(std::string_view name) {
    for (const Command& command : AllCommands()) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

}  // namespace

void RequireArgs(CommandArgs args, std::size_t count) {
    if (args.size() != count) {
        throw UsageError("expected " + std::to_string(count) + " argument" +
                         (count == 1 ? "" : "s") + ", got " + std::to_string(args.size()));
    }
}

int Run(CommandArgs args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintHelp(err);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(out);
        return kExitOk;
    }
    const Command* command = FindCommand(args[0]);
    if (command == nullptr) {
        err << "plkce-cli: unknown command '" << args[0] << "' (try plkce-cli --help)\n";
        return kExitUsage;
    }
    try {
        return command->run(args.subspan(1), out);
    } catch (const UsageError& e) {
        err << "plkce-cli " << command->name << ": " << e.what() << " (usage: plkce-cli "
            << command->name << " " << command->usage << ")\n";
        return kExitUsage;
    } catch (const FileError& e) {
        err << "plkce-cli " << command->name << ": " << e.what() << "\n";
        return kExitBadInput;
    } catch (const InputError& e) {
        err << "plkce-cli " << command->name << ": " << e.what() << "\n";
        return kExitBadInput;
    } catch (const std::bad_alloc&) {
        err << "plkce-cli " << command->name << ": out of memory\n";
        return kExitBadInput;
    } catch (const std::exception& e) {
        err << "plkce-cli " << command->name << ": " << e.what() << "\n";
        return kExitBadInput;
    }
}

}  // namespace plk::cli
