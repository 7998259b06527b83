#include "reportbuiltins.h"

#include "reportvalue.h"

#include "data/displayformat.h"

#include <QDate>
#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace ReportBuiltins {

namespace {
// Rounds half away from zero as the number is written in decimal (Round(1.005, 2) = 1.01).
double roundDecimal(double v, int decimals)
{
    decimals = std::clamp(decimals, 0, 12);
    const QString format = decimals > 0 ? QStringLiteral("0.") + QString(decimals, QLatin1Char('0')) : QStringLiteral("0");
    return DisplayFormat::formatNumber(v, format).toDouble();
}

struct Builtin {
    const char *name;
    const char *signature;
    int minArgs;
    int maxArgs;
};

const Builtin Builtins[] = {
    {"IIF", "IIF(条件, 值1, 值2)", 3, 3},
    {"FORMATFLOAT", "FormatFloat('格式', 数值)", 2, 2},
    {"FORMATDATETIME", "FormatDateTime('格式', 日期)", 2, 2},
    {"FORMATVALUE", "FormatValue(值, '格式')", 2, 2},
    {"COPY", "Copy(文本, 起始位置, 长度)", 3, 3},
    {"POS", "Pos(子串, 文本)", 2, 2},
    {"LENGTH", "Length(文本)", 1, 1},
    {"TRIM", "Trim(文本)", 1, 1},
    {"UPPERCASE", "UpperCase(文本)", 1, 1},
    {"LOWERCASE", "LowerCase(文本)", 1, 1},
    {"INTTOSTR", "IntToStr(数值)", 1, 1},
    {"FLOATTOSTR", "FloatToStr(数值)", 1, 1},
    {"STRTOINT", "StrToInt(文本)", 1, 1},
    {"STRTOFLOAT", "StrToFloat(文本)", 1, 1},
    {"DATETOSTR", "DateToStr(日期)", 1, 1},
    {"ROUND", "Round(数值[, 小数位])", 1, 2},
    {"TRUNC", "Trunc(数值)", 1, 1},
    {"ABS", "Abs(数值)", 1, 1},
};

QVariant toDateValue(const QVariant &v)
{
    if (ReportValue::isDate(v) || v.typeId() == QMetaType::QTime)
        return v;
    const QString s = v.toString().trimmed();
    const QDateTime dt = QDateTime::fromString(s, Qt::ISODate);
    if (dt.isValid())
        return dt;
    const QDate d = QDate::fromString(s.left(10), Qt::ISODate);
    return d.isValid() ? QVariant(d) : QVariant();
}
} // namespace

bool call(const QString &name, const QVariantList &args, QVariant *result, QString *error)
{
    const QString upper = name.toUpper();
    const Builtin *found = nullptr;
    for (const Builtin &b : Builtins)
        if (upper == QLatin1String(b.name))
            found = &b;
    if (!found)
        return false;
    *result = QVariant();
    if (args.size() < found->minArgs || args.size() > found->maxArgs) {
        *error = QStringLiteral("%1 的参数个数不对").arg(QString::fromUtf8(found->signature));
        return true;
    }
    auto text = [&](int i) { return ReportValue::toText(args[i]); };
    auto num = [&](int i) { return ReportValue::toNumber(args[i]); };

    if (upper == QLatin1String("IIF")) {
        *result = ReportValue::toBool(args[0]) ? args[1] : args[2];
    } else if (upper == QLatin1String("FORMATFLOAT")) {
        *result = ReportValue::format(num(1), text(0));
    } else if (upper == QLatin1String("FORMATDATETIME")) {
        *result = ReportValue::format(toDateValue(args[1]), text(0));
    } else if (upper == QLatin1String("FORMATVALUE")) {
        *result = ReportValue::format(args[0], text(1));
    } else if (upper == QLatin1String("COPY")) {
        const QString s = text(0);
        const int from = std::max(1, int(num(1)));
        const int count = std::max(0, int(num(2)));
        *result = s.mid(from - 1, count);
    } else if (upper == QLatin1String("POS")) {
        *result = qlonglong(text(1).indexOf(text(0)) + 1);
    } else if (upper == QLatin1String("LENGTH")) {
        *result = qlonglong(text(0).size());
    } else if (upper == QLatin1String("TRIM")) {
        *result = text(0).trimmed();
    } else if (upper == QLatin1String("UPPERCASE")) {
        *result = text(0).toUpper();
    } else if (upper == QLatin1String("LOWERCASE")) {
        *result = text(0).toLower();
    } else if (upper == QLatin1String("INTTOSTR")) {
        *result = QString::number(qlonglong(std::trunc(num(0))));
    } else if (upper == QLatin1String("FLOATTOSTR")) {
        *result = ReportValue::toText(num(0));
    } else if (upper == QLatin1String("STRTOINT") || upper == QLatin1String("STRTOFLOAT")) {
        bool ok = false;
        const double d = ReportValue::toNumber(args[0], &ok);
        if (!ok)
            *error = QStringLiteral("\"%1\" 不是数字").arg(text(0));
        else
            *result = upper == QLatin1String("STRTOINT") ? QVariant(qlonglong(std::trunc(d))) : QVariant(d);
    } else if (upper == QLatin1String("DATETOSTR")) {
        const QVariant d = toDateValue(args[0]);
        *result = ReportValue::isNull(d) ? QString() : d.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    } else if (upper == QLatin1String("ROUND")) {
        if (!ReportValue::isNull(args[0]))
            *result = roundDecimal(num(0), args.size() > 1 ? int(num(1)) : 0);
    } else if (upper == QLatin1String("TRUNC")) {
        if (!ReportValue::isNull(args[0]))
            *result = qlonglong(std::trunc(num(0)));
    } else if (upper == QLatin1String("ABS")) {
        if (!ReportValue::isNull(args[0]))
            *result = ReportValue::isNumber(args[0]) && args[0].typeId() != QMetaType::Double ? QVariant(std::llabs(args[0].toLongLong()))
                                                                                              : QVariant(std::abs(num(0)));
    }
    return true;
}

QStringList signatures()
{
    QStringList out;
    for (const Builtin &b : Builtins)
        out << QString::fromUtf8(b.signature);
    return out;
}

} // namespace ReportBuiltins
