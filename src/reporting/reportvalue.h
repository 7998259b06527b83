#pragma once

#include <QString>
#include <QVariant>

// How report expressions see values: numbers, texts, dates and null.
namespace ReportValue {

bool isNull(const QVariant &v);
// A number type (int, double, ...); texts are not numbers even when they look like one.
bool isNumber(const QVariant &v);
bool isText(const QVariant &v);
bool isDate(const QVariant &v);
// The value as a number: numbers as they are, texts parsed ("" and unparsable give 0).
double toNumber(const QVariant &v, bool *ok = nullptr);
bool toBool(const QVariant &v);
// The default text of a value: numbers in their plain form (up to 15 significant digits),
// dates as yyyy-MM-dd, date-times as yyyy-MM-dd hh:mm:ss.
QString toText(const QVariant &v);
// The text of a value under a display format (DisplayFormat; empty format: toText).
QString format(const QVariant &v, const QString &format);
// Numbers compare as numbers, dates as dates, everything else as text; null is smallest.
int compare(const QVariant &a, const QVariant &b);
bool equals(const QVariant &a, const QVariant &b);

} // namespace ReportValue
