#pragma once

#include "exporttable.h"

#include <QVector>

class DataGrid;

// A DataGrid's rows (in the order shown) and columns as an ExportTable: the visible columns
// (file export and printing) or all of them (the Excel workbook).
class DataGridExportTable : public ExportTable
{
public:
    enum class Columns { Visible, All };
    DataGridExportTable(const DataGrid &grid, Columns which);

    int rowCount() const override;
    int columnCount() const override { return int(m_columns.size()); }
    QString title(int column) const override;
    QString text(int row, int column) const override;
    QVariant value(int row, int column) const override;
    QString format(int column) const override;
    Qt::Alignment alignment(int column) const override;
    int width(int column) const override;
    bool isNumeric(int column) const override;

    // The grid column behind an exported column.
    int gridColumn(int column) const { return m_columns.at(column); }

private:
    const DataGrid &m_grid;
    QVector<int> m_columns;
};
