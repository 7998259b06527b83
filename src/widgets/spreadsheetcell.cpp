#include "spreadsheetcell.h"

#include "data/displayformat.h"
#include "data/sqlparams.h"
#include "exporttable.h"

#include <QDateTime>

#include <cmath>

double SpreadsheetCell::serial(const QDateTime &dt)
{
    static const QDate base(1899, 12, 30);
    return double(base.daysTo(dt.date())) + dt.time().msecsSinceStartOfDay() / 86400000.0;
}

namespace {

QDateTime textDate(const QString &s)
{
    const QString t = s.trimmed();
    if (t.size() < 10 || t.at(4) != QLatin1Char('-'))
        return QDateTime();
    return Sql::toDateTime(t);
}

bool isMissing(const QDateTime &dt)
{
    return dt.isValid() && dt.date() == Sql::missingDate();
}

SpreadsheetCell dateCell(const QDateTime &dt, const QString &format)
{
    SpreadsheetCell c;
    c.kind = SpreadsheetCell::Kind::Number;
    c.number = SpreadsheetCell::serial(dt);
    QString f = format;
    if (f.trimmed().isEmpty() || !DisplayFormat::isDateFormat(f))
        f = dt.time() == QTime(0, 0) ? QStringLiteral("yyyy-mm-dd") : QStringLiteral("yyyy-mm-dd hh:nn:ss");
    c.format = DisplayFormat::excelDateFormat(f);
    return c;
}

} // namespace

SpreadsheetCell SpreadsheetCell::from(const ExportTable &table, int row, int column, bool clearMissingDate)
{
    SpreadsheetCell c;
    const QVariant v = table.value(row, column);
    const QString format = table.format(column);
    if (v.isNull())
        return c;
    if (clearMissingDate && table.text(row, column).trimmed() == QLatin1String("1900-08-14"))
        return c;
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort: {
        if (DisplayFormat::isDateFormat(format))
            break;
        int round = -1;
        c.kind = Kind::Number;
        c.format = DisplayFormat::excelNumberFormat(format, &round);
        c.number = v.toDouble();
        if (round >= 0)
            c.number = Sql::roundTo(c.number, round);
        return c;
    }
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        const QDateTime dt = Sql::toDateTime(v);
        if (clearMissingDate && isMissing(dt))
            return c;
        return dateCell(dt, format);
    }
    case QMetaType::QString:
        if (DisplayFormat::isDateFormat(format)) {
            const QDateTime dt = textDate(v.toString());
            if (clearMissingDate && isMissing(dt))
                return c;
            if (dt.isValid())
                return dateCell(dt, format);
        } else if (clearMissingDate && isMissing(textDate(v.toString()))) {
            return c;
        }
        break;
    default:
        break;
    }
    c.kind = Kind::Text;
    c.text = v.typeId() == QMetaType::QString ? v.toString() : table.text(row, column);
    c.format = QStringLiteral("@");
    return c;
}
