#include <exception>
#include <new>
#include <string>
#include <vector>

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
    out << "\n'plkce-cli COMMAND --help' lists the options of a command.\n"
        << "Exit status: 0 success, 1 usage error, 2 bad input or IO error, 3 check found "
           "errors.\n";
}

void PrintCommandHelp(const Command& command, std::ostream& out) {
    out << "usage: plkce-cli " << command.name << " " << command.usage << "\n\n"
        << command.summary << "\n\nOptions:\n";
    auto line = [&out](const std::string& left, std::string_view help) {
        out << "  " << left;
        if (left.size() < 24) {
            out << std::string(24 - left.size(), ' ');
        } else {
            out << "\n" << std::string(26, ' ');
        }
        out << help << "\n";
    };
    for (const OptionSpec& option : command.options) {
        std::string left(option.name);
        if (!option.value.empty()) {
            left += " " + std::string(option.value);
        }
        line(left, option.help);
    }
    line("-h, --help", "show this help");
    if (!command.options.empty()) {
        out << "\nAn option's value follows it as the next argument or after '=' "
               "(--name VALUE or --name=VALUE).\n";
    }
}

bool AsksForHelp(CommandArgs args) {
    for (const std::string& arg : args) {
        if (arg == "--") {
            break;
        }
        if (arg == "--help" || arg == "-h") {
            return true;
        }
    }
    return false;
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

std::vector<std::string> SplitOptionValues(CommandArgs args, std::span<const OptionSpec> options) {
    std::vector<std::string> split;
    split.reserve(args.size());
    for (const std::string& arg : args) {
        const std::size_t equals = arg.find('=');
        if (arg.rfind("--", 0) != 0 || equals == std::string::npos) {
            split.push_back(arg);
            continue;
        }
        const std::string_view name(arg.data(), equals);
        const OptionSpec* known = nullptr;
        for (const OptionSpec& option : options) {
            if (option.name == name) {
                known = &option;
            }
        }
        if (known == nullptr) {
            split.push_back(arg);  // the command names it as an unknown option
        } else if (known->value.empty()) {
            throw UsageError(std::string(name) + " takes no value");
        } else {
            split.emplace_back(name);
            split.push_back(arg.substr(equals + 1));
        }
    }
    return split;
}

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
    if (AsksForHelp(args.subspan(1))) {
        PrintCommandHelp(*command, out);
        return kExitOk;
    }
    try {
        const std::vector<std::string> split = SplitOptionValues(args.subspan(1), command->options);
        return command->run(split, out);
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
