#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace plk {

class MessageBoxes;

// Reads dialog fields one after another as the framework's data exchange does: a field
// that is not a number, or lies outside its range, shows the framework's text ("Please
// enter an integer between %1 and %2.", ...) and ends the read; the fields after it are
// not read. A field only takes a value that passed its checks.
class FieldExchange {
public:
    FieldExchange(QWidget* parent, MessageBoxes& boxes) : m_parent(parent), m_boxes(boxes) {}

    // Each returns whether this field was read and taken.
    bool Integer(const QLineEdit* edit, int& field);
    bool Integer(const QLineEdit* edit, int minimum, int maximum, int& field);
    bool Number(const QLineEdit* edit, float minimum, float maximum, float& field);

    // No field has failed so far.
    bool Ok() const { return m_ok; }

private:
    bool Fail(const QString& text);

    QWidget* m_parent;
    MessageBoxes& m_boxes;
    bool m_ok = true;
};

// An integer as the framework reads it: optional blanks around an optionally signed
// decimal number; anything else is not a number.
bool ParseInteger(const QString& text, int& value);
bool ParseNumber(const QString& text, float& value);

// The leading integer of a text: "12.7" and "12abc" give 12, text without digits 0.
int LeadingInteger(const QString& text);

}  // namespace plk
