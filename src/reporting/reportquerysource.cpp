#include "reportquerysource.h"

#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
bool isNumericType(int type)
{
    switch (type) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}
} // namespace

ReportQuerySource::ReportQuerySource(QSqlQuery &query)
{
    const QSqlRecord rec = query.record();
    QStringList fields;
    QList<bool> numeric;
    for (int i = 0; i < rec.count(); ++i) {
        fields << rec.fieldName(i);
        numeric << isNumericType(rec.field(i).metaType().id());
    }
    setFields(fields);
    if (!query.isActive() || !query.isSelect())
        return;

    const int start = query.at();
    const bool forwardOnly = query.isForwardOnly();
    // A forward-only query cannot go back: read what is left from the current row on.
    if (forwardOnly) {
        if (start < 0 && !query.next())
            return;
    } else if (!query.first()) {
        return;
    }
    int current = forwardOnly ? 0 : -1;
    int index = 0;
    do {
        QVariantList row;
        row.reserve(fields.size());
        const QSqlRecord r = query.record();
        for (int i = 0; i < fields.size(); ++i) {
            QVariant v = r.value(i);
            // A number column given as text (PostgreSQL numeric) is read as a number.
            if (numeric[i] && v.typeId() == QMetaType::QString) {
                bool ok = false;
                const double d = v.toString().toDouble(&ok);
                if (ok)
                    v = d;
            }
            row << v;
        }
        addRow(row);
        if (!forwardOnly && index == start)
            current = index;
        ++index;
    } while (query.next());

    setCurrentRow(current < 0 ? 0 : current);
    if (!forwardOnly) {
        if (start >= 0)
            query.seek(start);
        else
            query.seek(QSql::BeforeFirstRow);
    }
}
