#include "gridreportsource.h"

#include "widgets/datagrid.h"
#include "widgets/griddatamodel.h"
#include "widgets/gridviewmodel.h"

GridReportSource::GridReportSource(DataGrid *grid, const QStringList &withheld) : m_grid(grid)
{
    if (!grid || !grid->sourceModel())
        return;
    const QStringList fields = grid->sourceModel()->fieldNames();
    for (int i = 0; i < fields.size(); ++i) {
        if (withheld.contains(fields.at(i), Qt::CaseInsensitive))
            continue;
        m_fields << i;
        m_names << fields.at(i);
    }
}

int GridReportSource::rowCount() const
{
    if (!m_grid || !m_grid->sourceModel())
        return 0;
    return m_grid->viewModel()->rowCount();
}

int GridReportSource::fieldCount() const
{
    return int(m_names.size());
}

QString GridReportSource::fieldName(int field) const
{
    return m_names.value(field);
}

QVariant GridReportSource::value(int row, int field) const
{
    if (!m_grid || !m_grid->sourceModel() || field < 0 || field >= m_fields.size())
        return QVariant();
    const int src = m_grid->viewModel()->sourceRow(row);
    if (src < 0 || src >= m_grid->sourceModel()->rowCount())
        return QVariant();
    return m_grid->sourceModel()->value(src, m_fields.at(field));
}

int GridReportSource::currentRow() const
{
    if (!m_grid)
        return -1;
    const int r = m_grid->currentRow();
    return r >= 0 ? r : (rowCount() > 0 ? 0 : -1);
}
