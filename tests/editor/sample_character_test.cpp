#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/text/sjis.h"
#include "editor/app/command_ids.h"
#include "editor/app/file_commands.h"
#include "editor/app/qt_text.h"
#include "editor/app/sample_character.h"
#include "editor/content/resource_palette.h"
#include "editor/timesheet/playback_controls.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"
#include "frame_test.h"

namespace plk {
namespace {

class SampleCharacterMenuTest : public test::FrameTest {
protected:
    // ヘルプ → "サンプルキャラクターを開く", the folder dialog answered with `folder`.
    void OpenSampleInto(const QString& folder) {
        m_files->answers.push_back(folder);
        QAction* action = m_frame->Action(command::kOpenSample);
        ASSERT_NE(action, nullptr);
        action->trigger();
    }
};

TEST_F(SampleCharacterMenuTest, CopiesTheSampleIntoTheChosenFolderAndOpensTheCopy) {
    OpenSampleInto(PathOf("ひなた"));

    ASSERT_EQ(m_files->foldersAsked.size(), 1);
    EXPECT_TRUE(m_files->foldersAsked.front().contains(SampleFolderName()));
    EXPECT_EQ(Commands().ProjectPath(), QDir(PathOf("ひなた")).filePath(kSampleProjectName));
    // Nothing was missing or moved: no message, and nothing to save.
    EXPECT_TRUE(m_boxes->errors.isEmpty()) << m_boxes->errors.join('\n').toStdString();
    EXPECT_TRUE(m_paletteBoxes->errors.isEmpty())
        << m_paletteBoxes->errors.join('\n').toStdString();
    EXPECT_FALSE(Commands().IsModified());
    EXPECT_EQ(m_frame->TimeSheet()->CutCount(), 4);
    EXPECT_EQ(SjisToUtf8(m_frame->TimeSheet()->CutNames().Name(2)), "勝利ポーズ");
    const ResourceSlot& chime = m_frame->Palette()->Table().slot[15];
    EXPECT_EQ(QStringFromSjis(chime.Path()),
              QDir(PathOf("ひなた")).filePath(QStringLiteral("hinata_chime.wav")));
    // She comes alive at once: the idle cut plays over and over.
    CPlaybackControls* idle = m_frame->TimeSheet()->Page(0)->Playback();
    EXPECT_TRUE(idle->IsSimplePlaying());
    idle->StopAndWait();
}

TEST_F(SampleCharacterMenuTest, AFolderThatHoldsFilesGetsTheSampleInANewFolderInside) {
    const QString busy = PathOf("busy");
    ASSERT_TRUE(QDir().mkpath(busy));
    QFile mine(QDir(busy).filePath(kSampleProjectName));
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("mine");
    mine.close();

    OpenSampleInto(busy);
    OpenSampleInto(busy);

    EXPECT_EQ(Commands().ProjectPath(),
              QDir(busy).filePath(SampleFolderName() + QStringLiteral(" (2)/sample.cre")));
    EXPECT_TRUE(QFile::exists(QDir(busy).filePath(SampleFolderName() + "/sample.cre")));
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(), QByteArray("mine"));  // the author's own file is untouched
}

TEST_F(SampleCharacterMenuTest, UnsavedEditsAreOfferedForSavingFirstAndCancelKeepsThem) {
    Commands().MarkModified();
    m_boxes->answer = Answer::Cancel;
    OpenSampleInto(PathOf("never"));
    EXPECT_EQ(m_boxes->questions.size(), 1);
    EXPECT_TRUE(m_files->foldersAsked.isEmpty());
    EXPECT_TRUE(Commands().IsModified());
    EXPECT_FALSE(QFileInfo::exists(PathOf("never")));

    // Cancelling the folder dialog changes nothing either.
    m_boxes->answer = Answer::No;
    m_files->answers.clear();
    m_frame->Action(command::kOpenSample)->trigger();
    EXPECT_EQ(m_files->foldersAsked.size(), 1);
    EXPECT_TRUE(Commands().ProjectPath().isEmpty());
}

TEST(SampleFolderTest, UniqueFolderPathCountsPastTakenNames) {
    QTemporaryDir dir;
    const QString wanted = dir.filePath(QStringLiteral("PLK-CE サンプル"));
    EXPECT_EQ(UniqueFolderPath(wanted), wanted);
    QDir().mkpath(wanted);
    QDir().mkpath(wanted + QStringLiteral(" (2)"));
    EXPECT_EQ(UniqueFolderPath(wanted), wanted + QStringLiteral(" (3)"));
}

}  // namespace
}  // namespace plk
