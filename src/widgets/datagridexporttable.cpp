#include "datagridexporttable.h"

#include "datagrid.h"

DataGridExportTable::DataGridExportTable(const DataGrid &grid, Columns which) : m_grid(grid)
{
    const QList<GridColumn> &cols = grid.columns();
    for (int i = 0; i < cols.size(); ++i)
        if (which == Columns::All || cols.at(i).visible)
            m_columns << i;
}

int DataGridExportTable::rowCount() const
{
    return m_grid.viewModel()->rowCount();
}

QString DataGridExportTable::title(int column) const
{
    return m_grid.columns().at(m_columns.at(column)).caption;
}

QString DataGridExportTable::text(int row, int column) const
{
    return m_grid.viewModel()->cellText(row, m_columns.at(column));
}

QVariant DataGridExportTable::value(int row, int column) const
{
    const GridViewModel *vm = m_grid.viewModel();
    const int sc = vm->sourceColumn(m_columns.at(column));
    const int sr = vm->sourceRow(row);
    if (!vm->source() || sc < 0 || sr < 0)
        return QVariant();
    return vm->source()->value(sr, sc);
}

QString DataGridExportTable::format(int column) const
{
    return m_grid.columns().at(m_columns.at(column)).displayFormat;
}

Qt::Alignment DataGridExportTable::alignment(int column) const
{
    return m_grid.viewModel()->cellAlignment(m_columns.at(column));
}

int DataGridExportTable::width(int column) const
{
    return m_grid.columns().at(m_columns.at(column)).width;
}

bool DataGridExportTable::isNumeric(int column) const
{
    const GridViewModel *vm = m_grid.viewModel();
    const int sc = vm->sourceColumn(m_columns.at(column));
    return vm->source() && sc >= 0 && vm->source()->isNumericColumn(sc);
}
