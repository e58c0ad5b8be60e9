#include "editor/app/user_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "editor/app/app_strings.h"

namespace plk {
namespace {

QString RunFileDialog(QWidget* parent, const FileFilter& filter, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilter(filter.filter);
    dialog.setDefaultSuffix(filter.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

}  // namespace

FileFilter ProjectFileFilter() {
    return {QStringLiteral("CREファイル (*.cre);;全てのファイル (*)"), QStringLiteral("cre")};
}

FileFilter ExportFileFilter() {
    return {QStringLiteral("ce8ファイル (*.ce8);;全てのファイル (*)"), QStringLiteral("ce8")};
}

QString QtFileDialogs::GetOpenFileName(QWidget* parent, const FileFilter& filter) {
    return RunFileDialog(parent, filter, QFileDialog::AcceptOpen);
}

QString QtFileDialogs::GetSaveFileName(QWidget* parent, const FileFilter& filter) {
    return RunFileDialog(parent, filter, QFileDialog::AcceptSave);
}

void QtMessageBoxes::ShowError(QWidget* parent, const QString& text) {
    ShowCaptionedError(parent, kApplicationTitle, text);
}

void QtMessageBoxes::ShowCaptionedError(QWidget* parent, const QString& caption,
                                        const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

Answer QtMessageBoxes::AskYesNoCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, kApplicationTitle, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
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
