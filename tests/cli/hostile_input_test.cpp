// The CLI against inputs and surroundings that are not what it expects: named pipes, huge
// sparse files, a file-size limit and names it cannot write.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "cli_runner.h"
#include "core/project/project_file.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

using testing_support::CliResult;
using testing_support::ReadBytes;
using testing_support::RunCli;
using testing_support::ShellQuote;
using testing_support::TempFolder;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

// Runs `shell` (which calls the CLI as "$CLI") in `folder` with a time limit, so that a
// command that blocks fails the test instead of hanging it.
CliResult RunShell(const TempFolder& folder, const std::string& shell) {
    const fs::path err = folder / ".err";
    const std::string command = "cd " + ShellQuote(folder.Path().string()) +
                                " && CLI=" + ShellQuote(PLKCE_CLI_PATH) + " timeout 60 sh -c " +
                                ShellQuote(shell) + " >/dev/null 2>" + ShellQuote(err.string());
    const int status = std::system(command.c_str());
    std::vector<std::uint8_t> bytes = ReadBytes(err);
    fs::remove(err);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, {}, {bytes.begin(), bytes.end()}};
}

void ExpectRefusal(const CliResult& result, const std::string& mention) {
    EXPECT_EQ(result.exitCode, 2) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find(mention), std::string::npos) << result.err;
}

TEST(HostileInputTest, NamedPipesAreRefusedAtOnce) {
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    const std::vector<std::vector<std::string>> commands = {
        {"info", "pipe"},
        {"convert", "pipe", "out.cre"},
        {"lzss", "compress", "pipe", "out"},
        {"lzss", "decompress", "pipe", "out"},
        {"pack", "pipe", "out"},
        {"unpack", "pipe", "out"},
        {"render", "pipe", "--cut", "1", "--frame", "1", "--out", "out.png"},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args[0]);
        std::string shell = "\"$CLI\"";
        for (const std::string& arg : args) {
            shell += " " + ShellQuote(arg);
        }
        ExpectRefusal(RunShell(folder, shell), "pipe is not a regular file. (it is a named pipe)");
    }

    // A pipe in a palette slot stops the export, naming the slot; nothing is left behind.
    auto project = std::make_unique<Project>(NewProject());
    ResourceSlot& slot = project->palette.slot[4];
    SetFieldText(slot.name, "pipe");
    SetFieldText(slot.path, ToSjis((folder / "pipe").string()));
    slot.kind = static_cast<std::uint8_t>(ResourceKind::Sound);
    WriteProjectFile(folder / "chara.cre", *project);
    ExpectRefusal(RunShell(folder, "\"$CLI\" export chara.cre chara.ce8"), "resource slot 4");
    std::vector<std::string> left = folder.Entries();
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"chara.cre", "pipe"}));
}

// Sizes are checked before anything is read: a 5 GiB sparse file is refused at once.
TEST(HostileInputTest, FilesTooLargeForTheFormatAreRefusedBeforeReading) {
    TempFolder folder;
    WriteBytes(folder / "huge", std::vector<std::uint8_t>{1});
    fs::resize_file(folder / "huge", 5ull << 30);
    const auto start = std::chrono::steady_clock::now();
    ExpectRefusal(RunCli(folder, {"pack", "huge", "out"}), "4 GiB or larger");
    ExpectRefusal(RunCli(folder, {"lzss", "compress", "huge", "out"}), "4 GiB or larger");
    ExpectRefusal(RunCli(folder, {"info", "huge"}), "no project magic");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"huge"});
}

// Past a file-size limit the write fails with a message instead of SIGXFSZ killing the
// process, and the temporary file goes away.
TEST(HostileInputTest, FileSizeLimitGivesAnErrorAndLeavesNoTemporary) {
    TempFolder folder;
    std::vector<std::uint8_t> noise(256 * 1024);
    std::uint32_t state = 1;
    for (std::uint8_t& byte : noise) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    WriteBytes(folder / "noise", noise);
    ExpectRefusal(RunShell(folder, "ulimit -f 64 && \"$CLI\" pack noise out"), "file-size limit");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"noise"});
}

TEST(HostileInputTest, UnwritableNamesAreExplainedInWords) {
    TempFolder folder;
    const struct {
        std::string target;
        std::string says;
    } cases[] = {
        {"nodir/x.cre", "the folder nodir does not exist"},
        {"", "No file name was given."},
        {"/", "it is a folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        ExpectRefusal(RunCli(folder, {"new", c.target}), c.says);
    }
    EXPECT_TRUE(folder.Entries().empty());
}

}  // namespace
}  // namespace plk
