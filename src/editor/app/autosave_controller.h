#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "core/project/recovery_copy.h"
#include "editor/app/recovery_dialog.h"

class QWidget;

namespace plk {

class FileCommands;
class RecoveryWriter;

inline const QString kAutosaveMinutesKey = QStringLiteral("AutosaveMinutes");
inline constexpr int kDefaultAutosaveMinutes = 2;
// After the last edit of a burst, the copy waits this long for the author to pause.
inline constexpr int kAutosaveSettleMs = 3000;

// Keeps a recovery copy of the unsaved character in the recovery folder: written a few
// seconds after the last edit of a burst and every few minutes while edits go on, removed
// when the project is saved, replaced by New or Open, or closed. The character is gathered
// on the UI thread (a copy of the records); a worker serialises and writes it atomically.
// At start, and when a project is opened, it offers the copies of editors that ended
// without closing.
class AutosaveController : public QObject {
    Q_OBJECT
public:
    using ChooseRecovery =
        std::function<RecoveryChoice(QWidget*, const std::vector<RecoveryOffer>&)>;
    using ShowMessage = std::function<void(QWidget*, const QString&)>;

    // The period comes from the setting AutosaveMinutes (0 turns autosave off).
    AutosaveController(QWidget* frame, FileCommands& commands,
                       std::filesystem::path folder = RecoveryFolder());
    ~AutosaveController() override;

    // Tests answer the dialog and read the messages.
    void SetPrompts(ChooseRecovery choose, ShowMessage show);
    // Milliseconds; a period of 0 turns autosave off.
    void SetTimings(int periodMs, int settleMs);

    const std::filesystem::path& CopyPath() const { return m_copyPath; }
    const std::filesystem::path& Folder() const { return m_folder; }

    // Gathers the character and hands it to the worker; nothing while there are no unsaved
    // edits.
    void WriteCopyNow();
    // The same, and returns once the copy is on disk (ending on a signal).
    void WriteCopyAndWait();
    // Removes this editor's copy (after a wait for a write in progress).
    void DiscardCopy();

    // Offers every copy left by an editor that has ended (start of the program).
    void OfferLeftCopies();
    // Offers the copies of ended editors for `path` that are newer than the file.
    void OfferCopiesFor(const QString& path);

Q_SIGNALS:
    // A write finished: empty text when the copy is on disk, otherwise why not.
    void copyWritten(const QString& error);

private:
    void NoteEdit();
    void OnModifiedChanged(bool modified);
    void Offer(std::vector<RecoveryOffer> offers);
    // True when the copy was opened as the project.
    bool Restore(const QString& copyFile);
    void RefuseDamaged(const std::filesystem::path& file, const QString& reason);
    RecoveryOffer OfferOf(const RecoveryEntry& entry) const;
    // Emits copyWritten for each write the worker reported. Only this wake-up crosses Qt's
    // event queue; the texts wait under m_writtenMutex, a lock the thread sanitizer sees.
    Q_INVOKABLE void DeliverWritten();

    QWidget* m_frame;
    FileCommands& m_commands;
    std::filesystem::path m_folder;
    std::filesystem::path m_copyPath;
    RecoveryRecord m_writer;
    std::mutex m_writtenMutex;
    std::vector<std::string> m_writtenErrors;  // outlive the writer, which reports into them
    std::unique_ptr<RecoveryWriter> m_recoveryWriter;
    QTimer m_periodic;
    QTimer m_settle;
    bool m_enabled = true;
    bool m_editedSinceCopy = false;
    bool m_offering = false;
    // Copies the author put off (後で) stay unoffered until the next start.
    std::set<std::filesystem::path> m_postponed;
    ChooseRecovery m_choose;
    ShowMessage m_show;
};

}  // namespace plk
