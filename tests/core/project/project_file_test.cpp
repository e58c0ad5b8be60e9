#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "core/io/file_io.h"
#include "core/project/project_file.h"
#include "core/project/project_file_fixture.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

using testing_support::ProjectImage;
namespace fs = std::filesystem;

const fs::path kName = "test.cre";

TEST(ProjectFileTest, NewProjectHasTheDocumentedSizeAndReadsBackUnchanged) {
    auto project = std::make_unique<Project>(NewProject());
    std::vector<std::uint8_t> bytes = SerializeProject(*project);
    // header + palette + profile + messages + three cuts of 60 frames + cut names
    EXPECT_EQ(bytes.size(), 440440u);

    OpenedProject opened = ParseProject(bytes, kName);
    EXPECT_EQ(opened.version, ProjectVersion::V2000);
    ASSERT_EQ(opened.project.cuts.size(), 3u);
    EXPECT_EQ(opened.project.cutNames.Name(15), ToSjis("カット：16"));
    // Opening shows situation 0, whose empty lines drop to frequency 0; everything else
    // comes back byte for byte.
    ShowSituation(project->messages, 0);
    EXPECT_EQ(SerializeProject(opened.project), SerializeProject(*project));
}

TEST(ProjectFileTest, OpeningSettlesOnlyTheSituationShown) {
    // Every situation has an empty line with frequency 3 that only showing would change.
    auto project = std::make_unique<Project>(NewProject());
    for (SituationMessages& situation : project->messages.situations) {
        situation.line[2].frequency = 3;
    }
    const std::vector<std::uint8_t> bytes = SerializeProject(*project);
    auto frequencies = [](const OpenedProject& opened) {
        std::vector<std::int32_t> out;
        for (const SituationMessages& situation : opened.project.messages.situations) {
            out.push_back(situation.line[2].frequency);
        }
        return out;
    };
    std::vector<std::int32_t> expected(kSituationCount, 3);
    // An editor's browser settles the tab it shows itself: nothing is settled here.
    EXPECT_EQ(frequencies(ParseProject(bytes, kName, std::nullopt)), expected);
    expected[7] = 0;
    EXPECT_EQ(frequencies(ParseProject(bytes, kName, 7)), expected);
    // Without a browser, situation 0 is the one shown.
    expected[7] = 3;
    expected[0] = 0;
    EXPECT_EQ(frequencies(ParseProject(bytes, kName)), expected);
}

TEST(ProjectFileTest, ProjectWithoutCutsAndCutWithoutFrames) {
    auto project = std::make_unique<Project>(NewProject());
    project->cuts.clear();
    EXPECT_EQ(SerializeProject(*project).size(), 228736u);

    project->cuts.emplace_back(std::vector<FrameRecord>{}, 9);
    std::vector<std::uint8_t> bytes = SerializeProject(*project);
    EXPECT_EQ(bytes.size(), 228736u + 8u);
    OpenedProject opened = ParseProject(bytes, kName);
    ASSERT_EQ(opened.project.cuts.size(), 1u);
    EXPECT_EQ(opened.project.cuts[0].FrameCount(), 0);
    EXPECT_EQ(opened.project.cuts[0].ColumnCount(), 9);
}

TEST(ProjectFileTest, ControlMessageWithoutTerminatorIsCutAtACharacterBoundaryOnReading) {
    auto project = std::make_unique<Project>(NewProject());
    ControlBlock block{};
    block.command = static_cast<std::int32_t>(ControlCommand::Message);
    // 254 single bytes, then a double-byte character across the 255-byte limit.
    const std::string kana = ToSjis("あ");
    std::memset(block.message, 'a', sizeof block.message);
    std::memcpy(block.message + 254, kana.data(), 2);
    FrameRecord unterminated = NewControlFrame(block);
    // A terminated message keeps every byte, also those after its terminator; so does a
    // normal frame, whose control block nobody reads.
    block.message[10] = '\0';
    FrameRecord terminated = NewControlFrame(block);
    FrameRecord normal = NewNormalFrame();
    std::memset(normal.control.message, 'n', sizeof normal.control.message);
    project->cuts[0].Frame(0) = unterminated;
    project->cuts[0].Frame(1) = terminated;
    project->cuts[0].Frame(2) = normal;

    const OpenedProject opened = ParseProject(SerializeProject(*project), kName);
    const Cut& cut = opened.project.cuts[0];
    std::string expected(254, 'a');
    expected.resize(sizeof block.message, '\0');
    EXPECT_EQ(std::string(cut.Frame(0).control.message, sizeof block.message), expected);
    EXPECT_EQ(std::memcmp(&cut.Frame(1), &terminated, sizeof terminated), 0);
    EXPECT_EQ(std::memcmp(&cut.Frame(2), &normal, sizeof normal), 0);
    // What is saved now reads back unchanged.
    const std::vector<std::uint8_t> saved = SerializeProject(opened.project);
    EXPECT_EQ(SerializeProject(ParseProject(saved, kName).project), saved);
}

struct MagicCase {
    const char* name;
    std::string headerText;  // the first bytes of the header; the rest stays zero
    std::optional<ProjectVersion> expected;
};

class MagicTest : public testing::TestWithParam<MagicCase> {};

TEST_P(MagicTest, FindsTheMagicInsideTheHeaderText) {
    ProjectHeader header{};
    std::memcpy(&header, GetParam().headerText.data(), GetParam().headerText.size());
    EXPECT_EQ(DetectVersion(header), GetParam().expected);
}

const std::string k2000(kProjectMagic2000);
const std::string k1000(kProjectMagic1000);

INSTANTIATE_TEST_SUITE_P(
    Headers, MagicTest,
    testing::Values(MagicCase{"Current", k2000, ProjectVersion::V2000},
                    MagicCase{"Legacy", k1000, ProjectVersion::V1000},
                    MagicCase{"PrefixedText", "my " + k2000, ProjectVersion::V2000},
                    MagicCase{"BothPreferCurrent", k1000 + k2000, ProjectVersion::V2000},
                    MagicCase{"ZeroBeforeMagic", std::string("x\0", 2) + k2000, std::nullopt},
                    MagicCase{"Truncated", k2000.substr(0, 42), std::nullopt},
                    MagicCase{"Empty", "", std::nullopt},
                    // No terminator in the 256 text bytes: the text runs on into the
                    // count and reserved bytes, where the magic still counts.
                    MagicCase{"RunsPastTextField", std::string(250, 'x') + k2000,
                              ProjectVersion::V2000}),
    [](const auto& info) { return info.param.name; });

struct RefusalCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* detail;  // a part of the error text
};

std::vector<std::uint8_t> WithCut(std::int32_t cutCount, std::int32_t frames, std::int32_t columns,
                                  std::size_t frameBytes) {
    ProjectImage image = ProjectImage::Current(cutCount);
    image.Int(frames).Int(columns).Zeros(frameBytes).Zeros(sizeof(CutNameTable));
    return image.Bytes();
}

std::vector<RefusalCase> RefusalCases() {
    std::vector<std::uint8_t> good = WithCut(1, 2, 6, 2 * sizeof(FrameRecord));
    ProjectImage unknown;
    unknown.Header("PLK-CRE3000 CopyRight 2004 Halvorn/pelloway", 0).Zeros(300000);
    auto shortBy = [&](std::size_t n) {
        return std::vector<std::uint8_t>(good.begin(), good.end() - static_cast<long>(n));
    };
    return {
        {"UnknownMagic", unknown.Bytes(), "unknown file format"},
        {"EmptyFile", {}, "truncated"},
        {"HeaderOnly", std::vector<std::uint8_t>(good.begin(), good.begin() + 296), "palette"},
        {"MissingCutNames", shortBy(1), "cut-name"},
        {"MissingFrames", shortBy(sizeof(CutNameTable) + 1), "truncated"},
        {"NegativeCutCount", WithCut(-1, 0, 6, 0), "cut count -1"},
        {"TooManyCuts", WithCut(17, 0, 6, 0), "cut count 17"},
        {"NegativeFrames", WithCut(1, -5, 6, 0), "negative frame count"},
        {"HugeFrameCount", WithCut(1, 0x7FFFFFFF, 6, 0), "truncated"},
        {"TooFewColumns", WithCut(1, 0, 4, 0), "column count 4"},
        {"TooManyColumns", WithCut(1, 0, 28, 0), "column count 28"},
    };
}

class RefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, RefusesWithAnErrorNamingFileAndProblem) {
    try {
        ParseProject(GetParam().bytes, kName);
        FAIL() << "accepted a bad file";
    } catch (const FileError& e) {
        EXPECT_EQ(e.kind(), FileError::Kind::BadFormat);
        EXPECT_NE(std::string(e.what()).find("test.cre"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(GetParam().detail), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(BadFiles, RefusalTest, testing::ValuesIn(RefusalCases()),
                         [](const auto& info) { return info.param.name; });

TEST(ProjectFileTest, AcceptsTheColumnAndCutLimits) {
    for (auto [cuts, columns] : {std::pair{0, 6}, std::pair{16, 5}, std::pair{1, 27}}) {
        ProjectImage image = ProjectImage::Current(cuts);
        for (int i = 0; i < cuts; ++i) {
            image.Int(0).Int(columns);
        }
        image.Zeros(sizeof(CutNameTable));
        EXPECT_EQ(ParseProject(image.Bytes(), kName).project.cuts.size(),
                  static_cast<std::size_t>(cuts));
    }
}

class ProjectFileOnDiskTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir =
            fs::temp_directory_path() /
            ("plkce-project-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::size_t FilesInDir() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_dir), {}));
    }

    fs::path m_dir;
};

TEST_F(ProjectFileOnDiskTest, WriteReplacesAtomicallyAndLeavesNoTemporaryFile) {
    auto project = std::make_unique<Project>(NewProject());
    fs::path target = m_dir / "a.cre";
    WriteProjectFile(target, *project);
    WriteProjectFile(target, *project);
    EXPECT_EQ(fs::file_size(target), 440440u);
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(ProjectFileOnDiskTest, FailedWriteKeepsWhatWasThere) {
    auto project = std::make_unique<Project>(NewProject());
    // A folder in the target's place makes the final rename fail after all bytes are out.
    fs::path target = m_dir / "taken.cre";
    fs::create_directories(target / "inside");
    EXPECT_THROW(WriteProjectFile(target, *project), FileError);
    EXPECT_TRUE(fs::is_directory(target / "inside"));
    EXPECT_EQ(FilesInDir(), 1u);

    try {
        WriteProjectFile(m_dir / "missing" / "b.cre", *project);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(e.kind(), FileError::Kind::BadPath);  // the folder, not the file, is missing
    }
}

TEST_F(ProjectFileOnDiskTest, ReadingAMissingFileSaysNotFound) {
    try {
        ReadProjectFile(m_dir / "nothing.cre");
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(e.kind(), FileError::Kind::NotFound);
        EXPECT_NE(std::string(e.what()).find("nothing.cre was not found."), std::string::npos);
    }
}

// The summary reads only the header, counts, palette and names, yet describes the file and
// refuses it exactly as the full read does.
TEST_F(ProjectFileOnDiskTest, SummaryAgreesWithTheFullRead) {
    auto project = std::make_unique<Project>(NewProject());
    ResourceSlot& slot = project->palette.slot[7];
    std::strcpy(slot.name, "a.png");
    slot.kind = static_cast<std::uint8_t>(ResourceKind::Image);
    slot.worldX = -3;
    project->cuts.emplace_back(std::vector<FrameRecord>(5, NewNormalFrame()), 27);
    const fs::path good = m_dir / "good.cre";
    WriteProjectFile(good, *project);
    const OpenedProject full = ReadProjectFile(good);
    const ProjectSummary summary = ReadProjectSummary(good);
    EXPECT_EQ(summary.version, full.version);
    EXPECT_EQ(std::memcmp(&summary.palette, &full.project.palette, sizeof summary.palette), 0);
    EXPECT_EQ(std::memcmp(&summary.cutNames, &full.project.cutNames, sizeof summary.cutNames), 0);
    ASSERT_EQ(summary.cuts.size(), full.project.cuts.size());
    for (std::size_t i = 0; i < summary.cuts.size(); ++i) {
        EXPECT_EQ(summary.cuts[i].frameCount, full.project.cuts[i].FrameCount());
        EXPECT_EQ(summary.cuts[i].columnCount, full.project.cuts[i].ColumnCount());
    }

    for (const RefusalCase& bad : RefusalCases()) {
        const fs::path path = m_dir / (std::string(bad.name) + ".cre");
        WriteWholeFile(path, bad.bytes);
        std::string fullError;
        std::string summaryError;
        try {
            ReadProjectFile(path);
        } catch (const FileError& e) {
            fullError = e.what();
        }
        try {
            ReadProjectSummary(path);
        } catch (const FileError& e) {
            summaryError = e.what();
        }
        EXPECT_FALSE(summaryError.empty()) << bad.name;
        EXPECT_EQ(summaryError, fullError) << bad.name;
    }
}

}  // namespace
}  // namespace plk

namespace plk {
namespace {

// Damaged files: random truncations and corrupted count words either parse or are refused
// with a FileError; under the sanitizers this also proves no read strays past the bytes.
TEST(ProjectFileTest, DamagedFilesParseOrAreRefused) {
    auto project = std::make_unique<Project>(NewProject());
    project->cuts = {Cut(std::vector<FrameRecord>(2, NewNormalFrame()), 6),
                     Cut(std::vector<FrameRecord>(1, NewNormalFrame()), 27)};
    const std::vector<std::uint8_t> good = SerializeProject(*project);
    const std::size_t countsAt = 296 + 136192 + 2708 + 85444;
    const std::size_t hotSpots[] = {256,
                                    257,
                                    259,
                                    countsAt,
                                    countsAt + 3,
                                    countsAt + 4,
                                    countsAt + 8 + 2 * 1176,
                                    countsAt + 8 + 2 * 1176 + 4};
    std::mt19937 random(12345);
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        std::vector<std::uint8_t> bytes = good;
        for (int hits = 0; hits < 3; ++hits) {
            std::size_t at = hotSpots[random() % std::size(hotSpots)];
            bytes[at] = static_cast<std::uint8_t>(random());
        }
        if (random() % 4 == 0) {
            // A fresh allocation of the exact size, so the sanitizer sees any overread.
            bytes = std::vector<std::uint8_t>(
                bytes.begin(), bytes.begin() + static_cast<long>(random() % bytes.size()));
        }
        try {
            ParseProject(bytes, "damaged.cre");
        } catch (const FileError& e) {
            EXPECT_EQ(e.kind(), FileError::Kind::BadFormat);
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace plk
