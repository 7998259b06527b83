#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

// Reading the values of a list row the same way on both database backends.
namespace FieldValue {

// A flag column (0/1, true/false, or empty for false).
bool flag(const QVariant &v);
// A number column; empty counts as 0.
double number(const QVariant &v);
// A date column; a date before 1901-08-14 (the stand-in 1900-08-14 for "no date") and an
// empty value give an invalid date.
QDate customDate(const QVariant &v);

} // namespace FieldValue
