#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

// Display formats of grid cells, footers and report fields.
//
// Number formats: "0" a mandatory digit, "#" an optional digit, "." the decimal point (shown only
// when a fraction digit follows it), "," anywhere in a section groups the integer digits by
// thousands, "E+00"/"E-00" scientific notation, text in '...' or "..." and every other character
// a literal (e.g. "￥"). Up to three sections separated by ";": positive;negative;zero. Without a
// negative section a negative value gets "-" in front of the positive section's text; with one,
// the negative section shows the absolute value as written. Values are rounded half away from
// zero at the last digit placeholder (on their 15 significant decimal digits, so 2.675 rounds to
// 2.68 as a person expects). A value that rounds to zero is shown as zero, never as "-0".
//
// Date formats (letters in any case): yyyy yy, m mm mmm mmmm (month; minutes right after an hour
// token), d dd ddd dddd, h hh, n nn, s ss, z zzz, am/pm a/p ampm, "/" the date separator "-",
// ":" the time separator, quoted text literal.
namespace DisplayFormat {

QString formatNumber(double value, const QString &format);
QString formatDate(const QDateTime &value, const QString &format);
QString formatDate(const QDate &value, const QString &format);

// Dispatches on the value's type: numbers through formatNumber, dates through formatDate, texts
// that hold a number or a date (as SQLite returns them) likewise when a format is given. An
// empty format gives the plain text (numbers with up to 15 significant digits, dates as
// "yyyy-mm-dd" and, when they carry a time of day, " hh:nn:ss"). A null value gives "".
QString formatValue(const QVariant &value, const QString &format);

// Plain text of a number: up to 15 significant digits, no exponent for ordinary magnitudes.
QString plainNumber(double value);

// Whether a format holds date tokens rather than number placeholders.
bool isDateFormat(const QString &format);

// The spreadsheet number-format code that shows numbers as a number format does ("" for the
// General format). Spreadsheets show "0.##" with a trailing point for whole numbers, so a
// format whose decimals are all optional becomes General on the value rounded to
// *roundDecimals places (-1: no rounding needed).
QString excelNumberFormat(const QString &format, int *roundDecimals);
// The spreadsheet code of a date format ("yyyy-mm-dd" style tokens; empty: "yyyy-mm-dd").
QString excelDateFormat(const QString &format);

} // namespace DisplayFormat
