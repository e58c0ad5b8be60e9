#include "editor/app/undo_texts.h"

#include <QCoreApplication>

namespace plk {
namespace {

QString ItemText(const QString& item, const QString& itemWithStep, const QString& step,
                 const QString& keys) {
    const QString head = step.isEmpty() ? item : itemWithStep.arg(step);
    return head + QLatin1Char('\t') + keys;
}

}  // namespace

QString UndoItemText(const QString& step) {
    return ItemText(QCoreApplication::translate("UndoTexts", "元に戻す(&U)"),
                    QCoreApplication::translate("UndoTexts", "元に戻す(&U): %1"), step,
                    QStringLiteral("Ctrl+Z"));
}

QString RedoItemText(const QString& step) {
    return ItemText(QCoreApplication::translate("UndoTexts", "やり直し(&R)"),
                    QCoreApplication::translate("UndoTexts", "やり直し(&R): %1"), step,
                    QStringLiteral("Ctrl+Y"));
}

}  // namespace plk
