#pragma once

#include <QString>

class QWidget;

namespace plk {

// What a file dialog offers: Qt's filter text and the extension added to a bare name; the
// kind of file, whose last folder the dialog opens in, unless a folder is given;
// `fallbackFolder` where no folder of that kind was used yet; the file name filled in.
struct FileFilter {
    QString filter;
    QString defaultSuffix;
    QString folderKind = {};
    QString folder = {};
    QString fallbackFolder = {};
    QString fileName = {};
};

FileFilter ProjectFileFilter();  // .cre
FileFilter ExportFileFilter();   // .ce8

// The file dialogs the commands show. Tests answer them in place of a user.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path; empty when the user cancelled.
    virtual QString GetOpenFileName(QWidget* parent, const FileFilter& filter) = 0;
    // Asks before replacing an existing file. The chosen path; empty when cancelled.
    virtual QString GetSaveFileName(QWidget* parent, const FileFilter& filter) = 0;
    // A folder to put new files in, offered as `proposed` (which need not exist yet); the
    // author may name a new one. Empty when cancelled.
    virtual QString GetTargetFolder(QWidget* parent, const QString& caption,
                                    const QString& proposed) = 0;
};

enum class Answer { Yes, No, Cancel };

// The message boxes the commands show. Tests read what would have been said.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // An error box under its own caption (input checks name theirs).
    virtual void ShowCaptionedError(QWidget* parent, const QString& caption, const QString& text) {
        (void)caption;
        ShowError(parent, text);
    }
    // A question with the buttons はい / いいえ / キャンセル.
    virtual Answer AskYesNoCancel(QWidget* parent, const QString& text) = 0;
};

// The real dialogs.
class QtFileDialogs : public FileDialogs {
public:
    QString GetOpenFileName(QWidget* parent, const FileFilter& filter) override;
    QString GetSaveFileName(QWidget* parent, const FileFilter& filter) override;
    QString GetTargetFolder(QWidget* parent, const QString& caption,
                            const QString& proposed) override;
};

class QtMessageBoxes : public MessageBoxes {
public:
    void ShowError(QWidget* parent, const QString& text) override;
    void ShowCaptionedError(QWidget* parent, const QString& caption, const QString& text) override;
    Answer AskYesNoCancel(QWidget* parent, const QString& text) override;
};

}  // namespace plk
