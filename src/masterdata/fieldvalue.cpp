#include "fieldvalue.h"

#include "data/sqlparams.h"

namespace FieldValue {

bool flag(const QVariant &v)
{
    if (v.isNull())
        return false;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    const QString t = v.toString().trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("t"))
        return true;
    bool ok = false;
    const double d = t.toDouble(&ok);
    return ok && d != 0;
}

double number(const QVariant &v)
{
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : 0.0;
}

QDate customDate(const QVariant &v)
{
    if (v.isNull())
        return QDate();
    const QDate d = Sql::toDate(v);
    if (!d.isValid() || d < QDate(1901, 8, 14))
        return QDate();
    return d;
}

} // namespace FieldValue
