#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

// The functions every template can call (names without regard to case):
//   IIF(cond, a, b)  FormatFloat(fmt, x)  FormatDateTime(fmt, d)  FormatValue(v, fmt)
//   Copy(s, index, count)  Pos(sub, s)  Length(s)  Trim(s)  UpperCase(s)  LowerCase(s)
//   IntToStr(x)  FloatToStr(x)  StrToInt(s)  StrToFloat(s)  DateToStr(d)
//   Round(x[, decimals])  Trunc(x)  Abs(x)
namespace ReportBuiltins {

// True when the name is a built-in; then *result holds the value, and *error a complaint about
// the arguments (result null) or stays empty.
bool call(const QString &name, const QVariantList &args, QVariant *result, QString *error);
// "Name(args)" of every built-in, for the designer.
QStringList signatures();

} // namespace ReportBuiltins
