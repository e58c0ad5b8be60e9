#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace plk::test {

struct CliResult {
    int exitCode;
    std::string out;
    std::string err;
};

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string ShellQuote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs the built plkce-cli as a user would, capturing its exit status and both streams.
inline CliResult RunCli(const std::vector<std::string>& args,
                        const std::filesystem::path& scratch) {
    std::string command = ShellQuote(PLKCE_CLI_PATH);
    for (const std::string& arg : args) {
        command += " " + ShellQuote(arg);
    }
    std::filesystem::path out = scratch / "cli.stdout";
    std::filesystem::path err = scratch / "cli.stderr";
    command += " >" + ShellQuote(out.string()) + " 2>" + ShellQuote(err.string()) + " </dev/null";
    int status = std::system(command.c_str());
    CliResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(out), ReadText(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
}

// A fresh folder per test, removed afterwards.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name)
        : m_path(std::filesystem::temp_directory_path() / ("plkce-cli-" + name)) {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~ScratchDir() { std::filesystem::remove_all(m_path); }
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

}  // namespace plk::test
