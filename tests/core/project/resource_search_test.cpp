#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/project/resource_search.h"
#include "core/text/sjis.h"
#include "support/temp_folder.h"

namespace plk {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

ResourceSlot Slot(const std::string& utf8Name, const std::string& utf8Path) {
    ResourceSlot slot{};
    SetFieldText(slot.name, ToSjis(utf8Name));
    SetFieldText(slot.path, ToSjis(utf8Path));
    slot.kind = static_cast<std::uint8_t>(ResourceKind::Image);
    return slot;
}

class ResourceSearchTest : public testing::Test {
protected:
    // The project was copied with its resources to copy/; the editor runs from elsewhere/.
    fs::path Project() const { return m_root / "copy" / "chara.cre"; }
    fs::path Elsewhere() const { return m_root / "elsewhere"; }

    testing_support::TempFolder m_root;
};

TEST_F(ResourceSearchTest, LooksInTheCurrentFolderThenBesideTheProjectThenInItsSubFolders) {
    fs::create_directories(Elsewhere());
    // A Windows path whose folder "表示" ends in the byte 0x5C, which is not a separator.
    const ResourceSlot slot = Slot("face.png", "C:\\work\\chara\\表示\\face.png");
    EXPECT_EQ(FindMovedResource(slot, Project(), Elsewhere()), fs::path());

    Touch(m_root / "copy" / "chara" / "表示" / "face.png");
    EXPECT_EQ(FindMovedResource(slot, Project(), Elsewhere()),
              m_root / "copy" / "chara" / "表示" / "face.png");
    Touch(m_root / "copy" / "表示" / "face.png");
    EXPECT_EQ(FindMovedResource(slot, Project(), Elsewhere()),
              m_root / "copy" / "表示" / "face.png");
    Touch(m_root / "copy" / "face.png");
    EXPECT_EQ(FindMovedResource(slot, Project(), Elsewhere()), m_root / "copy" / "face.png");
    Touch(Elsewhere() / "face.png");
    EXPECT_EQ(FindMovedResource(slot, Project(), Elsewhere()), Elsewhere() / "face.png");

    // A folder of that name is not a file.
    fs::create_directories(m_root / "copy" / "images" / "dir.png");
    EXPECT_EQ(FindMovedResource(Slot("dir.png", "/old/images/dir.png"), Project(), Elsewhere()),
              fs::path());
}

TEST_F(ResourceSearchTest, RelinksOnlyTheSlotsWhoseFilesMoved) {
    fs::create_directories(Elsewhere());
    Touch(m_root / "copy" / "images" / "face.png");
    Touch(m_root / "copy" / "voice.wav");
    Touch(m_root / "still" / "here.png");
    ResourceTable table{};
    table.ClearAll();
    table.slot[1] = Slot("face.png", "/gone/chara/images/face.png");
    table.slot[2] = Slot("voice.wav", "/gone/chara/voice.wav");
    table.slot[2].kind = static_cast<std::uint8_t>(ResourceKind::Sound);
    table.slot[3] = Slot("here.png", (m_root / "still" / "here.png").string());
    table.slot[4] = Slot("lost.png", "/gone/lost.png");
    table.slot[4].worldX = 12;
    const ResourceTable before = table;

    EXPECT_EQ(RelinkMovedResources(table, Project(), Elsewhere()), (std::vector<int>{1, 2}));
    EXPECT_EQ(SjisToUtf8(table.slot[1].Path()), (m_root / "copy" / "images" / "face.png").string());
    EXPECT_EQ(SjisToUtf8(table.slot[2].Path()), (m_root / "copy" / "voice.wav").string());
    // The rest of every slot stays as it was.
    for (int s : {3, 4}) {
        EXPECT_EQ(std::memcmp(&table.slot[s], &before.slot[s], sizeof(ResourceSlot)), 0) << s;
    }
    EXPECT_EQ(table.slot[1].worldX, before.slot[1].worldX);
    EXPECT_EQ(table.slot[1].Name(), before.slot[1].Name());
}

}  // namespace
}  // namespace plk
