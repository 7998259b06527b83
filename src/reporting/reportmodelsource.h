#pragma once

#include "reportdatasource.h"

#include <QPointer>

class QAbstractItemModel;

// The rows of an item model (a window's grid), read live in the model's row order, so a
// sorted proxy prints sorted. Field names come from an explicit list, from the record of a
// SQL query model (also behind sort/filter proxies), or from the horizontal header. Values are
// read with Qt::EditRole (the raw value, not the displayed text). A model that goes away
// leaves an empty source.
class ReportModelSource : public ReportDataSource
{
public:
    explicit ReportModelSource(QAbstractItemModel *model, int currentRow = -1, const QStringList &fieldNames = {});

    void setValueRole(int role) { m_valueRole = role; }
    void setCurrentRow(int row) { m_current = row; }

    int rowCount() const override;
    int fieldCount() const override;
    QString fieldName(int field) const override;
    QVariant value(int row, int field) const override;
    int currentRow() const override;

private:
    QPointer<QAbstractItemModel> m_model;
    QStringList m_fields;
    int m_current;
    int m_valueRole;
};
