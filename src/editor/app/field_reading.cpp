#include "editor/app/field_reading.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "editor/app/user_dialogs.h"

namespace plk {

QString InputErrorCaption() {
    return QCoreApplication::translate("FieldReading", "入力エラー");
}

QString CharacterNameErrorText() {
    return QCoreApplication::translate(
        "FieldReading",
        " このフィールドに入力される文字は全角ひらがなカタカナ漢字である必要があります");
}

QString RomanNameErrorText() {
    return QCoreApplication::translate(
        "FieldReading", " このフィールドに入力される文字は英数字である必要があります");
}

namespace {

QString IntegerText() {
    return QCoreApplication::translate("FieldReading", "整数を入力してください。");
}

QString NumberText() {
    return QCoreApplication::translate("FieldReading", "数値を入力してください。");
}

}  // namespace

FieldReading<int> ReadIntegerField(const QString& text, int minimum, int maximum) {
    FieldReading<int> reading;
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok);
    if (!ok) {
        reading.problem = IntegerText();
    } else if (parsed < minimum || parsed > maximum) {
        reading.problem =
            QCoreApplication::translate("FieldReading", "%1 から %2 までの整数を入力してください。")
                .arg(minimum)
                .arg(maximum);
    } else {
        reading.value = parsed;
    }
    return reading;
}

FieldReading<float> ReadNumberField(const QString& text, float minimum, float maximum) {
    FieldReading<float> reading;
    const QString trimmed = text.trimmed();
    // Qt also reads "inf" and "nan"; a field takes decimal numbers only.
    const bool decimal =
        !trimmed.isEmpty() && std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) {
            return c.isDigit() || c == u'.' || c == u'-' || c == u'+' || c == u'e' || c == u'E';
        });
    bool ok = false;
    const float parsed = trimmed.toFloat(&ok);
    if (!ok || !decimal || !std::isfinite(parsed)) {
        reading.problem = NumberText();
    } else if (parsed < minimum || parsed > maximum) {
        reading.problem =
            QCoreApplication::translate("FieldReading", "%1 から %2 までの数値を入力してください。")
                .arg(static_cast<double>(minimum))
                .arg(static_cast<double>(maximum));
    } else {
        reading.value = parsed;
    }
    return reading;
}

bool TakeIntegerField(QWidget* parent, MessageBoxes& boxes, QLineEdit* edit, int minimum,
                      int maximum, int stored, int& value) {
    const FieldReading<int> reading = ReadIntegerField(edit->text(), minimum, maximum);
    if (!reading.Ok()) {
        // The field goes back to what it stands for before the box takes the focus.
        edit->setText(QString::number(stored));
        boxes.ShowError(parent, reading.problem);
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    value = reading.value;
    return true;
}

int LeadingInteger(const QString& text) {
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace()) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        negative = text[at] == u'-';
        ++at;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{INT32_MAX} + 1;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        value = std::min(value * 10 + (text[at].unicode() - u'0'), kLimit);
    }
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace plk
