#pragma once

#include <sys/wait.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace plk::testing_support {

struct CliResult {
    int exitCode;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs the built plkce-cli with `args` in `folder`, capturing both output streams.
inline CliResult RunCli(const TempFolder& folder, const std::vector<std::string>& args) {
    auto quote = ShellQuote;
    std::filesystem::path out = folder / ".cli-out";
    std::filesystem::path err = folder / ".cli-err";
    std::string command = "cd " + quote(folder.Path().string()) + " && " + quote(PLKCE_CLI_PATH);
    for (const std::string& arg : args) {
        command += " " + quote(arg);
    }
    command += " >" + quote(out.string()) + " 2>" + quote(err.string());
    int status = std::system(command.c_str());
    CliResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, {}, {}};
    auto slurp = [](const std::filesystem::path& path) {
        std::vector<std::uint8_t> bytes = ReadBytes(path);
        std::filesystem::remove(path);
        return std::string(bytes.begin(), bytes.end());
    };
    result.out = slurp(out);
    result.err = slurp(err);
    return result;
}

}  // namespace plk::testing_support
