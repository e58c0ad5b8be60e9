#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "cli/cli_runner.h"
#include "core/project/project_file.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

using namespace testing_support;

const std::string kSample = PLKCE_SAMPLE_PROJECT;
constexpr int kSampleCuts = 4;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The sample as the editor's Help menu and scripts/run.sh hand it out: copied elsewhere.
std::string CopySample(const TempFolder& dir) {
    const CliResult copied = RunCli(dir, {"copy", kSample, (dir / "sample").string()});
    EXPECT_EQ(copied.exitCode, 0) << copied.err;
    return (dir / "sample" / "sample.cre").string();
}

TEST(SampleCharacterTest, PassesTheCheckWithNoErrorsOrWarningsAsBuiltAndAsCopied) {
    TempFolder dir;
    // As built, its palette names bare files, found beside the project from any folder.
    for (const std::string& project : {kSample, CopySample(dir)}) {
        const CliResult result = RunCli(dir, {"check", "--json", project});
        EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
        for (const std::string& line : Lines(result.out)) {
            EXPECT_EQ(line.find(R"("severity":"error")"), std::string::npos) << line;
            EXPECT_EQ(line.find(R"("severity":"warning")"), std::string::npos) << line;
        }
    }
}

TEST(SampleCharacterTest, EverySituationHasALineTheGameSpeaks) {
    const Project sample = ReadProjectFile(kSample).project;
    ASSERT_EQ(sample.cuts.size(), static_cast<std::size_t>(kSampleCuts));
    for (int k = 0; k < kSituationCount; ++k) {
        int spoken = 0;
        for (const MessageLine& line :
             sample.messages.situations[static_cast<std::size_t>(k)].line) {
            if (!FieldText(line.text).empty()) {
                EXPECT_GE(line.frequency, 1) << "situation " << k;
                ++spoken;
            }
        }
        EXPECT_GE(spoken, 1) << "situation " << k;
    }
    std::set<std::string> names;
    for (int c = 0; c < kSampleCuts; ++c) {
        names.insert(std::string(sample.cutNames.Name(c)));
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kSampleCuts));  // each cut its own name
}

TEST(SampleCharacterTest, ExportsAndEveryCutPlaysToItsEndOnVirtualTime) {
    TempFolder dir;
    const std::string project = CopySample(dir);
    const CliResult exported = RunCli(dir, {"export", project, (dir / "sample.ce8").string()});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_GT(std::filesystem::file_size(dir / "sample.ce8"), 0u);

    std::string clicks;  // an author clicking four times a second for a minute
    for (int ms = 250; ms <= 60000; ms += 250) {
        clicks += (clicks.empty() ? "" : ",") + std::to_string(ms);
    }
    for (int cut = 1; cut <= kSampleCuts; ++cut) {
        const std::string number = std::to_string(cut);
        for (const std::vector<std::string>& mode :
             {std::vector<std::string>{"--simple"},
              std::vector<std::string>{"--command", "--clicks", clicks}}) {
            std::vector<std::string> args = {"playback", project,   "--cut",
                                             number,     "--until", "120000"};
            args.insert(args.end(), mode.begin(), mode.end());
            const CliResult played = RunCli(dir, args);
            ASSERT_EQ(played.exitCode, 0) << played.err;
            const std::vector<std::string> lines = Lines(played.out);
            ASSERT_FALSE(lines.empty());
            EXPECT_NE(lines.back().find(R"("end":"rows")"), std::string::npos)
                << "cut " << cut << " " << mode.front() << ": " << lines.back();
        }
    }
}

TEST(SampleCharacterTest, TheTalkingCutKeepsMovingWhileItsMessageWaits) {
    TempFolder dir;
    const std::string project = CopySample(dir);
    const CliResult played =
        RunCli(dir, {"playback", project, "--cut", "2", "--command", "--until", "6000"});
    ASSERT_EQ(played.exitCode, 0) << played.err;
    std::set<std::string> rowsUnderMessage;
    for (const std::string& line : Lines(played.out)) {
        if (line.find(R"("message":null)") == std::string::npos &&
            line.find(R"("row":)") != std::string::npos) {
            rowsUnderMessage.insert(line.substr(line.find(R"("row":)"), 10));
        }
    }
    EXPECT_GT(rowsUnderMessage.size(), 10u);  // the REPEAT loop, not a still picture
    EXPECT_NE(played.out.find(R"("end":"until")"), std::string::npos);  // waits for a click
}

}  // namespace
}  // namespace plk
