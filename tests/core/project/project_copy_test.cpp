#include "core/project/project_copy.h"

#include <gtest/gtest.h>

#include "core/io/file_error.h"
#include "core/project/project_file.h"
#include "support/character_fixture.h"
#include "support/temp_folder.h"

namespace plk {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

const std::vector<std::uint8_t> kPicture = {1, 2, 3};
const std::vector<std::uint8_t> kSound = {4, 5};

// A project in `folder` whose slots name their files as an author's project may: a path
// relative to the project, a bare name, and a full path that no longer exists (the file
// moved next to the project into the folder it was in).
std::filesystem::path WriteProjectWithFiles(const TempFolder& folder) {
    std::filesystem::create_directories(folder / "images");
    WriteBytes(folder / "images" / "face.png", kPicture);
    WriteBytes(folder / "bell.wav", kSound);
    WriteBytes(folder / "arm.png", kPicture);
    Project project = testing_support::CleanProject();
    testing_support::FillSlot(project, 1, "face.png", "images/face.png");
    testing_support::FillSlot(project, 2, "bell.wav", "bell.wav");
    testing_support::FillSlot(project, 3, "arm.png", "/gone/elsewhere/arm.png");
    project.palette.slot[1].worldX = 12;
    const std::filesystem::path file = folder / "chara.cre";
    WriteProjectFile(file, project);
    return file;
}

TEST(ProjectCopyTest, CopiesTheFilesAndPointsTheCopyAtThem) {
    TempFolder source;
    TempFolder target;
    const std::filesystem::path original = WriteProjectWithFiles(source);
    const std::vector<std::uint8_t> originalBytes = ReadBytes(original);

    const std::filesystem::path copy = CopyProjectWithResources(original, target / "new folder");

    EXPECT_EQ(copy, target / "new folder" / "chara.cre");
    const Project copied = ReadProjectFile(copy).project;
    const std::pair<int, std::vector<std::uint8_t>> expected[] = {
        {1, kPicture}, {2, kSound}, {3, kPicture}};
    for (const auto& [slot, bytes] : expected) {
        const ResourceSlot& s = copied.palette.slot[static_cast<std::size_t>(slot)];
        const std::filesystem::path path(std::string(s.Path()));
        EXPECT_EQ(path, target / "new folder" / std::string(s.Name())) << slot;
        EXPECT_EQ(ReadBytes(path), bytes) << slot;
    }
    EXPECT_EQ(copied.palette.slot[1].worldX, 12);
    EXPECT_EQ(ReadBytes(original), originalBytes);  // the original is left as it was
}

TEST(ProjectCopyTest, ReplacesItsOwnEarlierCopyButRefusesTheProjectsFolder) {
    TempFolder source;
    TempFolder target;
    const std::filesystem::path original = WriteProjectWithFiles(source);
    WriteBytes(target / "face.png", std::vector<std::uint8_t>{9});
    CopyProjectWithResources(original, target.Path());
    EXPECT_EQ(ReadBytes(target / "face.png"), kPicture);

    try {
        CopyProjectWithResources(original, source.Path());
        FAIL() << "copied onto itself";
    } catch (const FileError& error) {
        EXPECT_EQ(error.kind(), FileError::Kind::BadPath);
    }
}

TEST(ProjectCopyTest, AMissingFileFailsBeforeAnythingIsWritten) {
    TempFolder source;
    TempFolder target;
    const std::filesystem::path original = WriteProjectWithFiles(source);
    std::filesystem::remove(source / "bell.wav");
    try {
        CopyProjectWithResources(original, target / "copy");
        FAIL() << "copied without the sound";
    } catch (const FileError& error) {
        EXPECT_EQ(error.kind(), FileError::Kind::NotFound);
        EXPECT_EQ(error.path(), std::filesystem::path("bell.wav"));
    }
    EXPECT_FALSE(std::filesystem::exists(target / "copy"));
}

}  // namespace
}  // namespace plk
