#include "linecursor.h"

#include "documentlinegrid.h"
#include "documentlinemodel.h"

#include <QItemSelectionModel>

LineCursor::LineCursor(DocumentLineGrid *grid, DocumentLineModel *lines, QObject *parent)
    : QObject(parent), m_grid(grid), m_lines(lines)
{
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &LineCursor::currentRowChanged);
    connect(m_lines, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex &, int first, int last) {
        if (m_moving || m_row < first)
            return;
        if (m_row <= last)
            enter(m_grid->currentSourceRow());
        else
            m_row -= last - first + 1;
    });
    connect(m_lines, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        if (!m_moving && m_row >= first)
            m_row += last - first + 1;
    });
    connect(m_lines, &QAbstractItemModel::modelReset, this, [this] {
        m_row = -1;
        m_new = false;
        m_snapshot.clear();
    });
}

bool LineCursor::isEditing() const
{
    if (m_row < 0 || m_row >= m_lines->rowCount())
        return false;
    return m_new || m_lines->rowValues(m_row) != m_snapshot;
}

void LineCursor::post()
{
    if (m_row < 0 || m_row >= m_lines->rowCount())
        return;
    m_new = false;
    m_snapshot = m_lines->rowValues(m_row);
}

void LineCursor::abandon()
{
    if (m_row < 0 || m_row >= m_lines->rowCount())
        return;
    if (m_new) {
        removeLine(m_row);
        enter(m_grid->currentSourceRow());
        return;
    }
    const QVariantMap now = m_lines->rowValues(m_row);
    for (auto it = m_snapshot.constBegin(); it != m_snapshot.constEnd(); ++it)
        if (now.value(it.key()) != it.value())
            m_lines->setValue(m_row, it.key(), it.value());
}

void LineCursor::removeLine(int row)
{
    m_moving = true;
    m_lines->removeRows(row, 1);
    m_moving = false;
}

void LineCursor::leaveCurrent()
{
    if (m_row < 0 || m_row >= m_lines->rowCount())
        return;
    if (m_new && m_lines->isBlank(m_row))
        removeLine(m_row);
    else
        post();
    m_row = -1;
    m_new = false;
}

void LineCursor::enter(int row)
{
    m_row = row < m_lines->rowCount() ? row : -1;
    m_new = false;
    m_snapshot = m_row >= 0 ? m_lines->rowValues(m_row) : QVariantMap();
}

void LineCursor::currentRowChanged(const QModelIndex &, const QModelIndex &)
{
    if (m_moving)
        return;
    const int now = m_grid->currentSourceRow();
    if (now == m_row)
        return;
    leaveCurrent();
    enter(m_grid->currentSourceRow());
}

int LineCursor::appendLine(const QVariantMap &values, bool posted)
{
    leaveCurrent();
    m_moving = true;
    const int row = m_lines->appendRow(values);
    if (row >= 0)
        m_grid->setCurrentCell(row, m_grid->firstVisibleColumn());
    m_moving = false;
    enter(row);
    m_new = row >= 0 && !posted;
    return row;
}

void LineCursor::deleteCurrentLine()
{
    const int row = m_grid->currentSourceRow();
    if (row < 0)
        return;
    removeLine(row);
    enter(m_grid->currentSourceRow());
}

void LineCursor::reset()
{
    enter(m_grid->currentSourceRow());
}
