// The interface language never reaches the files: a project made, edited, saved and exported
// in English is byte for byte the one made in Japanese, default cut names included.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "editor/app/file_commands.h"
#include "editor/app/ui_language.h"
#include "editor/timesheet/time_sheet_base.h"
#include "editor_test_support.h"

namespace plk {
namespace {

constexpr int kNewProject = 57600;
constexpr int kSave = 221;
constexpr int kExport = 192;
constexpr int kInsertCut = 213;

std::vector<char> Bytes(const QString& path) {
    std::ifstream in(ToFileSystemPath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct SavedFiles {
    std::vector<char> project;
    std::vector<char> game;
};

// A new project with one cut added by the time sheet's command, saved and exported.
SavedFiles MakeSaveAndExport(const QTemporaryDir& dir, const QString& stem) {
    test::ClearSettings();
    auto made = test::MakeFrame();
    CMainFrame& frame = *made.frame;
    frame.Action(kNewProject)->trigger();
    frame.TimeSheet()->RunCutCommand(kInsertCut, 0);
    const QString project = dir.filePath(stem + ".cre");
    const QString game = dir.filePath(stem + ".ce8");
    made.files->answers = {project, game};
    frame.Action(kSave)->trigger();
    frame.Action(kExport)->trigger();
    EXPECT_TRUE(made.boxes->errors.isEmpty()) << made.boxes->errors.join("\n").toStdString();
    return {Bytes(project), Bytes(game)};
}

TEST(LanguageNeutralFiles, EnglishAndJapaneseWriteTheSameBytes) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const SavedFiles japanese = MakeSaveAndExport(dir, QStringLiteral("ja"));

    ASSERT_TRUE(InstallLanguage(*QCoreApplication::instance(), UiLanguage::English));
    const SavedFiles english = MakeSaveAndExport(dir, QStringLiteral("en"));
    UninstallLanguage(*QCoreApplication::instance());

    ASSERT_FALSE(japanese.project.empty());
    ASSERT_FALSE(japanese.game.empty());
    EXPECT_EQ(english.project, japanese.project);
    EXPECT_EQ(english.game, japanese.game);
}

}  // namespace
}  // namespace plk
