#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <deque>
#include <memory>

#include "editor/app/main_frame.h"
#include "editor/app/user_dialogs.h"
#include "editor/app/window_layout.h"

namespace plk::test {

// Answers the file dialogs from a queue and records every request.
class ScriptedFileDialogs : public FileDialogs {
public:
    std::deque<QString> answers;  // an empty answer is a cancel
    QStringList filtersAsked;
    QStringList foldersAsked;  // the folder each dialog was to open in
    QStringList fallbackFoldersAsked;
    QStringList namesAsked;  // the file name each dialog filled in

    QString GetOpenFileName(QWidget*, const FileFilter& filter) override { return Next(filter); }
    QString GetSaveFileName(QWidget*, const FileFilter& filter) override { return Next(filter); }
    QString GetTargetFolder(QWidget*, const QString&, const QString& proposed) override {
        FileFilter filter;
        filter.folder = proposed;
        return Next(filter);
    }

private:
    QString Next(const FileFilter& filter) {
        filtersAsked.append(filter.defaultSuffix);
        foldersAsked.append(filter.folder);
        fallbackFoldersAsked.append(filter.fallbackFolder);
        namesAsked.append(filter.fileName);
        if (answers.empty()) {
            return {};
        }
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Records the message boxes and answers questions with a fixed answer.
class RecordingMessageBoxes : public MessageBoxes {
public:
    Answer answer = Answer::Cancel;
    QStringList errors;
    QStringList captions;  // one per error, the application's own when none was given
    QStringList questions;

    void ShowError(QWidget*, const QString& text) override {
        errors.append(text);
        captions.append(QString());
    }
    void ShowCaptionedError(QWidget*, const QString& caption, const QString& text) override {
        errors.append(text);
        captions.append(caption);
    }
    Answer AskYesNoCancel(QWidget*, const QString& text) override {
        questions.append(text);
        return answer;
    }
};

// A main frame whose dialogs are answered by the test.
struct FrameWithDialogs {
    std::unique_ptr<CMainFrame> frame;
    ScriptedFileDialogs* files;
    RecordingMessageBoxes* boxes;
    // The palette's own dialogs (it reports resource files it cannot find).
    ScriptedFileDialogs* paletteFiles;
    RecordingMessageBoxes* paletteBoxes;
    // The boxes of the message and profile browsers (escape and name checks).
    RecordingMessageBoxes* messageBoxes;
    RecordingMessageBoxes* profileBoxes;
};
FrameWithDialogs MakeFrame();

// Settings of the editor as the program sees them.
inline void ClearSettings() {
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    settings.clear();
    settings.sync();
}

}  // namespace plk::test
