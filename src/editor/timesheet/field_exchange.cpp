#include "editor/timesheet/field_exchange.h"

#include <QLineEdit>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "editor/app/user_dialogs.h"

namespace plk {

bool ParseInteger(const QString& text, int& value) {
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok);
    if (ok) {
        value = parsed;
    }
    return ok;
}

bool ParseNumber(const QString& text, float& value) {
    bool ok = false;
    const QString trimmed = text.trimmed();
    // Qt reads "inf" and "nan" too; the framework takes only decimal numbers.
    const bool decimal =
        !trimmed.isEmpty() && std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) {
            return c.isDigit() || c == u'.' || c == u'-' || c == u'+' || c == u'e' || c == u'E';
        });
    const float parsed = trimmed.toFloat(&ok);
    if (ok && decimal && std::isfinite(parsed)) {
        value = parsed;
        return true;
    }
    return false;
}

int LeadingInteger(const QString& text) {
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    if (end < trimmed.size() && (trimmed[end] == u'-' || trimmed[end] == u'+')) {
        ++end;
    }
    while (end < trimmed.size() && trimmed[end].isDigit() && end < 12) {
        ++end;
    }
    bool ok = false;
    const qlonglong value = trimmed.left(end).toLongLong(&ok);
    return ok ? static_cast<int>(std::clamp<qlonglong>(value, INT32_MIN, INT32_MAX)) : 0;
}

bool FieldExchange::Fail(const QString& text) {
    m_ok = false;
    m_boxes.ShowError(m_parent, text);
    return false;
}

bool FieldExchange::Integer(const QLineEdit* edit, int& field) {
    if (!m_ok) {
        return false;
    }
    if (!ParseInteger(edit->text(), field)) {
        return Fail(QStringLiteral("Please enter an integer."));
    }
    return true;
}

bool FieldExchange::Integer(const QLineEdit* edit, int minimum, int maximum, int& field) {
    if (!m_ok) {
        return false;
    }
    int value = 0;
    if (!ParseInteger(edit->text(), value)) {
        return Fail(QStringLiteral("Please enter an integer."));
    }
    if (value < minimum || value > maximum) {
        return Fail(
            QStringLiteral("Please enter an integer between %1 and %2.").arg(minimum).arg(maximum));
    }
    field = value;
    return true;
}

bool FieldExchange::Number(const QLineEdit* edit, float minimum, float maximum, float& field) {
    if (!m_ok) {
        return false;
    }
    float value = 0;
    if (!ParseNumber(edit->text(), value)) {
        return Fail(QStringLiteral("Please enter a number."));
    }
    if (value < minimum || value > maximum) {
        return Fail(QStringLiteral("Please enter a number between %1 and %2.")
                        .arg(static_cast<double>(minimum))
                        .arg(static_cast<double>(maximum)));
    }
    field = value;
    return true;
}

}  // namespace plk
