#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "core/project/project_file.h"
#include "editor/app/file_commands.h"
#include "editor/check/character_check.h"
#include "editor/content/message_browser.h"
#include "editor/content/profile_browser.h"
#include "editor/content/profile_editer.h"
#include "editor/content/resource_palette.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"
#include "frame_test.h"
#include "support/character_fixture.h"

namespace plk {
namespace {

using namespace testing_support;

// Processes events until `done` or two seconds have passed.
template <typename Done>
bool WaitFor(Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 2000) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

class CharacterCheckTest : public test::FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        m_frame->show();
    }

    // Opens a character with one problem of each kind of place.
    void OpenPlanted() {
        auto project = std::make_unique<Project>(CleanProject());
        project->cuts[1].Frame(3) = Ctl(13);  // cut 2 row 4: error
        SetFieldText(project->messages.situations[5].line[2].text, ToSjis("ロン！"));  // never
        FillSlot(*project, 6, "spare.png", "/nowhere/spare.png");  // missing: error
        SetFieldText(project->profile.profile.romanName, ToSjis("ゆき"));
        const QString path = m_dir.filePath("planted.cre");
        WriteProjectFile(ToFileSystemPath(path), *project);
        ASSERT_TRUE(m_frame->Commands().OpenFile(path));
    }

    CCharacterCheck* OpenCheck() {
        m_frame->Action(32810)->trigger();
        CCharacterCheck* check = m_frame->CharacterCheck();
        EXPECT_TRUE(check->isVisible());
        EXPECT_TRUE(WaitFor([check] { return !check->IsChecking(); }));
        return check;
    }

    int IndexOf(CCharacterCheck* check, const std::string& code) {
        const Findings& findings = check->CurrentFindings();
        for (std::size_t i = 0; i < findings.size(); ++i) {
            if (findings[i].code == code) {
                return static_cast<int>(i);
            }
        }
        ADD_FAILURE() << "no " << code;
        return -1;
    }

    // Picks the finding's line in the list and presses Enter, which activates it as a
    // double-click does.
    void Activate(CCharacterCheck* check, const std::string& code) {
        QTreeWidgetItem* item = check->ItemOfFinding(IndexOf(check, code));
        ASSERT_NE(item, nullptr) << code;
        QTreeWidget* tree = check->Tree();
        tree->setCurrentItem(item);
        QTest::keyClick(tree, Qt::Key_Return);
        QApplication::processEvents();
    }
};

TEST_F(CharacterCheckTest, FindingsAreGroupedBySeverityAndActivatingOneLandsOnItsPlace) {
    OpenPlanted();
    CCharacterCheck* check = OpenCheck();
    ASSERT_EQ(check->windowTitle(), "キャラクターチェック");
    QTreeWidget* tree = check->Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "エラー (2)");
    EXPECT_EQ(tree->topLevelItem(1)->text(0), "警告 (2)");
    EXPECT_EQ(tree->topLevelItem(2)->text(0), "情報 (1)");
    EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(0), "リソース パレット");
    EXPECT_EQ(tree->topLevelItem(0)->child(1)->text(0), "カット 2");
    EXPECT_EQ(tree->topLevelItem(0)->child(1)->child(0)->text(0), "4 行目");

    Activate(check, "cut.unknown-command");
    CTimeSheetBase* sheet = m_frame->TimeSheet();
    EXPECT_EQ(sheet->CurrentIndex(), 1);
    EXPECT_EQ(sheet->Page(1)->Selection().firstRow, 3);
    EXPECT_EQ(sheet->Page(1)->Selection().lastRow, 3);

    Activate(check, "message.never-spoken");
    EXPECT_EQ(m_frame->MessageBrowser()->SelectedSituation(), 5);

    Activate(check, "resource.missing-file");
    EXPECT_EQ(m_frame->Palette()->SelectedSlot(), 6);

    Activate(check, "profile.roman-name");
    CProfileBrowser* profile = m_frame->ProfileBrowser();
    EXPECT_EQ(profile->Tabs()->currentWidget(), static_cast<QWidget*>(profile->ProfilePage()));
}

TEST_F(CharacterCheckTest, RunsAgainAfterAPauseInTheEdits) {
    CCharacterCheck* check = OpenCheck();
    const std::size_t before = check->CurrentFindings().size();

    const QString image = m_dir.filePath("extra.png");
    QImage(8, 8, QImage::Format_ARGB32).save(image);
    ASSERT_TRUE(m_frame->Palette()->ImportFile(3, image));
    // Not at once: the check waits for the author to pause.
    QApplication::processEvents();
    EXPECT_FALSE(check->IsChecking());
    EXPECT_TRUE(WaitFor([&] { return check->CurrentFindings().size() == before + 1; }));
    EXPECT_EQ(check->CurrentFindings().back().code, "resource.unused");
    EXPECT_EQ(check->CurrentFindings().back().place, Place::Slot(3));
}

TEST_F(CharacterCheckTest, ClosingTheFrameWhileACheckRunsWaitsForItAndDropsItsFindings) {
    OpenPlanted();
    m_frame->Action(32810)->trigger();
    ASSERT_TRUE(m_frame->CharacterCheck()->IsChecking());
    m_frame.reset();
    // The worker's wake-up, if it was posted, went with the window.
    QApplication::processEvents();
}

TEST_F(CharacterCheckTest, ExportWithErrorsAsksFirstAndStopsOnNo) {
    OpenPlanted();
    m_boxes->answer = Answer::No;
    m_frame->Action(192)->trigger();
    ASSERT_EQ(m_boxes->questions.size(), 1);
    EXPECT_TRUE(m_boxes->questions[0].contains("このままエクスポートしますか"));
    EXPECT_TRUE(m_files->filtersAsked.isEmpty());  // no file was asked for
    EXPECT_TRUE(m_frame->CharacterCheck()->isVisible());
    EXPECT_TRUE(HasErrors(m_frame->CharacterCheck()->CurrentFindings()));

    // Answered yes, the export goes on (and fails on the missing file, as it would have).
    m_boxes->answer = Answer::Yes;
    m_files->answers = {m_dir.filePath("game.ce8")};
    m_frame->Action(192)->trigger();
    EXPECT_EQ(m_files->filtersAsked, QStringList{"ce8"});
    EXPECT_EQ(m_boxes->errors.size(), 1);
}

}  // namespace
}  // namespace plk
