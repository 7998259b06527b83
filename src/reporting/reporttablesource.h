#pragma once

#include "reportdatasource.h"

#include <QList>

// Rows kept in memory: for data made by the program itself, for tests and as the snapshot of
// a query.
class ReportTableSource : public ReportDataSource
{
public:
    explicit ReportTableSource(const QStringList &fields = {}, const QList<QVariantList> &rows = {});

    void setFields(const QStringList &fields) { m_fields = fields; }
    void addRow(const QVariantList &row) { m_rows.append(row); }
    void reserve(int rows) { m_rows.reserve(rows); }
    void setCurrentRow(int row) { m_current = row; }

    int rowCount() const override { return int(m_rows.size()); }
    int fieldCount() const override { return int(m_fields.size()); }
    QString fieldName(int field) const override { return m_fields.value(field); }
    QVariant value(int row, int field) const override;
    int currentRow() const override;

private:
    QStringList m_fields;
    QList<QVariantList> m_rows;
    int m_current = 0;
};
