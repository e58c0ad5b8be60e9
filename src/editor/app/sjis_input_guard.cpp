#include "editor/app/sjis_input_guard.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <algorithm>

#include "core/text/sjis_fit.h"
#include "editor/app/user_dialogs.h"

namespace plk {
namespace {

// The part of `after` that replaced something of `before`: what lies between their common
// beginning and their common end.
QString InsertedPart(const QString& before, const QString& after) {
    const qsizetype limit = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < limit && before[head] == after[head]) {
        ++head;
    }
    qsizetype tail = 0;
    while (tail < limit - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    return after.mid(head, after.size() - head - tail);
}

}  // namespace

QString RefusedCharactersMessage(const std::vector<char32_t>& refused, bool restKept) {
    QString text =
        QCoreApplication::translate("SjisInputGuard",
                                    "次の文字はゲームの文字コード（Shift-JIS）で表せないため、"
                                    "入力できません。\n%1")
            .arg(QString::fromStdString(NameCharacters(refused)));
    if (restKept) {
        text += QCoreApplication::translate("SjisInputGuard", "\nそのほかの文字は入力しました。");
    }
    return text;
}

SjisInputGuard::SjisInputGuard(QLineEdit* edit, Report report)
    : QValidator(edit), m_edit(edit), m_report(std::move(report)), m_shown(edit->text()) {
    edit->setValidator(this);
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_shown = text; });
}

SjisInputGuard* SjisInputGuard::Of(const QLineEdit* edit) {
    return qobject_cast<SjisInputGuard*>(const_cast<QValidator*>(edit->validator()));
}

QValidator::State SjisInputGuard::validate(QString& input, int&) const {
    if (input == m_shown) {
        return Acceptable;
    }
    const QString inserted = InsertedPart(m_shown, input);
    if (inserted.isEmpty()) {
        return Acceptable;
    }
    const QByteArray utf8 = inserted.toUtf8();
    SjisFit fit =
        FitToSjis(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    if (fit.Fits()) {
        return Acceptable;
    }
    // The edit undoes a user's change that is not acceptable; the characters that may stay
    // go in once it has (validation runs in the middle of the edit's own change).
    m_refusals.push_back(
        {m_shown, input, QString::fromStdString(fit.kept), std::move(fit.refused)});
    if (m_refusals.size() == 1) {
        QMetaObject::invokeMethod(const_cast<SjisInputGuard*>(this), &SjisInputGuard::Finish,
                                  Qt::QueuedConnection);
    }
    return Invalid;
}

void SjisInputGuard::Finish() {
    std::vector<Refusal> refusals;
    refusals.swap(m_refusals);
    for (const Refusal& refusal : refusals) {
        const QString now = m_edit->text();
        if (now != refusal.before) {
            // The edit kept the change: it came from the program (which shows stored text
            // as it is), or the edit held unacceptable text already and took it as it came.
            if (now != refusal.attempted || !m_edit->isModified()) {
                continue;
            }
            m_edit->setText(refusal.before);
            m_edit->setModified(true);
        }
        if (!refusal.kept.isEmpty()) {
            m_edit->insert(refusal.kept);
        }
        const QString message = RefusedCharactersMessage(refusal.refused, !refusal.kept.isEmpty());
        if (m_report) {
            m_report(m_edit->window(), message);
        } else {
            QtMessageBoxes().ShowError(m_edit->window(), message);
        }
    }
}

}  // namespace plk
