#include "reportvalue.h"

#include "data/displayformat.h"

#include <QDate>
#include <QDateTime>

#include <cmath>

namespace ReportValue {

bool isNull(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

bool isText(const QVariant &v)
{
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray || v.typeId() == QMetaType::QChar;
}

bool isDate(const QVariant &v)
{
    return v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime;
}

double toNumber(const QVariant &v, bool *ok)
{
    if (ok)
        *ok = true;
    if (isNull(v))
        return 0;
    if (isNumber(v))
        return v.toDouble();
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? 1 : 0;
    bool parsed = false;
    const double d = v.toString().trimmed().toDouble(&parsed);
    if (ok)
        *ok = parsed;
    return parsed ? d : 0;
}

bool toBool(const QVariant &v)
{
    if (isNull(v))
        return false;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isNumber(v))
        return v.toDouble() != 0;
    const QString s = v.toString().trimmed();
    if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || s == QLatin1String("0"))
        return false;
    return !s.isEmpty();
}

QString toText(const QVariant &v)
{
    if (isNull(v))
        return {};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        if (!std::isfinite(d))
            return {};
        return DisplayFormat::plainNumber(d);
    }
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(QStringLiteral("yyyy-MM-dd"));
        return dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("hh:mm:ss"));
    default:
        return v.toString();
    }
}

QString format(const QVariant &v, const QString &fmt)
{
    if (fmt.isEmpty() || isNull(v))
        return toText(v);
    // One object may show a number and a date: each takes the format only when it suits it.
    const bool dateFormat = DisplayFormat::isDateFormat(fmt);
    if ((isDate(v) || v.typeId() == QMetaType::QTime) && !dateFormat)
        return toText(v);
    if ((isNumber(v) || v.typeId() == QMetaType::Bool) && dateFormat)
        return toText(v);
    return DisplayFormat::formatValue(v, fmt);
}

int compare(const QVariant &a, const QVariant &b)
{
    const bool an = isNull(a);
    const bool bn = isNull(b);
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    if ((isNumber(a) || a.typeId() == QMetaType::Bool) && (isNumber(b) || b.typeId() == QMetaType::Bool)) {
        const double x = toNumber(a);
        const double y = toNumber(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (isNumber(a) || isNumber(b)) {
        bool okA = false, okB = false;
        const double x = toNumber(a, &okA);
        const double y = toNumber(b, &okB);
        if (okA && okB)
            return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (isDate(a) && isDate(b)) {
        const QDateTime x = a.toDateTime();
        const QDateTime y = b.toDateTime();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    const int c = QString::compare(toText(a), toText(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool equals(const QVariant &a, const QVariant &b)
{
    return compare(a, b) == 0;
}

} // namespace ReportValue
