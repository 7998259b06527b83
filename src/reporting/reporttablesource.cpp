#include "reporttablesource.h"

ReportTableSource::ReportTableSource(const QStringList &fields, const QList<QVariantList> &rows)
    : m_fields(fields), m_rows(rows)
{
}

QVariant ReportTableSource::value(int row, int field) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    return m_rows[row].value(field);
}

int ReportTableSource::currentRow() const
{
    if (m_rows.isEmpty())
        return -1;
    return qBound(0, m_current, int(m_rows.size()) - 1);
}
