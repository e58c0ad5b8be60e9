#pragma once

#include <QDateTime>
#include <QDialog>
#include <QString>
#include <vector>

class QListWidget;

namespace plk {

// One recovery copy as the dialog presents it.
struct RecoveryOffer {
    QString copyFile;
    QString projectName;  // the file name, or 無題 for a project never saved
    QString projectPath;  // empty for a project never saved
    QDateTime savedAt;
    bool olderThanFile = false;  // the project file on disk was written after the copy
};

enum class RecoveryAction { Restore, Discard, Later };

struct RecoveryChoice {
    RecoveryAction action = RecoveryAction::Later;
    int index = 0;  // into the offers
};

// "前回、保存されていない編集が残っています": the copies left by editors that did not end
// cleanly, each with its project's name and path and the time of the copy, and the
// buttons 復元 / 破棄 / 後で for the selected one (後で keeps them all for the next start).
class RecoveryDialog : public QDialog {
    Q_OBJECT
public:
    RecoveryDialog(QWidget* parent, const std::vector<RecoveryOffer>& offers);

    RecoveryChoice Choice() const { return m_choice; }

    // The text of one entry of the list.
    static QString Describe(const RecoveryOffer& offer);

private:
    void Finish(RecoveryAction action);

    QListWidget* m_list;
    RecoveryChoice m_choice;
};

// Shows the dialog and returns what was chosen; closing it counts as 後で.
RecoveryChoice AskRecovery(QWidget* parent, const std::vector<RecoveryOffer>& offers);

}  // namespace plk
