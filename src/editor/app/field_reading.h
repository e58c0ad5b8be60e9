#pragma once

#include <QString>
#include <climits>

class QLineEdit;
class QWidget;

namespace plk {

class MessageBoxes;

// The caption of the boxes that reject typed input, and the texts of the name checks.
QString InputErrorCaption();
QString CharacterNameErrorText();
QString RomanNameErrorText();

// What a typed field reads as: the value, or the text that tells the author what to type.
template <typename Value>
struct FieldReading {
    Value value{};
    QString problem;  // empty when the value was taken
    bool Ok() const { return problem.isEmpty(); }
};

// An integer is optional blanks around an optionally signed decimal number; a number may
// also have a fraction and an exponent. Anything else, and a value outside the bounds, is
// refused with "整数を入力してください。" / "%1 から %2 までの整数を入力してください。" (and
// the same for 数値).
FieldReading<int> ReadIntegerField(const QString& text, int minimum = INT_MIN,
                                   int maximum = INT_MAX);
FieldReading<float> ReadNumberField(const QString& text, float minimum, float maximum);

// Reads `edit` and, when it is refused, tells the author why and puts `stored` (the value
// the field stands for) back into it. Returns whether `value` was taken.
bool TakeIntegerField(QWidget* parent, MessageBoxes& boxes, QLineEdit* edit, int minimum,
                      int maximum, int stored, int& value);

// The leading integer of a text, as C's atoi reads it ("12.7" and "12abc" give 12, text
// without digits 0), stopping at the limits of 32 bits instead of overflowing.
int LeadingInteger(const QString& text);

}  // namespace plk
