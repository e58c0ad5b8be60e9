#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <memory>

#include "core/project/project.h"
#include "editor/app/export_runner.h"
#include "editor/app/recent_files.h"
#include "editor/app/user_dialogs.h"

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

    void New();
    void Open();
    // Opens `path` as Open does once a file was chosen (command line, recent files).
    bool OpenFile(const QString& path);
    // Opens a recent entry; an entry that cannot be opened leaves the list.
    void OpenRecent(const QString& path);
    bool SaveAs();
    bool Save();
    void Export();

    // Before work would be dropped: asks whether to save while there are unsaved edits.
    // False when the user chose to stay (cancelled, or the save did not happen).
    bool ConfirmDiscard();

    const QString& ProjectPath() const { return m_path; }
    bool IsModified() const { return m_modified; }
    void MarkModified() { m_modified = true; }
    const RecentFileList& RecentFiles() const { return m_recent; }

    // The character as the windows hold it now.
    Project GatherProject() const;

Q_SIGNALS:
    void recentFilesChanged();

private:
    void LoadIntoWindows(Project project);
    bool WriteTo(const QString& path);
    void RememberRecent(const QString& path);
    void ForgetRecent(const QString& path);

    QWidget* m_frame;
    ProjectWindows m_windows;
    std::unique_ptr<FileDialogs> m_files;
    std::unique_ptr<MessageBoxes> m_boxes;
    ExportRunner m_exportRunner;
    RecentFileList m_recent;
    QString m_path;
    bool m_modified = false;
};

// A path chosen in a dialog as the file system sees it.
std::filesystem::path ToFileSystemPath(const QString& path);

}  // namespace plk
