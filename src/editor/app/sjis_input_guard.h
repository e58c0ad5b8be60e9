#pragma once

#include <QString>
#include <QValidator>
#include <functional>
#include <vector>

class QLineEdit;
class QWidget;

namespace plk {

// Keeps the characters that the game's Shift-JIS text cannot hold out of a line edit, as
// file names that Shift-JIS cannot hold are kept out of the palette: a keystroke of such a
// character is not taken, a paste or drop keeps every other character, and each refusal is
// reported once with the characters named. Text the program puts into the edit is never
// changed.
class SjisInputGuard : public QValidator {
    Q_OBJECT
public:
    // Shows the message of a refusal (the parent is the edit's window).
    using Report = std::function<void(QWidget* parent, const QString& message)>;

    // Guards `edit` (it becomes the edit's validator); without `report` a message box shows.
    SjisInputGuard(QLineEdit* edit, Report report = {});

    State validate(QString& input, int& pos) const override;

    // The guard of `edit`, if it has one.
    static SjisInputGuard* Of(const QLineEdit* edit);
    void SetReport(Report report) { m_report = std::move(report); }

private:
    struct Refusal {
        QString before;     // the text before the refused change
        QString attempted;  // the text the change would have made
        QString kept;       // what the change brought in that the edit may take
        std::vector<char32_t> refused;
    };
    // Runs once the edit has finished the refused change: puts in what may stay and reports.
    void Finish();

    QLineEdit* m_edit;
    Report m_report;
    QString m_shown;  // the edit's text before the change being validated
    mutable std::vector<Refusal> m_refusals;
};

// The message of a refusal; `restKept` adds that the other characters went in.
QString RefusedCharactersMessage(const std::vector<char32_t>& refused, bool restKept);

}  // namespace plk
