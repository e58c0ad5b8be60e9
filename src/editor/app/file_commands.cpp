#include "editor/app/file_commands.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QUndoStack>
#include <cstring>

#include "core/project/project_file.h"
#include "editor/app/app_strings.h"
#include "editor/app/error_texts.h"
#include "editor/app/window_layout.h"
#include "editor/content/message_browser.h"
#include "editor/content/profile_browser.h"
#include "editor/content/resource_palette.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"

namespace plk {
namespace {

// The dialogs of project files open in the project's folder while there is one.
FileFilter InProjectFolder(FileFilter filter, const QString& projectPath) {
    if (!projectPath.isEmpty()) {
        filter.folder = QFileInfo(projectPath).absolutePath();
    }
    return filter;
}

// Save As offers the current file's own name.
FileFilter ForSaving(const QString& projectPath) {
    FileFilter filter = InProjectFolder(ProjectFileFilter(), projectPath);
    if (!projectPath.isEmpty()) {
        filter.fileName = QFileInfo(projectPath).fileName();
    }
    return filter;
}

// The export proposes the project's name as a game file, in the folder of the last export
// (the project's folder before the first one).
FileFilter ForExport(const QString& projectPath) {
    FileFilter filter = ExportFileFilter();
    if (!projectPath.isEmpty()) {
        const QFileInfo project(projectPath);
        filter.fallbackFolder = project.absolutePath();
        filter.fileName = project.completeBaseName() + QStringLiteral(".ce8");
    }
    return filter;
}

// Paths are kept absolute: a project named relative to the folder the editor started in
// stays the same file when the current folder moves (a resource import moves it).
QString Absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

}  // namespace

std::filesystem::path ToFileSystemPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

FileCommands::FileCommands(QWidget* frame, ProjectWindows windows)
    : QObject(frame),
      m_frame(frame),
      m_windows(windows),
      m_files(std::make_unique<QtFileDialogs>()),
      m_boxes(std::make_unique<QtMessageBoxes>()),
      m_undo(new QUndoStack(this)) {
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    m_recent.Load(settings);
    connect(m_undo, &QUndoStack::cleanChanged, this,
            [this] { Q_EMIT modifiedChanged(IsModified()); });
}

FileCommands::~FileCommands() = default;

void FileCommands::SetDialogs(std::unique_ptr<FileDialogs> files,
                              std::unique_ptr<MessageBoxes> boxes) {
    m_files = std::move(files);
    m_boxes = std::move(boxes);
}

void FileCommands::SetExporter(ExportFunction exporter) {
    m_exportRunner = ExportRunner(std::move(exporter));
}

bool FileCommands::IsModified() const {
    return m_modifiedOutsideHistory || !m_undo->isClean();
}

void FileCommands::MarkModified() {
    const bool was = IsModified();
    m_modifiedOutsideHistory = true;
    if (!was) {
        Q_EMIT modifiedChanged(true);
    }
}

void FileCommands::MarkSaved() {
    const bool was = IsModified();
    m_modifiedOutsideHistory = false;
    m_undo->setClean();
    if (was) {
        Q_EMIT modifiedChanged(false);
    }
}

bool FileCommands::ConfirmDiscard() {
    if (!IsModified()) {
        return true;
    }
    switch (m_boxes->AskYesNoCancel(
        m_frame, QCoreApplication::translate("FileCommands", "変更を保存しますか？"))) {
        case Answer::Yes:
            return Save();
        case Answer::No:
            return true;
        case Answer::Cancel:
            break;
    }
    return false;
}

void FileCommands::New() {
    if (!ConfirmDiscard()) {
        return;
    }
    m_windows.palette->ClearAll();
    m_windows.timeSheet->RemoveAllCuts();
    m_windows.timeSheet->CreateDefaultCuts();
    m_windows.messages->ResetMessages();
    m_windows.profile->ResetProfile();
    m_undo->clear();
    SetPath({});
    MarkSaved();
}

void FileCommands::Open() {
    if (!ConfirmDiscard()) {
        return;
    }
    QString path = m_files->GetOpenFileName(m_frame, InProjectFolder(ProjectFileFilter(), m_path));
    if (!path.isEmpty()) {
        OpenFile(path);
    }
}

void FileCommands::OpenRecent(const QString& path) {
    if (ConfirmDiscard() && !OpenFile(path)) {
        ForgetRecent(path);
    }
}

bool FileCommands::OpenFile(const QString& chosen) {
    const QString path = Absolute(chosen);
    // The whole file is read and checked before anything is reset, so a refused file
    // leaves the current project and its path as they were. The message browser settles
    // the situation it shows, and no other.
    // The palette's images start decoding on every core as soon as the palette is read,
    // while the frames are still being read and parsed.
    OpenedProject opened;
    std::unique_ptr<ResourceImageBatch> decoding;
    try {
        const std::filesystem::path file = ToFileSystemPath(path);
        const ProjectSummary summary = ReadProjectSummary(file);
        decoding = m_windows.palette->StartImageDecoding(summary.palette, file);
        opened = ReadProjectFile(file, std::nullopt);
        // A file replaced between the two reads: its own palette is decoded afresh.
        if (std::memcmp(&summary.palette, &opened.project.palette, sizeof summary.palette) != 0) {
            decoding.reset();
        }
    } catch (const std::exception& error) {
        m_boxes->ShowError(m_frame, UserErrorText(error, FileTask::OpenProject));
        return false;
    }
    m_undo->clear();
    LoadIntoWindows(std::move(opened.project), path, std::move(decoding));
    SetPath(path);
    MarkSaved();
    // Paths corrected while loading are not in the file yet: saving writes them.
    if (!m_windows.palette->CorrectedSlots().isEmpty()) {
        MarkModified();
    }
    RememberRecent(path);
    Q_EMIT projectOpened(path);
    return true;
}

void FileCommands::OpenRecovered(Project project, const QString& path) {
    m_undo->clear();
    LoadIntoWindows(std::move(project), path);
    SetPath(path);
    MarkSaved();
    MarkModified();
}

void FileCommands::LoadIntoWindows(Project project, const QString& path,
                                   std::unique_ptr<ResourceImageBatch> decoding) {
    m_windows.palette->ClearAll();
    m_windows.timeSheet->RemoveAllCuts();
    m_windows.messages->ResetMessages();
    m_windows.profile->ResetProfile();

    m_windows.palette->Table() = project.palette;
    m_windows.palette->RebuildFromTable(ToFileSystemPath(path), std::move(decoding));
    m_windows.profile->LoadProfile(project.profile);
    m_windows.messages->ImportMessages(project.messages.situations);
    for (Cut& cut : project.cuts) {
        m_windows.timeSheet->AppendCut(std::move(cut));
    }
    m_windows.timeSheet->CutNames() = project.cutNames;
    m_windows.timeSheet->RelabelTabs();
}

bool FileCommands::SaveAs() {
    QString path = m_files->GetSaveFileName(m_frame, ForSaving(m_path));
    if (path.isEmpty()) {
        return false;
    }
    return WriteTo(Absolute(path));
}

bool FileCommands::Save() {
    if (m_path.isEmpty()) {
        return SaveAs();
    }
    return WriteTo(m_path);
}

bool FileCommands::WriteTo(const QString& path) {
    try {
        WriteProjectFile(ToFileSystemPath(path), GatherProject());
    } catch (const std::exception& error) {
        m_boxes->ShowError(m_frame, UserErrorText(error, FileTask::SaveProject));
        return false;
    }
    SetPath(path);
    MarkSaved();
    RememberRecent(path);
    Q_EMIT saved(path);
    return true;
}

void FileCommands::Export() {
    // The character is checked before a file is chosen; errors ask whether to go on.
    const Project project = GatherProject();
    if (m_exportCheck && HasErrors(m_exportCheck(project)) &&
        m_boxes->AskYesNoCancel(
            m_frame, QCoreApplication::translate("FileCommands",
                                                 "キャラクターチェックでエラーが見つかりました"
                                                 "（ゲームで失敗するか、失われるものがあり"
                                                 "ます）。\nこのままエクスポートしますか？")) !=
            Answer::Yes) {
        return;
    }
    QString path = m_files->GetSaveFileName(m_frame, ForExport(m_path));
    if (path.isEmpty()) {
        return;
    }
    ExportOutcome outcome = m_exportRunner.Run(m_frame, project, ToFileSystemPath(path));
    if (outcome.status == ExportOutcome::Status::Failed) {
        m_boxes->ShowError(m_frame, outcome.error);
    } else if (outcome.status == ExportOutcome::Status::Written) {
        Q_EMIT exported(path);
    }
}

Project FileCommands::GatherProject() const {
    Project project;
    GatherProjectInto(project);
    return project;
}

void FileCommands::GatherProjectInto(Project& project) const {
    project.palette = m_windows.palette->Table();
    project.profile = m_windows.profile->ProfileData();
    project.messages = m_windows.messages->MessageData();
    const int cutCount = m_windows.timeSheet->CutCount();
    project.cuts.resize(static_cast<std::size_t>(cutCount));
    for (int i = 0; i < cutCount; ++i) {
        // Copy-assigned: a cut's frame array keeps its capacity.
        project.cuts[static_cast<std::size_t>(i)] = m_windows.timeSheet->Page(i)->GetCut();
    }
    project.cutNames = m_windows.timeSheet->CutNames();
}

void FileCommands::SetPath(const QString& path) {
    if (m_path != path) {
        m_path = path;
        Q_EMIT pathChanged(m_path);
    }
}

void FileCommands::RememberRecent(const QString& path) {
    m_recent.Add(path);
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    m_recent.Save(settings);
    Q_EMIT recentFilesChanged();
}

void FileCommands::ForgetRecent(const QString& path) {
    m_recent.Remove(path);
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    m_recent.Save(settings);
    Q_EMIT recentFilesChanged();
}

}  // namespace plk
