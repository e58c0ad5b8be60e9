#include "editor/app/autosave_controller.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QUndoStack>

#include "core/project/project_file.h"
#include "core/project/recovery_writer.h"
#include "editor/app/app_strings.h"
#include "editor/app/file_commands.h"
#include "editor/app/window_layout.h"

namespace plk {
namespace {

QString FromFileSystem(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

std::string AbsoluteFileSystemPath(const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    return ToFileSystemPath(QFileInfo(path).absoluteFilePath()).string();
}

}  // namespace

AutosaveController::AutosaveController(QWidget* frame, FileCommands& commands,
                                       std::filesystem::path folder)
    : QObject(frame),
      m_frame(frame),
      m_commands(commands),
      m_folder(std::move(folder)),
      m_writer(CurrentProcessRecord()),
      m_choose(AskRecovery),
      m_show([](QWidget* parent, const QString& text) {
          QMessageBox::warning(parent, kApplicationTitle, text);
      }) {
    m_copyPath = RecoveryCopyPath(m_folder, m_writer);
    m_recoveryWriter = std::make_unique<RecoveryWriter>(m_copyPath);
    m_recoveryWriter->SetOnWritten([this](const std::string& error) {
        // From the worker: the signal is sent on the UI thread.
        bool first = false;
        {
            std::lock_guard lock(m_writtenMutex);
            first = m_writtenErrors.empty();
            m_writtenErrors.push_back(error);
        }
        if (first) {
            QMetaObject::invokeMethod(this, "DeliverWritten", Qt::QueuedConnection);
        }
    });

    QSettings settings(kSettingsOrganization, kSettingsApplication);
    const int minutes = settings.value(kAutosaveMinutesKey, kDefaultAutosaveMinutes).toInt();
    SetTimings(std::max(0, minutes) * 60 * 1000, kAutosaveSettleMs);
    m_settle.setSingleShot(true);
    connect(&m_settle, &QTimer::timeout, this, &AutosaveController::WriteCopyNow);
    connect(&m_periodic, &QTimer::timeout, this, [this] {
        if (m_editedSinceCopy) {
            WriteCopyNow();
        }
    });
    connect(m_commands.UndoStack(), &QUndoStack::indexChanged, this, &AutosaveController::NoteEdit);
    connect(&m_commands, &FileCommands::modifiedChanged, this,
            &AutosaveController::OnModifiedChanged);
    connect(&m_commands, &FileCommands::projectOpened, this, &AutosaveController::OfferCopiesFor);
}

AutosaveController::~AutosaveController() = default;

void AutosaveController::SetPrompts(ChooseRecovery choose, ShowMessage show) {
    m_choose = std::move(choose);
    m_show = std::move(show);
}

void AutosaveController::SetTimings(int periodMs, int settleMs) {
    m_enabled = periodMs > 0;
    m_periodic.setInterval(std::max(1, periodMs));
    m_settle.setInterval(std::max(0, settleMs));
    if (!m_enabled) {
        m_periodic.stop();
        m_settle.stop();
    }
}

void AutosaveController::NoteEdit() {
    if (!m_enabled || !m_commands.IsModified()) {
        return;
    }
    m_editedSinceCopy = true;
    m_settle.start();
    if (!m_periodic.isActive()) {
        m_periodic.start();
    }
}

void AutosaveController::OnModifiedChanged(bool modified) {
    if (modified) {
        NoteEdit();
        return;
    }
    // Saved, or replaced by New or Open, or undone back to the saved state: nothing is
    // left to recover.
    m_settle.stop();
    m_periodic.stop();
    m_editedSinceCopy = false;
    DiscardCopy();
}

void AutosaveController::WriteCopyNow() {
    m_settle.stop();
    if (!m_commands.IsModified()) {
        return;
    }
    RecoveryRecord record = m_writer;
    record.originalPath = AbsoluteFileSystemPath(m_commands.ProjectPath());
    record.savedAtMs = QDateTime::currentMSecsSinceEpoch();
    Project project = m_recoveryWriter->TakeSpare();
    m_commands.GatherProjectInto(project);
    m_recoveryWriter->Submit(std::move(record), std::move(project));
    m_editedSinceCopy = false;
}

void AutosaveController::WriteCopyAndWait() {
    WriteCopyNow();
    m_recoveryWriter->Flush();
}

void AutosaveController::DeliverWritten() {
    std::vector<std::string> errors;
    {
        std::lock_guard lock(m_writtenMutex);
        errors.swap(m_writtenErrors);
    }
    for (const std::string& error : errors) {
        Q_EMIT copyWritten(QString::fromStdString(error));
    }
}

void AutosaveController::DiscardCopy() {
    m_recoveryWriter->Discard();
}

RecoveryOffer AutosaveController::OfferOf(const RecoveryEntry& entry) const {
    const RecoveryRecord& record = *entry.record;
    RecoveryOffer offer;
    offer.copyFile = FromFileSystem(entry.file);
    offer.projectPath = FromFileSystem(record.originalPath);
    offer.projectName =
        offer.projectPath.isEmpty() ? tr("無題") : QFileInfo(offer.projectPath).fileName();
    offer.savedAt = QDateTime::fromMSecsSinceEpoch(record.savedAtMs);
    const QFileInfo onDisk(offer.projectPath);
    offer.olderThanFile = !offer.projectPath.isEmpty() && onDisk.exists() &&
                          onDisk.lastModified().toMSecsSinceEpoch() > record.savedAtMs;
    return offer;
}

void AutosaveController::OfferLeftCopies() {
    RemoveAbandonedWrites(m_folder);
    std::vector<RecoveryOffer> offers;
    for (const RecoveryEntry& entry : ListRecoveryCopies(m_folder)) {
        if (!entry.record) {
            RefuseDamaged(entry.file, QString::fromStdString(entry.error));
        } else if (!entry.writerAlive && entry.file != m_copyPath &&
                   !m_postponed.contains(entry.file)) {
            offers.push_back(OfferOf(entry));
        }
    }
    Offer(std::move(offers));
}

void AutosaveController::OfferCopiesFor(const QString& path) {
    const std::string wanted = AbsoluteFileSystemPath(path);
    std::vector<RecoveryOffer> offers;
    for (const RecoveryEntry& entry : ListRecoveryCopies(m_folder)) {
        if (entry.record && !entry.writerAlive && entry.record->originalPath == wanted &&
            entry.file != m_copyPath && !m_postponed.contains(entry.file)) {
            RecoveryOffer offer = OfferOf(entry);
            if (!offer.olderThanFile) {
                offers.push_back(std::move(offer));
            }
        }
    }
    Offer(std::move(offers));
}

void AutosaveController::Offer(std::vector<RecoveryOffer> offers) {
    if (offers.empty() || m_offering) {
        return;
    }
    m_offering = true;
    while (!offers.empty()) {
        RecoveryChoice choice = m_choose(m_frame, offers);
        const auto chosen =
            offers.begin() + std::clamp<int>(choice.index, 0, static_cast<int>(offers.size()) - 1);
        if (choice.action == RecoveryAction::Restore) {
            if (Restore(chosen->copyFile)) {
                break;
            }
        } else if (choice.action == RecoveryAction::Discard) {
            try {
                RemoveRecoveryCopy(ToFileSystemPath(chosen->copyFile));
            } catch (const std::exception& error) {
                m_show(m_frame, QString::fromLocal8Bit(error.what()));
            }
        } else {
            break;
        }
        offers.erase(chosen);
    }
    // Whatever was not taken waits for the next start.
    for (const RecoveryOffer& offer : offers) {
        m_postponed.insert(ToFileSystemPath(offer.copyFile));
    }
    m_offering = false;
}

bool AutosaveController::Restore(const QString& copyFile) {
    const std::filesystem::path file = ToFileSystemPath(copyFile);
    RecoveryCopy copy;
    OpenedProject opened;
    try {
        copy = ReadRecoveryCopy(file);
        opened = ParseProject(copy.projectBytes, file);
    } catch (const FileError& error) {
        RefuseDamaged(
            file, QString::fromStdString(error.detail().empty() ? error.what() : error.detail()));
        return false;
    } catch (const std::exception& error) {
        RefuseDamaged(file, QString::fromLocal8Bit(error.what()));
        return false;
    }
    if (!m_commands.ConfirmDiscard()) {
        return true;  // the author kept the current project; the copy waits
    }
    m_commands.OpenRecovered(std::move(opened.project), FromFileSystem(copy.record.originalPath));
    // This editor's own copy takes over before the old one goes, so a crash now loses
    // nothing.
    WriteCopyAndWait();
    try {
        RemoveRecoveryCopy(file);
    } catch (const std::exception&) {
        // It stays; the next start offers it again.
    }
    return true;
}

void AutosaveController::RefuseDamaged(const std::filesystem::path& file, const QString& reason) {
    QString aside;
    try {
        aside = FromFileSystem(SetRecoveryCopyAside(file));
    } catch (const std::exception&) {
        aside = FromFileSystem(file);  // another editor moved it first, or it cannot move
    }
    m_show(m_frame, tr("復元用のコピー「%1」は壊れているため開けません（%2）。\n\n"
                       "このコピーは「%3」に移しました。")
                        .arg(FromFileSystem(file.filename()), reason, aside));
}

}  // namespace plk
