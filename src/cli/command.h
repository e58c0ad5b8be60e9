#pragma once

#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace plk::cli {

// Exit statuses of plkce-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitBadInput = 2;  // bad input or an IO error
inline constexpr int kExitCheckErrors = 3;  // check: the character has errors

// Thrown by a command when its arguments are wrong; the message says which.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failure that is not a FileError but still concerns one input, e.g. an option value.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using CommandArgs = std::span<const std::string>;

// One option of a command, for its help and for reading "--name=value".
struct OptionSpec {
    std::string_view name;   // "--zoom"
    std::string_view value;  // "STEP"; empty for a flag
    std::string_view help;
};

struct Command {
    std::string_view name;
    std::string_view usage;    // arguments, after the command name
    std::string_view summary;  // one line
    int (*run)(CommandArgs args, std::ostream& out);
    std::span<const OptionSpec> options = {};
};

// The arguments with every "--name=value" of a known option split into "--name" "value",
// as the commands read them. A flag given a value is a usage error.
std::vector<std::string> SplitOptionValues(CommandArgs args, std::span<const OptionSpec> options);

// Every command, in the order the help lists them.
std::span<const Command> AllCommands();

// Runs plkce-cli with `args` (without the program name). Errors go to `err` as one line.
int Run(CommandArgs args, std::ostream& out, std::ostream& err);

// Throws UsageError unless exactly `count` arguments were given.
void RequireArgs(CommandArgs args, std::size_t count);

// Commands, one file each.
int RunNew(CommandArgs args, std::ostream& out);
int RunInfo(CommandArgs args, std::ostream& out);
int RunConvert(CommandArgs args, std::ostream& out);
int RunCopy(CommandArgs args, std::ostream& out);
int RunRender(CommandArgs args, std::ostream& out);
int RunExport(CommandArgs args, std::ostream& out);
int RunLzss(CommandArgs args, std::ostream& out);
int RunPack(CommandArgs args, std::ostream& out);
int RunUnpack(CommandArgs args, std::ostream& out);
int RunPlayback(CommandArgs args, std::ostream& out);
int RunMessage(CommandArgs args, std::ostream& out);
int RunCheck(CommandArgs args, std::ostream& out);
int RunRecover(CommandArgs args, std::ostream& out);
int RunAnim(CommandArgs args, std::ostream& out);

}  // namespace plk::cli
