#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/check/finding.h"
#include "core/project/project.h"
#include "editor/app/export_runner.h"
#include "editor/app/recent_files.h"
#include "editor/app/user_dialogs.h"

class QUndoStack;
class QWidget;

namespace plk {

class CMessageBrowser;
class CProfileBrowser;
class CResourcePalette;
class CTimeSheetBase;

// The tool windows that own the character's records.
struct ProjectWindows {
    CResourcePalette* palette;
    CMessageBrowser* messages;
    CProfileBrowser* profile;
    CTimeSheetBase* timeSheet;
};

// The File commands: New, Open, Save As, Save and the game export, with the current
// project path, the unsaved-changes flag and the recent-file list.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(QWidget* frame, ProjectWindows windows);
    ~FileCommands() override;

    // Replaces the dialogs the commands show (tests answer them instead of a user).
    void SetDialogs(std::unique_ptr<FileDialogs> files, std::unique_ptr<MessageBoxes> boxes);
    void SetExporter(ExportFunction exporter);
    // Run on the gathered character before an export; when its findings hold errors the
    // author is asked whether to export anyway.
    void SetExportCheck(std::function<Findings(const Project&)> check) {
        m_exportCheck = std::move(check);
    }

    void New();
    void Open();
    // Opens `path` as Open does once a file was chosen (command line, recent files). The
    // project's path and its recent entry are kept absolute.
    bool OpenFile(const QString& path);
    // Puts a recovered character in the windows as the project at `path` (empty for one
    // never saved), with unsaved edits: saving writes it where it belongs.
    void OpenRecovered(Project project, const QString& path);
    // Copies the sample character into a folder the author chooses (a new folder under
    // the documents folder unless told otherwise) and opens the copy (sample_character.cpp).
    void OpenSample();
    // Opens a recent entry; an entry that cannot be opened leaves the list.
    void OpenRecent(const QString& path);
    bool SaveAs();
    bool Save();
    void Export();
    // The current cut as an animated GIF or WebP (file_commands_animation.cpp).
    void ExportAnimation();

    // Before work would be dropped: asks whether to save while there are unsaved edits.
    // False when the user chose to stay (cancelled, or the save did not happen).
    bool ConfirmDiscard();

    const QString& ProjectPath() const { return m_path; }
    // Unsaved work: the undo history stands away from its saved state, or a change that
    // cannot be undone (a resource path corrected on Open) was made since the last save.
    bool IsModified() const;
    void MarkModified();
    // The project's one undo history; New and Open clear it, a save marks its clean state.
    QUndoStack* UndoStack() const { return m_undo; }
    const RecentFileList& RecentFiles() const { return m_recent; }

    // The character as the windows hold it now.
    Project GatherProject() const;
    // The same into `project`, reusing the memory its records already hold (the autosave
    // gathers into the previous copy).
    void GatherProjectInto(Project& project) const;

Q_SIGNALS:
    void recentFilesChanged();
    void modifiedChanged(bool modified);
    // The project's file changed (New, Open, Save As); empty for a new project.
    void pathChanged(const QString& path);
    void saved(const QString& path);
    // A project file was opened (Open, a recent file, the command line).
    void projectOpened(const QString& path);
    void exported(const QString& path);
    // ヘルプ → "サンプルキャラクターを開く" opened its copy.
    void sampleOpened();

private:
    // `path` is the project file: moved resources are looked for around it.
    void LoadIntoWindows(Project project, const QString& path);
    bool WriteTo(const QString& path);
    void SetPath(const QString& path);
    void RememberRecent(const QString& path);
    void ForgetRecent(const QString& path);
    // After New, Open or a save: the windows hold exactly what the file (or a new project)
    // holds.
    void MarkSaved();

    QWidget* m_frame;
    ProjectWindows m_windows;
    std::unique_ptr<FileDialogs> m_files;
    std::unique_ptr<MessageBoxes> m_boxes;
    ExportRunner m_exportRunner;
    std::function<Findings(const Project&)> m_exportCheck;
    RecentFileList m_recent;
    QString m_path;
    QUndoStack* m_undo;
    bool m_modifiedOutsideHistory = false;
};

// A path chosen in a dialog as the file system sees it.
std::filesystem::path ToFileSystemPath(const QString& path);

}  // namespace plk
