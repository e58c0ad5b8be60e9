#include "editor/app/undo_texts.h"

namespace plk {
namespace {

QString ItemText(const QString& item, const QString& step, const QString& keys) {
    const QString head = step.isEmpty() ? item : item + QStringLiteral(": ") + step;
    return head + QLatin1Char('\t') + keys;
}

}  // namespace

QString UndoItemText(const QString& step) {
    return ItemText(QStringLiteral("元に戻す(&U)"), step, QStringLiteral("Ctrl+Z"));
}

QString RedoItemText(const QString& step) {
    return ItemText(QStringLiteral("やり直し(&R)"), step, QStringLiteral("Ctrl+Y"));
}

}  // namespace plk
