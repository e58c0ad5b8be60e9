#include "editor/app/user_dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

#include "editor/app/app_strings.h"
#include "editor/app/window_layout.h"

namespace plk {
namespace {

QString LastFolderKey(const FileFilter& filter) {
    return QStringLiteral("LastFolder/") + filter.folderKind;
}

QString RunFileDialog(QWidget* parent, const FileFilter& filter, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    QString folder = filter.folder;
    if (folder.isEmpty() && !filter.folderKind.isEmpty()) {
        folder = settings.value(LastFolderKey(filter)).toString();
    }
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = filter.fallbackFolder;
    }
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        dialog.setDirectory(folder);
    }
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilter(filter.filter);
    dialog.setDefaultSuffix(filter.defaultSuffix);
    if (!filter.fileName.isEmpty()) {
        dialog.selectFile(filter.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QString chosen = dialog.selectedFiles().front();
    if (!filter.folderKind.isEmpty()) {
        settings.setValue(LastFolderKey(filter), QFileInfo(chosen).absolutePath());
    }
    return chosen;
}

}  // namespace

FileFilter ProjectFileFilter() {
    return {QCoreApplication::translate("UserDialogs", "CREファイル (*.cre);;全てのファイル (*)"),
            QStringLiteral("cre"), QStringLiteral("project")};
}

FileFilter ExportFileFilter() {
    return {QCoreApplication::translate("UserDialogs", "ce8ファイル (*.ce8);;全てのファイル (*)"),
            QStringLiteral("ce8"), QStringLiteral("export")};
}

QString QtFileDialogs::GetOpenFileName(QWidget* parent, const FileFilter& filter) {
    return RunFileDialog(parent, filter, QFileDialog::AcceptOpen);
}

QString QtFileDialogs::GetSaveFileName(QWidget* parent, const FileFilter& filter) {
    return RunFileDialog(parent, filter, QFileDialog::AcceptSave);
}

QString QtFileDialogs::GetTargetFolder(QWidget* parent, const QString& caption,
                                       const QString& proposed) {
    // A save dialog, so the author can type the name of a folder that does not exist yet.
    QFileDialog dialog(parent, caption);
    const QFileInfo info(proposed);
    if (info.absoluteDir().exists()) {
        dialog.setDirectory(info.absolutePath());
    }
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(QCoreApplication::translate("UserDialogs", "フォルダー (*)"));
    dialog.setLabelText(QFileDialog::FileName,
                        QCoreApplication::translate("UserDialogs", "フォルダー名:"));
    dialog.setLabelText(QFileDialog::Accept,
                        QCoreApplication::translate("UserDialogs", "ここに置く"));
    dialog.selectFile(info.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

void QtMessageBoxes::ShowError(QWidget* parent, const QString& text) {
    ShowCaptionedError(parent, kApplicationTitle, text);
}

void QtMessageBoxes::ShowCaptionedError(QWidget* parent, const QString& caption,
                                        const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QCoreApplication::translate("UserDialogs", "OK"));
    box.exec();
}

Answer QtMessageBoxes::AskYesNoCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, kApplicationTitle, text, QMessageBox::NoButton, parent);
    QPushButton* yes =
        box.addButton(QCoreApplication::translate("UserDialogs", "はい"), QMessageBox::YesRole);
    QPushButton* no =
        box.addButton(QCoreApplication::translate("UserDialogs", "いいえ"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QCoreApplication::translate("UserDialogs", "キャンセル"),
                                        QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes) {
        return Answer::Yes;
    }
    if (box.clickedButton() == no) {
        return Answer::No;
    }
    return Answer::Cancel;
}

}  // namespace plk
