// plkce-cli loads Qt, SDL and the image codecs only for the commands that draw or play:
// those run in plkce-cli-pictures, which it hands them to.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "core/project/project_file.h"

namespace plk {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

// Runs `cli` with the dynamic loader listing every library it loads; returns that list.
std::string LoadedLibraries(const TempFolder& dir, const fs::path& cli,
                            const std::vector<std::string>& args, int* exitCode) {
    const fs::path log = dir / ".libs";
    std::string command =
        "cd " + ShellQuote(dir.Path().string()) + " && LD_DEBUG=libs " + ShellQuote(cli.string());
    for (const std::string& arg : args) {
        command += " " + ShellQuote(arg);
    }
    command += " >/dev/null 2>" + ShellQuote(log.string());
    const int status = std::system(command.c_str());
    *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const std::vector<std::uint8_t> bytes = ReadBytes(log);
    fs::remove(log);
    return {bytes.begin(), bytes.end()};
}

TEST(CliStartupTest, OnlyTheDrawingCommandsLoadTheMediaLibraries) {
    TempFolder dir;
    WriteProjectFile(dir / "p.cre", NewProject());
    WriteBytes(dir / "in.bin", std::vector<std::uint8_t>(1000, 7));
    struct Case {
        std::vector<std::string> args;
        bool drawing;
    };
    const Case cases[] = {
        {{"info", "p.cre"}, false},
        {{"check", "p.cre"}, false},
        {{"export", "p.cre", "p.ce8"}, false},
        {{"lzss", "compress", "in.bin", "in.lzss"}, false},
        {{"convert", "p.cre", "q.cre"}, false},
        {{"render", "p.cre", "--cut", "1", "--frame", "1", "--out", "f.png"}, true},
        {{"playback", "p.cre", "--cut", "1", "--simple"}, true},
    };
    for (const Case& c : cases) {
        int exitCode = -1;
        const std::string libraries = LoadedLibraries(dir, PLKCE_CLI_PATH, c.args, &exitCode);
        EXPECT_EQ(exitCode, 0) << c.args[0] << "\n" << libraries;
        // The drawing commands show that the list would name the library if it were loaded.
        EXPECT_EQ(libraries.find("libQt6Gui") != std::string::npos, c.drawing) << c.args[0];
        EXPECT_EQ(libraries.find("libspng") != std::string::npos, c.drawing) << c.args[0];
    }
}

TEST(CliStartupTest, WithoutThePicturesProgramDrawingFailsInOneLineAndTheRestWorks) {
    TempFolder dir;
    WriteProjectFile(dir / "p.cre", NewProject());
    const fs::path alone = dir / "plkce-cli";
    fs::copy_file(PLKCE_CLI_PATH, alone);
    const std::string command = "cd " + ShellQuote(dir.Path().string()) + " && ./plkce-cli ";
    const fs::path err = dir / ".err";
    auto run = [&](const std::string& args) {
        const int status = std::system((command + args + " >/dev/null 2>" + err.string()).c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run("info p.cre"), 0);
    EXPECT_EQ(run("render p.cre --cut 1 --frame 1 --out f.png"), 2);
    const std::vector<std::uint8_t> bytes = ReadBytes(err);
    const std::string message(bytes.begin(), bytes.end());
    EXPECT_EQ(message.rfind("plkce-cli render: cannot start ", 0), 0u) << message;
    EXPECT_NE(message.find("plkce-cli-pictures"), std::string::npos) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_FALSE(fs::exists(dir / "f.png"));
}

}  // namespace
}  // namespace plk
