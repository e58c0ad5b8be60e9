#include "editor/app/sample_character.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "core/io/file_error.h"
#include "core/project/project_copy.h"
#include "editor/app/control_id.h"
#include "editor/app/error_texts.h"
#include "editor/app/file_commands.h"
#include "editor/app/main_frame.h"
#include "editor/timesheet/playback_controls.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"

// Resources of a static library are registered by hand, from outside any namespace.
static void RegisterEmbeddedSample() {
    Q_INIT_RESOURCE(sample_character);
}

namespace plk {
namespace {

constexpr int kFirstNumberedCopy = 2;

bool IsEmptyFolder(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() &&
           QDir(path).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// Writes the embedded files into `folder`; false when one cannot be written.
bool UnpackEmbeddedSample(const QString& folder) {
    RegisterEmbeddedSample();
    const QDir embedded(kEmbeddedSampleFolder);
    const QStringList names = embedded.entryList(QDir::Files);
    if (!names.contains(kSampleProjectName)) {
        return false;
    }
    for (const QString& name : names) {
        if (!QFile::copy(embedded.filePath(name), QDir(folder).filePath(name))) {
            return false;
        }
    }
    return true;
}

}  // namespace

void PlayFirstCutLooping(CMainFrame& frame) {
    CTimeSheetBase* sheets = frame.TimeSheet();
    if (sheets->CutCount() == 0) {
        return;
    }
    sheets->SelectCut(0);
    CPlaybackControls* controls = sheets->Page(0)->Playback();
    auto* repeat =
        qobject_cast<QAbstractButton*>(FindControl(controls, CPlaybackControls::kAutoRepeatId));
    auto* play =
        qobject_cast<QAbstractButton*>(FindControl(controls, CPlaybackControls::kSimplePlayId));
    if (repeat == nullptr || play == nullptr || controls->IsPlaying()) {
        return;
    }
    repeat->setChecked(true);
    play->click();
}

QString UniqueFolderPath(const QString& wanted) {
    QString candidate = wanted;
    for (int n = kFirstNumberedCopy; QFileInfo::exists(candidate); ++n) {
        candidate = QStringLiteral("%1 (%2)").arg(wanted).arg(n);
    }
    return candidate;
}

QString SampleFolderName() {
    return QCoreApplication::translate("FileCommands", "PLK-CE サンプル");
}

QString DefaultSampleFolder() {
    // Without a documents folder (a fresh account, a server) the home folder takes its place.
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QFileInfo(documents).isDir()) {
        documents = QDir::homePath();
    }
    return UniqueFolderPath(QDir(documents).filePath(SampleFolderName()));
}

void FileCommands::OpenSample() {
    if (!ConfirmDiscard()) {
        return;
    }
    QString folder = m_files->GetTargetFolder(
        m_frame, QCoreApplication::translate("FileCommands", "サンプルキャラクターのコピー先"),
        DefaultSampleFolder());
    if (folder.isEmpty()) {
        return;
    }
    // The author's own files are never overwritten: a folder that holds anything gets the
    // sample in a new folder inside it.
    if (QFileInfo::exists(folder) && !IsEmptyFolder(folder)) {
        if (!QFileInfo(folder).isDir()) {
            m_boxes->ShowError(m_frame,
                               QCoreApplication::translate("FileCommands",
                                                           "「%1」はフォルダーではありません。"
                                                           "別の場所を選んでください。")
                                   .arg(QDir::toNativeSeparators(folder)));
            return;
        }
        folder = UniqueFolderPath(QDir(folder).filePath(SampleFolderName()));
    }

    QTemporaryDir unpacked;
    if (!unpacked.isValid() || !UnpackEmbeddedSample(unpacked.path())) {
        m_boxes->ShowError(
            m_frame, QCoreApplication::translate("FileCommands",
                                                 "サンプルキャラクターを取り出せませんでした。"));
        return;
    }
    std::filesystem::path copy;
    try {
        copy = CopyProjectWithResources(
            ToFileSystemPath(QDir(unpacked.path()).filePath(kSampleProjectName)),
            ToFileSystemPath(folder));
    } catch (const std::exception& error) {
        m_boxes->ShowError(m_frame, UserErrorText(error, FileTask::SaveProject));
        return;
    }
    if (OpenFile(QFile::decodeName(QByteArray::fromStdString(copy.string())))) {
        Q_EMIT sampleOpened();
    }
}

}  // namespace plk
