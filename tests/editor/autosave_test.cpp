// Recovery copies as the author meets them: written while edits are unsaved, removed by
// every clean end, kept by a kill or a terminating signal, and offered at the next start.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUndoStack>
#include <cstdio>

#include "core/io/file_io.h"
#include "core/project/project_file.h"
#include "core/project/recovery_copy.h"
#include "editor/app/autosave_controller.h"
#include "editor/app/end_signal_watcher.h"
#include "editor/app/file_commands.h"
#include "editor/timesheet/cut_list_edits.h"
#include "editor/timesheet/time_sheet_base.h"
#include "editor_test_support.h"
#include "support/temp_folder.h"

namespace plk::test {

namespace {

// The edit both the child editor and the test make: a new cut, and the first cut renamed.
void MakeTheEdit(CMainFrame& frame) {
    QUndoStack* stack = frame.Commands().UndoStack();
    stack->push(new InsertCutEdit(frame.TimeSheet(), QStringLiteral("insert")));
    CutNameBytes name{};
    std::memcpy(name.data(), "recovered", 9);
    stack->push(new RenameCutEdit(frame.TimeSheet(), 0, name, QStringLiteral("rename")));
}

void Say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

}  // namespace

// An editor started by the tests below: opens PLKCE_CHILD_PROJECT, edits it and runs until
// a signal ends it. "kill": the copy is written 50 ms after the edit ("copy-written");
// "term": autosave is off, so only the end on a signal writes a copy.
int RunAutosaveChild(const char* role) {
    const bool waitsForAutosave = std::string_view(role) == "kill";
    CMainFrame frame;
    EndSignalWatcher endSignals;
    QObject::connect(&endSignals, &EndSignalWatcher::endRequested, &frame,
                     &CMainFrame::EndBySignal);
    QObject::connect(
        &frame, &CMainFrame::closed, qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    frame.Autosave().SetTimings(waitsForAutosave ? 60000 : 0, 50);
    QObject::connect(&frame.Autosave(), &AutosaveController::copyWritten, [](const QString& error) {
        Say(error.isEmpty() ? "copy-written" : "failed");
    });
    if (!frame.Commands().OpenFile(qEnvironmentVariable("PLKCE_CHILD_PROJECT"))) {
        return 3;
    }
    MakeTheEdit(frame);
    Say("edited");
    return QCoreApplication::exec();
}

namespace {

using Offers = std::vector<RecoveryOffer>;

class AutosaveTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_savedState = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", QFile::encodeName(m_dir.filePath("state")));
        m_projectPath = m_dir.filePath("chara.cre");
        WriteProjectFile(ToFileSystemPath(m_projectPath), NewProject());
        StartFrame();
    }
    // A frame as the program starts it, its recovery dialog and messages answered here.
    void StartFrame() {
        m_made = MakeFrame();
        m_frame = m_made.frame.get();
        Autosave().SetPrompts(
            [this](QWidget*, const Offers& offers) {
                m_offered.push_back(offers);
                RecoveryChoice choice = m_answers.empty() ? RecoveryChoice{} : m_answers.front();
                if (!m_answers.empty()) {
                    m_answers.erase(m_answers.begin());
                }
                if (m_beforeAnswer) {
                    m_beforeAnswer();
                }
                return choice;
            },
            [this](QWidget*, const QString& text) { m_messages << text; });
    }
    void TearDown() override {
        m_made.frame.reset();
        for (QProcess* child : m_children) {
            child->kill();
            child->waitForFinished();
            delete child;
        }
        qputenv("XDG_STATE_HOME", m_savedState);
    }

    AutosaveController& Autosave() { return m_frame->Autosave(); }
    FileCommands& Commands() { return m_frame->Commands(); }

    // What saving the edited project writes, made in this process.
    std::vector<std::uint8_t> ExpectedBytes() {
        FrameWithDialogs other = MakeFrame();
        other.frame->Commands().OpenFile(m_projectPath);
        MakeTheEdit(*other.frame);
        return SerializeProject(other.frame->Commands().GatherProject());
    }

    QProcess* StartChild(const char* role) {
        auto* child = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PLKCE_AUTOSAVE_CHILD"), QString::fromLatin1(role));
        env.insert(QStringLiteral("PLKCE_CHILD_PROJECT"), m_projectPath);
        env.insert(QStringLiteral("XDG_STATE_HOME"), m_dir.filePath("state"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child->setProcessEnvironment(env);
        child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->start(QCoreApplication::applicationFilePath(), {});
        m_children.push_back(child);
        return child;
    }

    static bool WaitForLine(QProcess* child, const QByteArray& line) {
        QElapsedTimer timer;
        timer.start();
        QByteArray seen;
        while (timer.elapsed() < 30000) {
            child->waitForReadyRead(200);
            seen += child->readAll();
            if (seen.contains(line + '\n')) {
                return true;
            }
            if (child->state() == QProcess::NotRunning) {
                break;
            }
        }
        ADD_FAILURE() << "the child never said " << line.constData() << "; it said "
                      << seen.constData();
        return false;
    }

    std::filesystem::path CopyOf(QProcess* child) {
        RecoveryRecord writer;
        writer.pid = static_cast<std::int32_t>(child->processId());
        writer.processStart = ProcessStartTime(writer.pid);
        return RecoveryCopyPath(Autosave().Folder(), writer);
    }

    // A copy written as an editor that has ended would have left it.
    std::filesystem::path LeaveCopy(std::int64_t savedAtMs, const std::string& originalPath,
                                    const Project& project) {
        RecoveryRecord record;
        record.originalPath = originalPath;
        record.savedAtMs = savedAtMs;
        pid_t ended = ::fork();
        if (ended == 0) {
            ::_exit(0);
        }
        ::waitpid(ended, nullptr, 0);
        record.pid = ended;
        record.processStart = 12345;
        const auto file = RecoveryCopyPath(Autosave().Folder(), record);
        WriteRecoveryCopy(file, record, SerializeProject(project));
        return file;
    }

    QTemporaryDir m_dir;
    QByteArray m_savedState;
    QString m_projectPath;
    FrameWithDialogs m_made;
    CMainFrame* m_frame = nullptr;
    std::vector<Offers> m_offered;
    std::vector<RecoveryChoice> m_answers;
    std::function<void()> m_beforeAnswer;
    QStringList m_messages;
    std::vector<QProcess*> m_children;
};

// Two editors edit the same project and autosave; neither copy is offered while its editor
// runs. One is killed: its copy holds what a save would have written, and restoring it
// gives that project at its own path with unsaved edits, which 上書き保存 writes there.
TEST_F(AutosaveTest, KilledEditorsCopyRestoresWhatASaveWouldHaveWritten) {
    const std::vector<std::uint8_t> expected = ExpectedBytes();
    QProcess* first = StartChild("kill");
    QProcess* second = StartChild("kill");
    ASSERT_TRUE(WaitForLine(first, "copy-written"));
    ASSERT_TRUE(WaitForLine(second, "copy-written"));
    const auto firstCopy = CopyOf(first);
    const auto secondCopy = CopyOf(second);

    Autosave().OfferLeftCopies();
    EXPECT_TRUE(m_offered.empty()) << "a live editor's copy was offered";

    ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
    ASSERT_TRUE(first->waitForFinished(5000));
    EXPECT_EQ(ReadRecoveryCopy(firstCopy).projectBytes, expected);

    m_answers = {{RecoveryAction::Restore, 0}};
    Autosave().OfferLeftCopies();
    ASSERT_EQ(m_offered.size(), 1u);
    ASSERT_EQ(m_offered[0].size(), 1u);
    EXPECT_EQ(m_offered[0][0].projectName, QStringLiteral("chara.cre"));
    EXPECT_EQ(m_offered[0][0].projectPath, QFileInfo(m_projectPath).absoluteFilePath());
    EXPECT_FALSE(m_offered[0][0].olderThanFile);

    EXPECT_EQ(Commands().ProjectPath(), QFileInfo(m_projectPath).absoluteFilePath());
    EXPECT_TRUE(Commands().IsModified());
    EXPECT_TRUE(m_frame->isWindowModified());
    EXPECT_FALSE(std::filesystem::exists(firstCopy));
    // This editor's copy has taken over from the dead one.
    EXPECT_EQ(ReadRecoveryCopy(Autosave().CopyPath()).projectBytes, expected);
    EXPECT_TRUE(std::filesystem::exists(secondCopy));

    ASSERT_TRUE(Commands().Save());
    EXPECT_EQ(ReadWholeFile(ToFileSystemPath(m_projectPath)), expected);
    EXPECT_FALSE(std::filesystem::exists(Autosave().CopyPath()));
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
}

// SIGTERM ends an editor with unsaved edits as a close does, without asking: exit status 0
// within a second, the edits in a recovery copy.
TEST_F(AutosaveTest, TerminationKeepsTheEditsAndExitsCleanly) {
    const std::vector<std::uint8_t> expected = ExpectedBytes();
    QProcess* child = StartChild("term");
    ASSERT_TRUE(WaitForLine(child, "edited"));
    const auto copy = CopyOf(child);
    EXPECT_FALSE(std::filesystem::exists(copy));

    QElapsedTimer timer;
    timer.start();
    ::kill(static_cast<pid_t>(child->processId()), SIGTERM);
    ASSERT_TRUE(child->waitForFinished(1000));
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(child->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child->exitCode(), 0);
    const RecoveryCopy kept = ReadRecoveryCopy(copy);
    EXPECT_EQ(kept.projectBytes, expected);
    EXPECT_FALSE(IsWriterAlive(kept.record));
    EXPECT_EQ(kept.record.originalPath,
              ToFileSystemPath(QFileInfo(m_projectPath).absoluteFilePath()).string());
}

// Saving, New, Open and closing each remove the copy; the copy follows the edits.
TEST_F(AutosaveTest, CleanEndsLeaveNoCopy) {
    const auto copy = Autosave().CopyPath();
    auto editAndWait = [&] {
        MakeTheEdit(*m_frame);
        Autosave().WriteCopyAndWait();
        ASSERT_TRUE(std::filesystem::exists(copy));
    };
    m_made.boxes->answer = Answer::No;
    const QString other = m_dir.filePath("other.cre");
    WriteProjectFile(ToFileSystemPath(other), NewProject());

    editAndWait();
    m_made.files->answers.push_back(m_dir.filePath("saved.cre"));
    ASSERT_TRUE(Commands().Save());
    EXPECT_FALSE(std::filesystem::exists(copy)) << "save";

    editAndWait();
    Commands().New();
    EXPECT_FALSE(std::filesystem::exists(copy)) << "new";

    editAndWait();
    ASSERT_TRUE(Commands().OpenFile(other));
    EXPECT_FALSE(std::filesystem::exists(copy)) << "open";

    editAndWait();
    Commands().UndoStack()->undo();
    Commands().UndoStack()->undo();
    EXPECT_FALSE(std::filesystem::exists(copy)) << "undone to the saved state";

    editAndWait();
    m_frame->show();
    EXPECT_TRUE(m_frame->close());
    EXPECT_FALSE(std::filesystem::exists(copy)) << "close";
    EXPECT_TRUE(std::filesystem::is_empty(Autosave().Folder()));
}

// The settle timer writes a copy a moment after the last edit of a burst, and a period of
// 0 turns autosave off.
TEST_F(AutosaveTest, BurstOfEditsIsWrittenOnceItSettles) {
    QSignalSpy written(&Autosave(), &AutosaveController::copyWritten);
    Autosave().SetTimings(60000, 100);
    MakeTheEdit(*m_frame);
    ASSERT_TRUE(written.wait(5000));
    EXPECT_EQ(written.takeFirst().at(0).toString(), QString());
    EXPECT_EQ(ReadRecoveryCopy(Autosave().CopyPath()).projectBytes,
              SerializeProject(Commands().GatherProject()));

    Autosave().DiscardCopy();
    Autosave().SetTimings(0, 100);
    MakeTheEdit(*m_frame);
    EXPECT_FALSE(written.wait(400));
    EXPECT_FALSE(std::filesystem::exists(Autosave().CopyPath()));
}

// Opening a project offers only the copies newer than its file; the start offers the rest
// and says which are older. A damaged copy is refused with a message and set aside, also
// when it breaks between the offer and the restore; the project stays as it was.
TEST_F(AutosaveTest, OffersNewerCopiesAndRefusesDamagedOnes) {
    const std::string onDisk = ToFileSystemPath(QFileInfo(m_projectPath).absoluteFilePath());
    const std::int64_t fileTime = QFileInfo(m_projectPath).lastModified().toMSecsSinceEpoch();
    Project renamed = NewProject();
    renamed.cutNames.SetName(1, "newer");
    const auto older = LeaveCopy(fileTime - 60000, onDisk, NewProject());
    const auto newer = LeaveCopy(fileTime + 60000, onDisk, renamed);
    const auto damaged = Autosave().Folder() / "5-5.plkrec";
    plk::testing_support::WriteBytes(damaged, std::vector<std::uint8_t>(70, 1));

    ASSERT_TRUE(Commands().OpenFile(m_projectPath));  // answered 後で
    ASSERT_EQ(m_offered.size(), 1u);
    ASSERT_EQ(m_offered[0].size(), 1u);
    EXPECT_EQ(ToFileSystemPath(m_offered[0][0].copyFile), newer);

    m_answers = {{RecoveryAction::Discard, 0}};
    Autosave().OfferLeftCopies();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(QStringLiteral("壊れている")))
        << m_messages[0].toStdString();
    EXPECT_TRUE(m_messages[0].contains(QStringLiteral("damaged/5-5.plkrec")));
    EXPECT_TRUE(std::filesystem::exists(DamagedRecoveryFolder(Autosave().Folder()) / "5-5.plkrec"));
    ASSERT_EQ(m_offered.size(), 2u);
    ASSERT_EQ(m_offered[1].size(), 1u);  // the postponed one waits for the next start
    EXPECT_EQ(ToFileSystemPath(m_offered[1][0].copyFile), older);
    EXPECT_TRUE(m_offered[1][0].olderThanFile);
    EXPECT_TRUE(RecoveryDialog::Describe(m_offered[1][0]).contains(QStringLiteral("古い")));
    EXPECT_FALSE(std::filesystem::exists(older));

    // The next start: the newer copy is cut short before 復元 is pressed.
    StartFrame();
    m_beforeAnswer = [&] { std::filesystem::resize_file(newer, 1000); };
    m_answers = {{RecoveryAction::Restore, 0}};
    const std::vector<std::uint8_t> before = SerializeProject(Commands().GatherProject());
    m_messages.clear();
    Autosave().OfferLeftCopies();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(QStringLiteral("cut short"))) << m_messages[0].toStdString();
    EXPECT_FALSE(Commands().IsModified());
    EXPECT_EQ(SerializeProject(Commands().GatherProject()), before);
    EXPECT_FALSE(std::filesystem::exists(newer));
    EXPECT_TRUE(
        std::filesystem::exists(DamagedRecoveryFolder(Autosave().Folder()) / newer.filename()));
}

}  // namespace
}  // namespace plk::test
