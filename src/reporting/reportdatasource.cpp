#include "reportdatasource.h"

QStringList ReportDataSource::fieldNames() const
{
    QStringList out;
    const int n = fieldCount();
    for (int i = 0; i < n; ++i)
        out << fieldName(i);
    return out;
}

int ReportDataSource::fieldIndex(const QString &name) const
{
    const int n = fieldCount();
    for (int i = 0; i < n; ++i)
        if (fieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
