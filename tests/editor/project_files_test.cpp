// Opening, saving and exporting as authors expect: opening settles only the situation
// shown, projects find their resources after moving, dialogs propose names, and paths
// are kept absolute.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstring>
#include <filesystem>

#include "core/project/project_file.h"
#include "core/text/sjis.h"
#include "editor/app/file_commands.h"
#include "editor/app/multi_row_tab_widget.h"
#include "editor/content/message_browser.h"
#include "editor/content/resource_palette.h"
#include "frame_test.h"

namespace plk {
namespace {

namespace fs = std::filesystem;

QByteArray Bytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

class ProjectFilesTest : public test::FrameTest {
protected:
    void SetUp() override {
        m_previous = QDir::currentPath();
        FrameTest::SetUp();
    }
    void TearDown() override {
        m_frame.reset();
        QDir::setCurrent(m_previous);
    }

    QString m_previous;
};

TEST_F(ProjectFilesTest, OpenThenSaveChangesOnlyTheShownSituationWhicheverTabIsSelected) {
    // Every situation: line 1 with text, lines 2 to 4 empty but used often (3). Only the
    // situation on screen may settle its empty lines to 0.
    Project project = NewProject();
    for (SituationMessages& situation : project.messages.situations) {
        for (MessageLine& line : situation.line) {
            line.frequency = 3;
        }
    }
    const QString stored = PathOf("stored.cre");
    WriteProjectFile(ToFileSystemPath(stored), project);
    const QByteArray original = Bytes(stored);

    // The model of the file: message block after the header, palette and profile; each
    // situation is 2084 bytes, its lines start at 20 and are 516 bytes, frequency last.
    constexpr int kMessages = 296 + 136192 + 2708;
    for (int k = 0; k < kSituationCount; ++k) {
        QByteArray expected = original;
        for (int j = 0; j < 4; ++j) {
            const int line = kMessages + k * 2084 + 20 + j * 516;
            if (expected[line] == '\0') {
                std::memset(expected.data() + line + 512, 0, 4);
            }
        }
        m_frame->MessageBrowser()->Tabs()->SetCurrentIndex(k);
        ASSERT_TRUE(Commands().OpenFile(stored));
        EXPECT_EQ(m_frame->MessageBrowser()->SelectedSituation(), k);
        m_files->answers = {PathOf("saved.cre")};
        ASSERT_TRUE(Commands().SaveAs());
        EXPECT_TRUE(Bytes(PathOf("saved.cre")) == expected) << "tab " << k;
    }
}

TEST_F(ProjectFilesTest, AProjectCopiedWithItsFilesOpensFromAnotherFolder) {
    const fs::path root = ToFileSystemPath(m_dir.path());
    fs::create_directories(root / "orig" / "images");
    fs::create_directories(root / "elsewhere");
    const QString image = QString::fromStdString((root / "orig" / "images" / "hero.png").string());
    QImage(8, 8, QImage::Format_ARGB32).save(image);
    ASSERT_TRUE(m_frame->Palette()->ImportFile(1, image));
    m_frame->Palette()->SetWorldPosition(1, 120, -40);
    m_files->answers = {PathOf("orig/chara.cre")};
    ASSERT_TRUE(Commands().SaveAs());

    fs::copy(root / "orig", root / "copy", fs::copy_options::recursive);
    fs::remove_all(root / "orig");
    QDir::setCurrent(PathOf("elsewhere"));
    ASSERT_TRUE(Commands().OpenFile(PathOf("copy/chara.cre")));

    const ResourceSlot& slot = m_frame->Palette()->Table().slot[1];
    EXPECT_EQ(slot.Path(), (root / "copy" / "images" / "hero.png").string());
    EXPECT_EQ(slot.worldX, 120);
    EXPECT_FALSE(m_frame->Palette()->IsSlotMissing(1));
    for (const QString& error : m_paletteBoxes->errors) {
        EXPECT_FALSE(error.contains("見つかりませんでした")) << error.toStdString();
    }
}

TEST_F(ProjectFilesTest, DialogsProposeTheProjectsNamesAndPathsStayAbsolute) {
    QDir(m_dir.path()).mkpath("work");
    QDir::setCurrent(PathOf("work"));
    m_files->answers = {"chara.cre"};  // a name relative to the current folder
    ASSERT_TRUE(Commands().SaveAs());
    const QString absolute = PathOf("work/chara.cre");
    EXPECT_EQ(Commands().ProjectPath(), absolute);
    QDir::setCurrent(m_dir.path());
    ASSERT_TRUE(Commands().OpenFile("work/chara.cre"));
    EXPECT_EQ(Commands().ProjectPath(), absolute);
    EXPECT_EQ(Commands().RecentFiles().Entries(), QStringList{absolute});

    // Save As starts on the current file.
    m_files->answers = {QString()};
    EXPECT_FALSE(Commands().SaveAs());
    EXPECT_EQ(m_files->namesAsked.back(), "chara.cre");
    EXPECT_EQ(m_files->foldersAsked.back(), PathOf("work"));
    // The export proposes the project's name as a game file, in the last export folder
    // (the dialog's own memory), or the project's folder before the first export.
    Commands().Export();
    EXPECT_EQ(m_files->namesAsked.back(), "chara.ce8");
    EXPECT_EQ(m_files->foldersAsked.back(), QString());
    EXPECT_EQ(m_files->fallbackFoldersAsked.back(), PathOf("work"));
}

}  // namespace
}  // namespace plk
