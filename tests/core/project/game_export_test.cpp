#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../codec/test_inputs.h"
#include "core/codec/lzss_decoder.h"
#include "core/io/file_error.h"
#include "core/project/export_layout.h"
#include "core/project/game_export.h"
#include "core/project/project_file.h"
#include "core/text/sjis.h"
#include "support/temp_folder.h"

namespace plk {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing_support::TempFolder;

// Reads a game file back independently of the exporter, checking every size on the way.
class GameFileReader {
public:
    explicit GameFileReader(Bytes bytes) : m_bytes(std::move(bytes)) {}

    template <typename Record>
    Record Read() {
        Record record;
        Take(&record, sizeof record);
        return record;
    }
    Bytes ReadBytes(std::size_t size) {
        Bytes bytes(size);
        Take(bytes.data(), size);
        return bytes;
    }
    template <typename Record>
    Record ReadAt(std::size_t offset) const {
        Record record;
        EXPECT_LE(offset + sizeof record, m_bytes.size());
        std::memcpy(&record, m_bytes.data() + offset, sizeof record);
        return record;
    }
    std::size_t Position() const { return m_at; }
    bool AtEnd() const { return m_at == m_bytes.size(); }

    // Reads `storedSize` bytes and decodes them to `unpackedSize`, checking the stream
    // produces exactly that many.
    Bytes ReadStream(std::uint32_t unpackedSize, std::uint32_t storedSize) {
        Bytes stream = ReadBytes(storedSize);
        EXPECT_EQ(LzssDecodedSize(stream), unpackedSize);
        return LzssDecode(stream, unpackedSize);
    }

private:
    void Take(void* out, std::size_t size) {
        if (m_at + size > m_bytes.size()) {
            throw std::runtime_error("game file ends early at " + std::to_string(m_at));
        }
        if (size == 0) {
            return;
        }
        std::memcpy(out, m_bytes.data() + m_at, size);
        m_at += size;
    }

    Bytes m_bytes;
    std::size_t m_at = 0;
};

template <typename Record>
Bytes BytesOf(const Record& record) {
    const auto* begin = reinterpret_cast<const std::uint8_t*>(&record);
    return Bytes(begin, begin + sizeof record);
}

void FillSlot(Project& project, int s, std::string_view name, const std::filesystem::path& path,
              ResourceKind kind, int x, int y) {
    ResourceSlot& slot = project.palette.slot[static_cast<std::size_t>(s)];
    SetFieldText(slot.name, name);
    SetFieldText(slot.path, ToSjis(path.string()));
    slot.kind = static_cast<std::uint8_t>(kind);
    slot.worldX = x;
    slot.worldY = y;
}

Project EmptyProject() {
    Project project = NewProject();
    project.cuts.clear();
    return project;
}

class GameExportTest : public testing::Test {
protected:
    // A palette with files of different sizes (one of them empty, one under a Japanese
    // name), a slot with a kind but no name, and cuts with and without frames.
    Project SampleProject() {
        Project project = EmptyProject();
        m_files = {
            {1, "face.png", testing_inputs::PngLike(20000, 1)},
            {2, "voice.wav", testing_inputs::Runs(9000, 2)},
            {4, "空.png", {}},
            {200, "画像.png", testing_inputs::TextLike(70000, 3)},
        };
        for (const SlotFile& file : m_files) {
            std::filesystem::path path = m_folder / file.name;
            testing_support::WriteBytes(path, file.content);
            FillSlot(project, file.slot, ToSjis(file.name), path,
                     file.name.ends_with(".wav") ? ResourceKind::Sound : ResourceKind::Image,
                     file.slot * 3, -file.slot);
        }
        // No name: an empty entry whatever its kind and path say.
        FillSlot(project, 7, "", m_folder / "missing.png", ResourceKind::Image, 11, -12);

        Cut animated = Cut::New();
        animated.Frame(3).cells[1].resource = 1;
        project.cuts.push_back(animated);
        project.cuts.push_back(Cut({}, 6));
        project.cuts.push_back(Cut::New());
        project.profile.profile.messageWindowCut = 2;
        return project;
    }

    struct SlotFile {
        int slot;
        std::string name;
        Bytes content;
    };

    TempFolder m_folder;
    std::vector<SlotFile> m_files;
};

TEST_F(GameExportTest, WritesEveryPartInPlace) {
    Project project = SampleProject();
    std::filesystem::path out = m_folder / "chara.ce8";
    ExportGame(project, out);

    GameFileReader file(testing_support::ReadBytes(out));
    auto header = file.Read<ProjectHeader>();
    EXPECT_EQ(std::string(header.magic), kExportMagic);
    EXPECT_EQ(header.cutCount, 3);
    Bytes expectedHeader = BytesOf(MakeHeader(kExportMagic, 3));
    EXPECT_EQ(BytesOf(header), expectedHeader);  // every other byte zero

    std::vector<ExportDirectoryEntry> directory;
    for (int s = 0; s < kResourceSlots; ++s) {
        directory.push_back(file.Read<ExportDirectoryEntry>());
    }
    ASSERT_EQ(file.Position(), kExportResourceDataOffset);
    for (int s = 0; s < kResourceSlots; ++s) {
        SCOPED_TRACE(s);
        const ExportDirectoryEntry& entry = directory[static_cast<std::size_t>(s)];
        const ResourceSlot& slot = project.palette.slot[static_cast<std::size_t>(s)];
        EXPECT_EQ(entry.kind, slot.kind);
        EXPECT_EQ(FieldText(entry.name), slot.Name());
        EXPECT_EQ(entry.worldX, slot.worldX);
        EXPECT_EQ(entry.worldY, slot.worldY);
        // Stored bytes follow one another in slot order; empty slots take no room.
        EXPECT_EQ(entry.offset, file.Position());
        Bytes content = file.ReadStream(entry.unpackedSize, entry.storedSize);
        auto source = std::find_if(m_files.begin(), m_files.end(),
                                   [&](const SlotFile& f) { return f.slot == s; });
        EXPECT_EQ(content, source == m_files.end() ? Bytes{} : source->content);
        Bytes nameBytes(std::begin(entry.name), std::end(entry.name));
        Bytes expectedName(260, 0);
        std::memcpy(expectedName.data(), slot.Name().data(), slot.Name().size());
        EXPECT_EQ(nameBytes, expectedName);
    }

    auto profileSizes = file.Read<ExportBlockSizes>();
    EXPECT_EQ(profileSizes.unpackedSize, 2708u);
    EXPECT_EQ(file.ReadStream(profileSizes.unpackedSize, profileSizes.storedSize),
              BytesOf(project.profile));
    auto messageSizes = file.Read<ExportBlockSizes>();
    EXPECT_EQ(messageSizes.unpackedSize, 85444u);
    EXPECT_EQ(file.ReadStream(messageSizes.unpackedSize, messageSizes.storedSize),
              BytesOf(project.messages));

    for (const Cut& cut : project.cuts) {
        auto cutHeader = file.Read<ExportCutHeader>();
        EXPECT_EQ(cutHeader.frameCount, cut.FrameCount());
        EXPECT_EQ(cutHeader.frameCountAgain, cut.FrameCount());
        EXPECT_EQ(cutHeader.unpackedSize, static_cast<std::uint32_t>(cut.FrameCount()) * 1176);
        Bytes frames = file.ReadStream(cutHeader.unpackedSize, cutHeader.storedSize);
        const auto* first = reinterpret_cast<const std::uint8_t*>(cut.Frames().data());
        EXPECT_EQ(frames, Bytes(first, first + cut.Frames().size_bytes()));
        if (cut.FrameCount() == 0) {
            EXPECT_EQ(cutHeader.storedSize, 0u);
        }
    }
    EXPECT_TRUE(file.AtEnd());
}

TEST_F(GameExportTest, AProjectWithNothingInItHoldsOnlyTheFixedParts) {
    std::filesystem::path out = m_folder / "empty.ce8";
    ExportGame(EmptyProject(), out);
    GameFileReader file(testing_support::ReadBytes(out));
    std::size_t profileAt = kExportResourceDataOffset;
    auto profile = file.ReadAt<ExportBlockSizes>(profileAt);
    auto messages = file.ReadAt<ExportBlockSizes>(profileAt + 8 + profile.storedSize);
    EXPECT_EQ(std::filesystem::file_size(out),
              296 + 72704 + (8 + profile.storedSize) + (8 + messages.storedSize));
    for (int s = 0; s < kResourceSlots; ++s) {
        auto entry = file.ReadAt<ExportDirectoryEntry>(296 + 284 * static_cast<std::size_t>(s));
        EXPECT_EQ(entry.offset, kExportResourceDataOffset);
        EXPECT_EQ(entry.storedSize, 0u);
    }
}

TEST_F(GameExportTest, TheNumberOfThreadsDoesNotChangeTheFile) {
    Project project = SampleProject();
    for (int s = 10; s < 40; ++s) {
        std::string name = "r" + std::to_string(s) + ".png";
        testing_support::WriteBytes(m_folder / name, testing_inputs::PngLike(3000 + 500 * s, s));
        FillSlot(project, s, name, m_folder / name, ResourceKind::Image, 0, 0);
    }
    ExportGame(project, m_folder / "one.ce8", {.threads = 1});
    Bytes one = testing_support::ReadBytes(m_folder / "one.ce8");
    for (unsigned threads : {2u, 3u, 8u}) {
        ExportGame(project, m_folder / "many.ce8", {.threads = threads});
        EXPECT_EQ(testing_support::ReadBytes(m_folder / "many.ce8"), one) << threads;
    }
}

TEST_F(GameExportTest, AnUnreadableSlotStopsTheExportAndKeepsTheOldFile) {
    Project project = SampleProject();
    FillSlot(project, 150, "lost.png", m_folder / "lost.png", ResourceKind::Image, 0, 0);
    FillSlot(project, 160, "unsaid.png", "", ResourceKind::Image, 0, 0);
    std::filesystem::path out = m_folder / "chara.ce8";
    testing_support::WriteBytes(out, Bytes{1, 2, 3});
    auto before = m_folder.Entries();

    for (unsigned threads : {1u, 2u}) {
        SCOPED_TRACE(threads);
        try {
            ExportGame(project, out, {.threads = threads});
            ADD_FAILURE() << "exported with a missing file";
        } catch (const FileError& e) {
            EXPECT_EQ(e.kind(), FileError::Kind::NotFound);
            EXPECT_EQ(e.path(), m_folder / "lost.png");
            EXPECT_NE(std::string(e.what()).find("resource slot 150"), std::string::npos)
                << e.what();
        }
        EXPECT_EQ(testing_support::ReadBytes(out), (Bytes{1, 2, 3}));
        EXPECT_EQ(m_folder.Entries(), before);  // no temporary file left behind
    }

    FillSlot(project, 150, "", "", ResourceKind::Empty, 0, 0);
    try {
        ExportGame(project, out);
        ADD_FAILURE() << "exported a slot without a path";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("resource slot 160 has no file path"),
                  std::string::npos)
            << e.what();
    }
}

TEST_F(GameExportTest, ReportsProgressAndCanBeCancelled) {
    Project project = SampleProject();
    std::filesystem::path out = m_folder / "chara.ce8";
    std::vector<std::size_t> seen;
    ExportGame(project, out, {.threads = 2, .progress = [&](std::size_t done, std::size_t total) {
                                  EXPECT_EQ(total, 256u + 2u + 3u);
                                  seen.push_back(done);
                                  return true;
                              }});
    ASSERT_EQ(seen.size(), 261u);
    EXPECT_EQ(seen.front(), 1u);
    EXPECT_EQ(seen.back(), 261u);

    std::filesystem::remove(out);
    auto before = m_folder.Entries();
    for (std::size_t stopAt : {std::size_t{1}, std::size_t{200}, std::size_t{261}}) {
        EXPECT_THROW(
            ExportGame(project, out,
                       {.threads = 2,
                        .progress = [&](std::size_t done, std::size_t) { return done < stopAt; }}),
            ExportCancelled);
        EXPECT_EQ(m_folder.Entries(), before) << stopAt;
    }
}

TEST_F(GameExportTest, AnUnwritableTargetFailsCleanly) {
    EXPECT_THROW(ExportGame(EmptyProject(), m_folder / "no such folder" / "a.ce8"), FileError);
}

}  // namespace
}  // namespace plk
