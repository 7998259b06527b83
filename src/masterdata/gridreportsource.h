#pragma once

#include "reporting/reportdatasource.h"

#include <QPointer>
#include <QStringList>
#include <QVector>

class DataGrid;

// The rows of a list grid handed to a report as "frxDM": every field of the grid's result (not
// only the shown columns), in the grid's current order, so that a title-click sort is the
// printed order. Fields named in `withheld` are left out (prices an operator may not see).
class GridReportSource : public ReportDataSource
{
public:
    explicit GridReportSource(DataGrid *grid, const QStringList &withheld = {});

    int rowCount() const override;
    int fieldCount() const override;
    QString fieldName(int field) const override;
    QVariant value(int row, int field) const override;
    int currentRow() const override;

private:
    QPointer<DataGrid> m_grid;
    QVector<int> m_fields;    // source field index of each report field
    QStringList m_names;
};
