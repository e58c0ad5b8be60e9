#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cli/cli_runner.h"
#include "core/io/file_io.h"
#include "core/project/project_file.h"
#include "core/project/recovery_copy.h"

namespace plk {
namespace {

using testing_support::CliResult;
using testing_support::RunCli;
using testing_support::TempFolder;
using testing_support::WriteBytes;

// The copies of an editor that crashed: listed, one written out as the project a save
// would have written; a damaged one is listed as such and writes nothing.
TEST(RecoverCommandTest, ListsCopiesAndWritesOneOutAsAProject) {
    TempFolder dir;
    const std::string state = (dir / "state").string();
    ::setenv("XDG_STATE_HOME", state.c_str(), 1);
    const std::filesystem::path folder = RecoveryFolder();

    CliResult empty = RunCli(dir, {"recover", "--list"});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_NE(empty.out.find("no recovery copies"), std::string::npos) << empty.out;

    Project project = NewProject();
    project.cutNames.SetName(2, "jump");
    const std::vector<std::uint8_t> saveBytes = SerializeProject(project);
    RecoveryRecord record = CurrentProcessRecord();
    record.originalPath = "/home/author/chara.cre";
    record.savedAtMs = 1'700'000'000'000;
    pid_t ended = ::fork();
    if (ended == 0) {
        ::_exit(0);
    }
    ::waitpid(ended, nullptr, 0);
    record.pid = ended;
    const auto copy = RecoveryCopyPath(folder, record);
    WriteRecoveryCopy(copy, record, saveBytes);
    const std::vector<std::uint8_t> damaged(100, 7);
    WriteBytes(folder / "1-2.plkrec", damaged);

    CliResult list = RunCli(dir, {"recover", "--list"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_NE(list.out.find(copy.string() +
                            "\n  project: /home/author/chara.cre\n"
                            "  saved:   2023-11-14 22:13:20 UTC\n"
                            "  editor:  process " +
                            std::to_string(ended) + ", ended\n"),
              std::string::npos)
        << list.out;
    EXPECT_NE(list.out.find("1-2.plkrec\n  damaged: "), std::string::npos) << list.out;

    CliResult out = RunCli(dir, {"recover", copy.string(), (dir / "out.cre").string()});
    ASSERT_EQ(out.exitCode, 0) << out.err;
    EXPECT_EQ(ReadWholeFile(dir / "out.cre"), saveBytes);

    CliResult refused =
        RunCli(dir, {"recover", (folder / "1-2.plkrec").string(), (dir / "bad.cre").string()});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("1-2.plkrec"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "bad.cre"));
    EXPECT_EQ(RunCli(dir, {"recover", "--lost"}).exitCode, 1);
    ::unsetenv("XDG_STATE_HOME");
}

}  // namespace
}  // namespace plk
