#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "core/project/project_file.h"
#include "editor/app/file_commands.h"
#include "editor/content/message_browser.h"
#include "editor/content/resource_palette.h"
#include "editor/timesheet/time_sheet_base.h"
#include "frame_test.h"

namespace plk {
namespace {

std::vector<char> Bytes(const QString& path) {
    std::ifstream in(ToFileSystemPath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const QString& path, const std::vector<char>& bytes) {
    std::ofstream out(ToFileSystemPath(path), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void RunCli(const QString& arguments) {
    std::string command = std::string(PLKCE_CLI_PATH) + " " + arguments.toStdString();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

void Trigger(CMainFrame& frame, int id) {
    QAction* action = frame.Action(id);
    ASSERT_NE(action, nullptr) << id;
    action->trigger();
}

class FileCommandsTest : public test::FrameTest {
protected:
    // Names slot 1 of the palette, so a later reset or load is visible.
    void NameSlot(const char* name) {
        ResourceSlot& slot = m_frame->Palette()->Table().slot[1];
        std::snprintf(slot.name, sizeof slot.name, "%s", name);
        slot.kind = 1;
    }
    std::string SlotName() const { return std::string(m_frame->Palette()->Table().slot[1].Name()); }
};

TEST_F(FileCommandsTest, NewSaveOpenRoundTripMatchesTheCommandLineTool) {
    const QString saved = PathOf("new.cre"), resaved = PathOf("again.cre");
    RunCli("new " + PathOf("cli-new.cre"));
    RunCli("convert " + PathOf("cli-new.cre") + " " + PathOf("cli-converted.cre"));

    // Save with no path yet asks for one, like Save As.
    Trigger(*m_frame, 57600);
    m_files->answers = {saved};
    Trigger(*m_frame, 221);
    EXPECT_EQ(m_files->filtersAsked, QStringList{"cre"});
    EXPECT_EQ(Commands().ProjectPath(), saved);
    EXPECT_EQ(Bytes(saved), Bytes(PathOf("cli-new.cre")));

    m_files->answers = {saved, resaved};
    Trigger(*m_frame, 188);
    Trigger(*m_frame, 219);
    EXPECT_EQ(Commands().ProjectPath(), resaved);
    EXPECT_EQ(Bytes(resaved), Bytes(PathOf("cli-converted.cre")));

    // Save with a path writes there without a dialog.
    NameSlot("face.png");
    Trigger(*m_frame, 221);
    EXPECT_EQ(m_files->filtersAsked.size(), 3);
    EXPECT_TRUE(m_boxes->errors.isEmpty()) << m_boxes->errors.join("\n").toStdString();
    EXPECT_EQ(ReadProjectFile(ToFileSystemPath(resaved)).project.palette.slot[1].Name(),
              "face.png");

    // The title names the file; the mark shows while there are unsaved edits.
    EXPECT_EQ(m_frame->windowTitle(), "again.cre[*] - PLK-CE");
    EXPECT_FALSE(m_frame->isWindowModified());
    Commands().MarkModified();
    EXPECT_TRUE(m_frame->isWindowModified());
    // The dialogs open in the project's folder.
    EXPECT_EQ(m_files->foldersAsked.back(), m_dir.path());
    EXPECT_EQ(Commands().RecentFiles().Entries(), (QStringList{resaved, saved}));
}

TEST_F(FileCommandsTest, RecentEntryReopensItsProject) {
    const QString path = PathOf("recent.cre");
    NameSlot("recent.png");
    m_files->answers = {path};
    Trigger(*m_frame, 219);
    Trigger(*m_frame, 57600);
    ASSERT_EQ(SlotName(), "");

    QAction* entry = nullptr;
    for (QAction* action : m_frame->findChildren<QAction*>()) {
        if (action->isVisible() && action->data().toString() == path) {
            entry = action;
        }
    }
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    EXPECT_EQ(SlotName(), "recent.png");
    EXPECT_EQ(Commands().ProjectPath(), path);
}

TEST_F(FileCommandsTest, RefusedFileKeepsTheProjectAndItsPath) {
    const QString good = PathOf("good.cre");
    m_files->answers = {good};
    Trigger(*m_frame, 219);
    std::vector<char> bytes = Bytes(good);
    ASSERT_EQ(bytes.size(), 228736u + 3 * (8 + 60 * 1176));

    std::vector<char> unknownMagic = bytes;
    unknownMagic[4] = 'X';
    std::vector<char> tooManyCuts = bytes;
    tooManyCuts[256] = 17;
    std::vector<char> truncated(bytes.begin(), bytes.end() - 1);
    struct Case {
        const char* name;
        std::vector<char> content;
    } cases[] = {
        {"magic.cre", unknownMagic},
        {"cuts.cre", tooManyCuts},
        {"short.cre", truncated},
    };
    NameSlot("kept.png");
    Commands().MarkModified();
    m_boxes->answer = Answer::No;
    for (const Case& c : cases) {
        const QString bad = PathOf(c.name);
        WriteBytes(bad, c.content);
        m_boxes->errors.clear();
        m_files->answers = {bad};
        Trigger(*m_frame, 188);
        ASSERT_EQ(m_boxes->errors.size(), 1) << c.name;
        // Told in the author's terms: which file, and that it is no project or damaged.
        EXPECT_EQ(m_boxes->errors[0],
                  "「" + bad +
                      "」は PLK-CE のプロジェクト ファイルではないか、壊れているため開けません。");
        EXPECT_EQ(SlotName(), "kept.png") << c.name;
        EXPECT_EQ(Commands().ProjectPath(), good) << c.name;
        EXPECT_EQ(m_frame->TimeSheet()->CutCount(), 3) << c.name;
    }

    // A missing file is reported with the standard text.
    m_boxes->errors.clear();
    m_files->answers = {PathOf("missing.cre")};
    Trigger(*m_frame, 188);
    ASSERT_EQ(m_boxes->errors.size(), 1);
    EXPECT_EQ(m_boxes->errors[0], "「" + PathOf("missing.cre") +
                                      "」が見つかりません。ファイルの場所を確かめてください。");
}

TEST_F(FileCommandsTest, FailedSaveReportsAndKeepsThePath) {
    m_files->answers = {PathOf("no-such-folder/x.cre")};
    Trigger(*m_frame, 219);
    ASSERT_EQ(m_boxes->errors.size(), 1);
    EXPECT_EQ(m_boxes->errors[0],
              "「" + PathOf("no-such-folder/x.cre") +
                  "」に書き込めません。保存先のフォルダーがあるか確かめてください。");
    EXPECT_EQ(Commands().ProjectPath(), "");
}

// What each answer to "変更を保存しますか？" does to New, Open and closing the frame.
enum class Command { New, Open, Close };
struct PromptCase {
    Command command;
    Answer answer;
    bool proceeds;
};

class SaveChangesPromptTest : public FileCommandsTest,
                              public testing::WithParamInterface<PromptCase> {};

TEST_P(SaveChangesPromptTest, AsksOnlyWhileThereAreUnsavedEdits) {
    const PromptCase& c = GetParam();
    const QString saveTo = PathOf("saved.cre");
    const QString firstOpen = PathOf("first.cre"), secondOpen = PathOf("second.cre");
    RunCli("new " + firstOpen);
    RunCli("new " + secondOpen);

    auto run = [&](const QString& toOpen) {
        if (c.command == Command::New) {
            Trigger(*m_frame, 57600);
        } else if (c.command == Command::Open) {
            m_files->answers.push_back(toOpen);
            Trigger(*m_frame, 188);
        } else {
            m_frame->close();
        }
    };

    // Without edits nothing is asked.
    run(firstOpen);
    EXPECT_TRUE(m_boxes->questions.isEmpty());
    m_files->answers.clear();

    NameSlot("edited.png");
    m_frame->Palette()->MarkEdited();  // a window reports an edit
    ASSERT_TRUE(Commands().IsModified());
    const QString pathBefore = Commands().ProjectPath();
    m_boxes->answer = c.answer;
    // Saving asks where only while the project has no path.
    const QString savedTo = pathBefore.isEmpty() ? saveTo : pathBefore;
    if (c.answer == Answer::Yes && pathBefore.isEmpty()) {
        m_files->answers.push_back(saveTo);
    }
    bool closeAccepted = true;
    if (c.command == Command::Close) {
        m_frame->show();
        closeAccepted = m_frame->close();
    } else {
        run(secondOpen);
    }
    EXPECT_EQ(m_boxes->questions, QStringList{"変更を保存しますか？"});

    if (c.answer == Answer::Yes) {
        EXPECT_EQ(ReadProjectFile(ToFileSystemPath(savedTo)).project.palette.slot[1].Name(),
                  "edited.png");
    }
    if (!c.proceeds) {
        EXPECT_EQ(SlotName(), "edited.png");
        EXPECT_TRUE(Commands().IsModified());
        EXPECT_EQ(Commands().ProjectPath(), pathBefore);
        EXPECT_EQ(closeAccepted, c.command != Command::Close);
        return;
    }
    EXPECT_TRUE(closeAccepted);
    if (c.command != Command::Close) {
        EXPECT_FALSE(Commands().IsModified());
        EXPECT_EQ(SlotName(), "");
    }
}

std::string PromptCaseName(const testing::TestParamInfo<PromptCase>& info) {
    const char* command[] = {"New", "Open", "Close"};
    const char* answer[] = {"Yes", "No", "Cancel"};
    return std::string(command[static_cast<int>(info.param.command)]) + "_" +
           answer[static_cast<int>(info.param.answer)];
}

INSTANTIATE_TEST_SUITE_P(EveryAnswer, SaveChangesPromptTest,
                         testing::Values(PromptCase{Command::New, Answer::Yes, true},
                                         PromptCase{Command::New, Answer::No, true},
                                         PromptCase{Command::New, Answer::Cancel, false},
                                         PromptCase{Command::Open, Answer::Yes, true},
                                         PromptCase{Command::Open, Answer::No, true},
                                         PromptCase{Command::Open, Answer::Cancel, false},
                                         PromptCase{Command::Close, Answer::Yes, true},
                                         PromptCase{Command::Close, Answer::No, true},
                                         PromptCase{Command::Close, Answer::Cancel, false}),
                         PromptCaseName);

// An edit that only counts how often it was done and undone.
class CountingEdit : public QUndoCommand {
public:
    explicit CountingEdit(int* value) : m_value(value) {}
    void redo() override { ++*m_value; }
    void undo() override { --*m_value; }

private:
    int* m_value;
};

TEST_F(FileCommandsTest, ModifiedFlagFollowsTheUndoHistory) {
    int value = 0;
    QUndoStack* stack = Commands().UndoStack();
    ASSERT_EQ(m_frame->TimeSheet()->UndoStack(), stack);  // every window shares it
    m_frame->TimeSheet()->PushEdit(std::make_unique<CountingEdit>(&value));
    EXPECT_EQ(value, 1);
    EXPECT_TRUE(Commands().IsModified());
    EXPECT_TRUE(m_frame->Action(57643)->isEnabled());

    // Undoing back to the saved state clears the flag; redoing raises it again.
    Trigger(*m_frame, 57643);
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(Commands().IsModified());
    EXPECT_TRUE(m_frame->Action(57644)->isEnabled());
    Trigger(*m_frame, 57644);
    EXPECT_TRUE(Commands().IsModified());

    // After a save, the saved state is the clean one; undoing past it is a change again.
    m_files->answers.push_back(PathOf("saved.cre"));
    ASSERT_TRUE(Commands().Save());
    EXPECT_FALSE(Commands().IsModified());
    Trigger(*m_frame, 57643);
    EXPECT_TRUE(Commands().IsModified());

    // A change outside the history keeps the flag up whatever is undone; New clears both.
    Trigger(*m_frame, 57644);
    Commands().MarkModified();
    Trigger(*m_frame, 57643);
    Trigger(*m_frame, 57644);
    EXPECT_TRUE(Commands().IsModified());
    m_boxes->answer = Answer::No;
    Trigger(*m_frame, 57600);
    EXPECT_FALSE(Commands().IsModified());
    EXPECT_EQ(stack->count(), 0);
    EXPECT_FALSE(m_frame->Action(57643)->isEnabled());
}

TEST_F(FileCommandsTest, ExportWritesTheChosenFile) {
    const QString out = PathOf("game.ce8");
    m_files->answers = {out};
    Trigger(*m_frame, 192);
    EXPECT_EQ(m_files->filtersAsked, QStringList{"ce8"});
    EXPECT_TRUE(m_boxes->errors.isEmpty()) << m_boxes->errors.join("\n").toStdString();
    std::vector<char> bytes = Bytes(out);
    ASSERT_GE(bytes.size(), 296u);
    EXPECT_EQ(std::string(bytes.data()), "PLK-CE82000 CopyRight 2003 Halvorn/pelloway");
    EXPECT_EQ(bytes[256], 3);                 // cut count
    EXPECT_EQ(Commands().ProjectPath(), "");  // exporting is not saving
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "「game.ce8」にエクスポートしました。");
}

TEST_F(FileCommandsTest, UndoingPaletteEditsBackToTheSavedStateClearsTheFlag) {
    const QString image = PathOf("face.png");
    QImage(8, 8, QImage::Format_ARGB32).save(image);
    CResourcePalette* palette = m_frame->Palette();
    ASSERT_TRUE(palette->ImportFile(3, image));
    EXPECT_TRUE(m_frame->isWindowModified());
    m_files->answers = {PathOf("p.cre")};
    ASSERT_TRUE(Commands().Save());
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "「p.cre」を保存しました。");
    palette->DeleteSelected();  // nothing selected: no step
    SendWindowMessage(palette, WM_NUDGE_RESOURCE, MakeWParam(1, 1), 0);  // no selection
    EXPECT_FALSE(Commands().IsModified());
    ASSERT_TRUE(palette->ImportFile(4, image));
    EXPECT_TRUE(Commands().IsModified());
    Trigger(*m_frame, 57643);
    EXPECT_FALSE(Commands().IsModified());
    EXPECT_FALSE(m_frame->isWindowModified());
}

TEST_F(FileCommandsTest, PathsCorrectedOnOpenAreUnsavedChanges) {
    QDir(m_dir.path()).mkpath("old");
    QDir(m_dir.path()).mkpath("new");
    const QString image = PathOf("old/hero.png");
    QImage(8, 8, QImage::Format_ARGB32).save(image);
    ASSERT_TRUE(m_frame->Palette()->ImportFile(1, image));
    m_files->answers = {PathOf("moved.cre")};
    ASSERT_TRUE(Commands().SaveAs());
    QFile::rename(image, PathOf("new/hero.png"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(PathOf("new"));
    ASSERT_TRUE(Commands().OpenFile(PathOf("moved.cre")));
    QDir::setCurrent(previous);
    EXPECT_TRUE(Commands().IsModified());
    EXPECT_TRUE(m_frame->isWindowModified());
    ASSERT_EQ(m_paletteBoxes->errors.size(), 1);
    EXPECT_TRUE(m_paletteBoxes->errors[0].contains(PathOf("new/hero.png")))
        << m_paletteBoxes->errors[0].toStdString();
}

TEST_F(FileCommandsTest, LongExportShowsProgressThatCancels) {
    // An export that keeps going until it is told to stop.
    std::atomic<bool> sawCancel{false};
    Commands().SetExporter(
        [&](const Project&, const std::filesystem::path&, const ExportOptions& options) {
            for (std::size_t done = 0;; ++done) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                if (!options.progress(done % 100, 100)) {
                    sawCancel = true;
                    throw ExportCancelled("cancelled");
                }
            }
        });
    auto started = std::chrono::steady_clock::now();
    std::chrono::milliseconds shownAfter{-1};
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(window);
            if (progress != nullptr && progress->isVisible() && shownAfter.count() < 0) {
                shownAfter = std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::steady_clock::now() - started);
                progress->cancel();
            }
        }
    });
    watcher.start(10);
    m_files->answers = {PathOf("slow.ce8")};
    Trigger(*m_frame, 192);
    watcher.stop();

    EXPECT_TRUE(sawCancel);
    EXPECT_GE(shownAfter.count(), 500);
    EXPECT_TRUE(m_boxes->errors.isEmpty());  // cancelling is not an error
}

}  // namespace
}  // namespace plk
