#include <gtest/gtest.h>

#include <algorithm>

#include "cli_runner.h"
#include "core/codec/lzss_encoder.h"
#include "core/project/game_export.h"
#include "core/project/project_file.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing_support::ReadBytes;
using testing_support::RunCli;
using testing_support::TempFolder;
using testing_support::WriteBytes;

Bytes SomeContent() {
    Bytes content;
    for (int i = 0; i < 20000; ++i) {
        content.push_back(static_cast<std::uint8_t>("plk character "[i % 14] + (i / 997) % 3));
    }
    return content;
}

bool Exists(const TempFolder& folder, const std::string& name) {
    return std::filesystem::exists(folder / name);
}

// One line on stderr, naming what is wrong.
void ExpectOneLineError(const testing_support::CliResult& result, int exitCode,
                        const std::string& mention) {
    EXPECT_EQ(result.exitCode, exitCode);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find(mention), std::string::npos) << result.err;
}

TEST(CodecCommandsTest, RawStreamsRoundTrip) {
    TempFolder folder;
    WriteBytes(folder / "abc.txt", Bytes{'a', 'b', 'c'});
    ASSERT_EQ(RunCli(folder, {"lzss", "compress", "abc.txt", "abc.lzss"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(folder / "abc.lzss"), (Bytes{0x07, 'a', 'b', 'c'}));

    WriteBytes(folder / "in.bin", SomeContent());
    ASSERT_EQ(RunCli(folder, {"lzss", "compress", "in.bin", "in.lzss"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(folder / "in.lzss"), LzssEncoder().Encode(SomeContent()));
    ASSERT_EQ(RunCli(folder, {"lzss", "decompress", "in.lzss", "back.bin"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(folder / "back.bin"), SomeContent());

    // A stream cut inside a match keeps what came before it.
    WriteBytes(folder / "cut.lzss", Bytes{0x01, 'q', 0xEE});
    ASSERT_EQ(RunCli(folder, {"lzss", "decompress", "cut.lzss", "cut.bin"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(folder / "cut.bin"), Bytes{'q'});
}

TEST(CodecCommandsTest, PackedBlocksRoundTrip) {
    TempFolder folder;
    WriteBytes(folder / "in.bin", SomeContent());
    ASSERT_EQ(RunCli(folder, {"pack", "in.bin", "in.pr3"}).exitCode, 0);
    Bytes block = ReadBytes(folder / "in.pr3");
    ASSERT_GE(block.size(), 36u);
    EXPECT_EQ(std::string(block.begin(), block.begin() + 8), "WINPRS03");
    ASSERT_EQ(RunCli(folder, {"unpack", "in.pr3", "out.bin"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(folder / "out.bin"), SomeContent());
}

TEST(CodecCommandsTest, BadInputFailsWithoutWritingAnything) {
    TempFolder folder;
    WriteBytes(folder / "plain.bin", SomeContent());
    WriteBytes(folder / "keep.bin", Bytes{9, 9});

    ExpectOneLineError(RunCli(folder, {"unpack", "plain.bin", "out.bin"}), 2, "plain.bin");
    EXPECT_FALSE(Exists(folder, "out.bin"));
    ExpectOneLineError(RunCli(folder, {"unpack", "plain.bin", "keep.bin"}), 2, "WINPRS03");
    EXPECT_EQ(ReadBytes(folder / "keep.bin"), (Bytes{9, 9}));

    ExpectOneLineError(RunCli(folder, {"pack", "missing.bin", "out.pr3"}), 2, "missing.bin");
    ExpectOneLineError(RunCli(folder, {"lzss", "decompress", "missing", "out"}), 2, "missing");
    ExpectOneLineError(RunCli(folder, {"export", "plain.bin", "out.ce8"}), 2, "plain.bin");
    ExpectOneLineError(RunCli(folder, {"pack", "plain.bin", "no/such/folder.pr3"}), 2,
                       "folder.pr3");

    ExpectOneLineError(RunCli(folder, {"lzss", "squash", "plain.bin", "out"}), 1, "squash");
    ExpectOneLineError(RunCli(folder, {"lzss", "compress", "plain.bin"}), 1, "usage");
    ExpectOneLineError(RunCli(folder, {"export", "plain.bin"}), 1, "usage");

    auto entries = folder.Entries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"keep.bin", "plain.bin"}));
}

TEST(CodecCommandsTest, ExportsAProjectAsTheCoreDoes) {
    TempFolder folder;
    WriteBytes(folder / "face.png", SomeContent());
    Project project = NewProject();
    ResourceSlot& slot = project.palette.slot[1];
    SetFieldText(slot.name, "face.png");
    SetFieldText(slot.path, ToSjis((folder / "face.png").string()));
    slot.kind = static_cast<std::uint8_t>(ResourceKind::Image);
    WriteProjectFile(folder / "chara.cre", project);

    ASSERT_EQ(RunCli(folder, {"export", "chara.cre", "chara.ce8"}).exitCode, 0);
    ExportGame(ReadProjectFile(folder / "chara.cre").project, folder / "expected.ce8");
    EXPECT_EQ(ReadBytes(folder / "chara.ce8"), ReadBytes(folder / "expected.ce8"));

    std::filesystem::remove(folder / "face.png");
    ExpectOneLineError(RunCli(folder, {"export", "chara.cre", "again.ce8"}), 2, "resource slot 1");
    EXPECT_FALSE(Exists(folder, "again.ce8"));
}

TEST(CodecCommandsTest, ExportFindsResourcesThatMovedWithTheProject) {
    // Written in one folder, then the project and its images/ folder copied to another;
    // the command runs from a third folder.
    TempFolder folder;
    std::filesystem::create_directories(folder / "copy" / "images");
    WriteBytes(folder / "copy" / "images" / "face.png", SomeContent());
    Project project = NewProject();
    ResourceSlot& slot = project.palette.slot[1];
    SetFieldText(slot.name, "face.png");
    SetFieldText(slot.path, "/no/longer/there/images/face.png");
    slot.kind = static_cast<std::uint8_t>(ResourceKind::Image);
    WriteProjectFile(folder / "copy" / "chara.cre", project);

    TempFolder elsewhere;
    const std::string cre = (folder / "copy" / "chara.cre").string();
    ASSERT_EQ(RunCli(elsewhere, {"export", cre, "chara.ce8"}).exitCode, 0);
    Project expected = ReadProjectFile(cre).project;
    SetFieldText(expected.palette.slot[1].path,
                 ToSjis((folder / "copy" / "images" / "face.png").string()));
    ExportGame(expected, folder / "expected.ce8");
    EXPECT_EQ(ReadBytes(elsewhere / "chara.ce8"), ReadBytes(folder / "expected.ce8"));
    // The project file itself is not touched.
    EXPECT_EQ(ReadProjectFile(cre).project.palette.slot[1].Path(),
              "/no/longer/there/images/face.png");
}

}  // namespace
}  // namespace plk
